// The about window: product name, version, author and contact lines. A
// click on the background, the product name, "免费软件" or the request for
// suggestions closes it; the e-mail and home-page lines open the desktop's
// mail client and web browser.
#pragma once

#include <QDialog>

class QLabel;

namespace corvel {

class ClickLabel;

class FrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit FrmAbout(QWidget* opener);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createWindow();
    void createHeading();
    void createContacts();
    void createFooter();
    void createLines();
    void withoutFocus();
    void connectHandlers();

    static void writeMail();
    static void openHomePage();

    ClickLabel* lblcap = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label3 = nullptr;
    ClickLabel* Label1 = nullptr;
    QLabel* lblauthor = nullptr;
    ClickLabel* lblemail = nullptr;
    ClickLabel* lblnet = nullptr;
    ClickLabel* Label2 = nullptr;
};

}  // namespace corvel
