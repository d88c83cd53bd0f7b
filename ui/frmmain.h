// The main window: choose a line-pair dictionary, set check or correct mode
// and its options, run the check and follow it in the status box. From here
// the user also reaches the equals-line window and the about window.
#pragma once

#include "checkwindow.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace corvel {

class ClickLabel;

class FrmMain : public CheckWindow {
    Q_OBJECT
public:
    explicit FrmMain(EditorLauncher launcher = launchEditor);

    // RunWindow: what the line-pair run reads from and sets in this window.
    std::filesystem::path chosenPath() const override;
    bool option(Option option) const override;
    std::string caption(Caption caption) const override;
    void setEnabled(Control control, bool enabled) override;
    using CheckWindow::setEnabled;

protected:
    Mode selectedMode() const override;
    RunReport executeRun() override;
    void afterRun() override;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void createWindow();
    void createTopRow();
    void createModes();
    void createCheckFrame();
    void createCorrectFrame();
    void createButtons();
    void setTabOrder();
    void setHints();
    void connectHandlers();
    void applyOpeningRule();

    void showCheckMode();
    void showCorrectMode();
    void browse();
    void restorePath();
    void updateCheckButton(bool enable);
    void showAbout();
    void hover(QObject* watched, QMouseEvent* event);
    void setSwitchHighlight(bool lit);

    QString chosenPath_;

    QLabel* lblin = nullptr;
    QLineEdit* txtfile = nullptr;
    QPushButton* cmdopen = nullptr;
    ClickLabel* lblother = nullptr;
    QRadioButton* optcheck = nullptr;
    QRadioButton* optcorrect = nullptr;
    QGroupBox* fracheck = nullptr;
    QCheckBox* chkreplace = nullptr;
    QCheckBox* chkprompt = nullptr;
    QCheckBox* chkspac = nullptr;
    QCheckBox* chkstop = nullptr;
    QGroupBox* fracorrect = nullptr;
    QCheckBox* chkspace = nullptr;
    QCheckBox* chkerror = nullptr;
    QCheckBox* chknotra = nullptr;
    QPushButton* cmdhelp = nullptr;
    QPushButton* cmdCheck = nullptr;
    QPushButton* cmdexit = nullptr;
};

}  // namespace corvel
