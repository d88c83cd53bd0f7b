// What the two check windows have in common: the status box, the check run
// inside the Check button's handler, ESC with its question, and the way the
// application ends while a run may be in progress.
//
// A run executes on the user-interface thread and yields to window events
// after every line. Ending the application during a run (ESC answered OK,
// the title-bar close, Exit) only marks the window as ending: the run sees
// it at its next yield, writes out and closes its files and returns, and the
// handler then asks for the end. With no run in progress the end is asked
// for at once.
#pragma once

#include "check_runs.h"
#include "services/editorlauncher.h"
#include "statusbox.h"

#include <QElapsedTimer>
#include <QWidget>

namespace corvel {

class CheckWindow : public QWidget, public RunWindow {
    Q_OBJECT
public:
    struct Setup {
        StatusBoxDesign statusBox;
        QString stopQuestion;  // the ESC question's text
        EditorLauncher launcher;
    };

    ~CheckWindow() override;

    bool isRunning() const { return running_; }
    bool isEnding() const { return ending_; }
    const StatusBox& statusBox() const { return status_; }

    // RunWindow: the parts both windows share.
    Mode mode() const override;
    void setLabelText(StatusLabel label, const std::string& text) override;
    void setLabelVisible(StatusLabel label, bool visible) override;
    void setLineNumber(std::int32_t line) override;
    Answer messageBox(const MessageBoxRequest& request) override;
    Error startEditor(const EditorRequest& request) override;
    void beep() override;
    bool yield() override;
    void endApplication() override;

    using QWidget::setEnabled;

signals:
    // The application should end now: no run is in progress any more.
    void endRequested();
    // The user asked for the other check window.
    void switchRequested();

protected:
    explicit CheckWindow(Setup setup);

    // The mode the option buttons select now; a run takes it once, at its start.
    virtual Mode selectedMode() const = 0;
    virtual RunReport executeRun() = 0;
    // The window is ready again after a run that did not end the application.
    virtual void afterRun() = 0;

    // Runs the check; the Check button's handler.
    void runCheck();
    // Asks the ESC question; OK ends the application.
    void askToStop();
    // Ends the application: at once when idle, at the run's next yield otherwise.
    void endNow();
    // Makes every child control pass key presses to the window first.
    void previewKeys();
    void centreOnScreen();

    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showUnhandled(const std::exception& failure);

    static constexpr qint64 kServeIntervalNs = 500'000;

    StatusBox status_;
    QElapsedTimer served_;
    QString stopQuestion_;
    EditorLauncher launcher_;
    Mode runMode_ = Mode::Check;
    bool running_ = false;
    bool ending_ = false;
};

}  // namespace corvel
