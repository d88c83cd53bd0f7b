// What the two check windows have in common: the chosen dictionary and the
// folder that receives the next run's output folder, the status box, the
// check run inside the Check button's handler, ESC with its question, and
// the way the application ends while a run may be in progress.
//
// A run executes on the user-interface thread; the window is its host and
// one of its sinks, and serves window events between lines. Ending the
// application during a run (ESC answered OK, the title-bar close, Exit)
// only marks the window as ending: the run sees it at its next line, writes
// out and closes its files and returns, and the handler then asks for the
// end. With no run in progress the end is asked for at once.
#pragma once

#include "corvel/check_runs.h"
#include "services/editorlauncher.h"
#include "statusbox.h"

#include <QElapsedTimer>
#include <QWidget>

#include <filesystem>

class QPushButton;

namespace corvel {

class CheckWindow : public QWidget, public RunHost, private RunSink {
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
    // The folder that receives the next run's output folder: the chosen
    // file's folder, or the output folder of the run before.
    const std::filesystem::path& outputParent() const { return outputParent_; }

    // RunHost
    bool lineDone(std::int32_t line) override;
    Answer ask(Question question) override;
    Error openLog(const std::filesystem::path& log, LogOpening when) override;
    void beep() override;
    void endApplication() override;

signals:
    // The application should end now: no run is in progress any more.
    void endRequested();
    // The user asked for the other check window.
    void switchRequested();

protected:
    explicit CheckWindow(Setup setup);

    // The mode the option buttons select now; a run takes it once, at its start.
    virtual Mode selectedMode() const = 0;
    // The run's layout, options and log captions.
    virtual RunRequest runRequest() const = 0;
    // Disables (busy) or enables the controls a run holds.
    virtual void setBusy(bool busy) = 0;
    // The window is ready again after a run that did not end the application.
    virtual void afterRun() = 0;

    // Opens the file chooser with one filter ("文本文件(*.TXT)", "*.TXT");
    // a choice becomes the chosen path and its folder the output parent.
    void chooseFile(const QString& filterLabel, const QString& pattern);
    const QString& chosenPath() const { return chosenPath_; }
    // The 警告 box when the chosen dictionary is UTF-8, UTF-16 or has LF
    // line ends: what the check will see. The run goes on as ever.
    void warnAboutReading();
    // A request for the chosen dictionary with the fields every run shares.
    RunRequest baseRequest(Layout layout) const;

    // Runs the check; the Check button's handler.
    void runCheck();
    // Asks the ESC question; OK ends the application.
    void askToStop();
    // Ends the application: at once when idle, at the run's next line otherwise.
    void endNow();
    void showAbout();
    // Makes every child control pass key presses to the window first.
    void previewKeys();
    void centreOnScreen();

    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // RunSink: the status box and the controls follow the run.
    void runStarting() override;
    void outputFolderReady(const std::filesystem::path& folder) override;
    void linesStarting() override;
    void finished(const RunCounts& counts) override;
    void waiting() override;
    void ready() override;

    bool serveEvents();
    void showUnhandled(const std::exception& failure);

    static constexpr qint64 kServeIntervalNs = 500'000;

    StatusBox status_;
    QElapsedTimer served_;
    QString stopQuestion_;
    EditorLauncher launcher_;
    QString chosenPath_;
    std::filesystem::path outputParent_;
    bool running_ = false;
    bool ending_ = false;
};

// A push button at its design place, not a default button.
QPushButton* makeButton(const char* name, const char* caption, QWidget* window,
                        const QRect& geometry);

}  // namespace corvel
