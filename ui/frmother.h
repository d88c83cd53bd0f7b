// The equals-line window: choose an "English=Chinese" dictionary, check or
// correct it, and return to the main window. It has no close command of its
// own: it is left through Return or by ending the application with ESC.
#pragma once

#include "checkwindow.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace corvel {

class FrmOther : public CheckWindow {
    Q_OBJECT
public:
    explicit FrmOther(EditorLauncher launcher = launchEditor);

    // RunWindow: the equals-line run reads the chosen path and the mode.
    std::filesystem::path chosenPath() const override;
    bool option(Option option) const override;
    std::string caption(Caption caption) const override;
    void setEnabled(Control control, bool enabled) override;
    using CheckWindow::setEnabled;

protected:
    Mode selectedMode() const override;
    RunReport executeRun() override;
    void afterRun() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createWindow();
    void createFileRow();
    void createInformation();
    void createModes();
    void createButtons();
    void setTabOrder();
    void connectHandlers();

    void browse();
    void restorePath();
    void showAbout();

    QString chosenPath_;

    QLabel* lbl = nullptr;
    QLineEdit* txtfile = nullptr;
    QPushButton* cmdopen = nullptr;
    QGroupBox* frainfo = nullptr;
    QLabel* lblinfo = nullptr;
    QRadioButton* optChect = nullptr;
    QRadioButton* optcro = nullptr;
    QPushButton* cmdret = nullptr;
    QPushButton* cmdCheck = nullptr;
    QPushButton* cmdabout = nullptr;
};

}  // namespace corvel
