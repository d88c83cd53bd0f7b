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

protected:
    Mode selectedMode() const override;
    RunRequest runRequest() const override;
    void setBusy(bool busy) override;
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

    QLabel* fileLabel = nullptr;
    QLineEdit* pathBox = nullptr;
    QPushButton* browseButton = nullptr;
    QGroupBox* infoFrame = nullptr;
    QLabel* infoLabel = nullptr;
    QRadioButton* checkModeButton = nullptr;
    QRadioButton* correctModeButton = nullptr;
    QPushButton* returnButton = nullptr;
    QPushButton* checkButton = nullptr;
    QPushButton* aboutButton = nullptr;
};

}  // namespace corvel
