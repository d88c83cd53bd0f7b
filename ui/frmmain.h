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

class FrmMain : public CheckWindow, public OptionSource {
    Q_OBJECT
public:
    explicit FrmMain(EditorLauncher launcher = launchEditor);

    // OptionSource: the option boxes, read live by the line-pair run.
    bool option(Option option) const override;

protected:
    Mode selectedMode() const override;
    RunRequest runRequest() const override;
    void setBusy(bool busy) override;
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
    void hover(QObject* watched, QMouseEvent* event);
    void setSwitchHighlight(bool lit);

    QLabel* fileLabel = nullptr;
    QLineEdit* pathBox = nullptr;
    QPushButton* browseButton = nullptr;
    ClickLabel* switchLabel = nullptr;
    QRadioButton* checkModeButton = nullptr;
    QRadioButton* correctModeButton = nullptr;
    QGroupBox* checkFrame = nullptr;
    QCheckBox* replaceLogBox = nullptr;
    QCheckBox* promptAtEndBox = nullptr;
    QCheckBox* stopOnEmptyBox = nullptr;
    QCheckBox* stopOnErrorsBox = nullptr;
    QGroupBox* correctFrame = nullptr;
    QCheckBox* deleteEmptyBox = nullptr;
    QCheckBox* deleteErroneousBox = nullptr;
    QCheckBox* deleteUntranslatedBox = nullptr;
    QPushButton* aboutButton = nullptr;
    QPushButton* checkButton = nullptr;
    QPushButton* exitButton = nullptr;
};

}  // namespace corvel
