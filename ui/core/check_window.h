// What the two check windows do, without a toolkit: the chosen dictionary
// and the folder that receives the next run's output folder, the status
// box, the check run inside the Check button's handler, ESC with its
// question, the close box, and the way the application ends while a run may
// be in progress.
//
// A run executes on the user-interface thread inside checkClicked(); the
// behaviour is its host and one of its sinks, and has the view serve window
// events between lines. Ending the application during a run (ESC answered
// OK, the close box, Exit) only marks the window as ending: the run sees it
// at its next line, writes out and closes its files and returns, and the
// handler then asks the view to end the application. With no run in
// progress the end is asked for at once.
#pragma once

#include "corvel/check_runs.h"
#include "corvel/display_path.h"
#include "status_box.h"
#include "window_view.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace corvel {

class CheckWindowBehaviour : public RunHost, private RunSink {
public:
    ~CheckWindowBehaviour() override;
    CheckWindowBehaviour(const CheckWindowBehaviour&) = delete;
    CheckWindowBehaviour& operator=(const CheckWindowBehaviour&) = delete;

    // The window is built and about to show.
    virtual void opened() {}
    // A click on a control (a button, check or option button, or label), as
    // the view reports it; a control without an action ignores it.
    virtual void clicked(Control control);
    // The pointer moved over a control, or over the window's bare surface
    // (nullopt).
    virtual void pointerOver(std::optional<Control>) {}

    // The user's events, as the view reports them.
    void browseClicked();
    void checkClicked();
    void aboutClicked();
    // The path box's text changed (typed, pasted or set by the window).
    void pathBoxChanged(std::string_view text);
    // ESC, whichever control has the focus and whatever Shift, Ctrl and Alt.
    void escapePressed();
    // The title bar's close box or the system menu's Close: the view keeps
    // the window open; the behaviour decides what follows.
    virtual void closeRequested() = 0;

    bool isRunning() const { return running_; }
    bool isEnding() const { return ending_; }
    // The chosen dictionary's full path (UTF-8), empty when none.
    const std::string& chosenPath() const { return chosenPath_; }
    // The folder that receives the next run's output folder: the chosen
    // file's folder, or the output folder of the run before.
    const std::filesystem::path& outputParent() const { return outputParent_; }

    // RunHost
    bool lineDone(std::int32_t line) override;
    Answer ask(Question question) override;
    Error openLog(const std::filesystem::path& log, LogOpening when) override;
    void beep() override;
    void endApplication() override;

    // Serving the event queue costs a system call, which takes longer than a
    // line's whole check; it is served when this much time has passed since
    // it was last served.
    static constexpr std::chrono::nanoseconds kServeInterval {500'000};

protected:
    struct Words {
        std::string stopQuestion;  // the ESC question's text
        FileFilter filter;         // the chooser's first filter
    };

    CheckWindowBehaviour(CheckWindowView& view, Words words);

    CheckWindowView& view() const { return view_; }
    StatusBox& statusBox() { return status_; }

    // The mode the option buttons select now; a run takes it once, at its start.
    Mode selectedMode() const;
    // The run's layout, options and log captions.
    virtual RunRequest runRequest() const = 0;
    // Disables (busy) or enables the controls a run holds.
    virtual void setBusy(bool busy) = 0;
    // The window is ready again after a run that did not end the application.
    virtual void afterRun() = 0;
    // What follows a choice in the file chooser (the chosen path is set).
    virtual void afterChoosing() = 0;
    // What follows a change of the path box once it shows the chosen path again.
    virtual void afterPathRestored() = 0;

    // A request for the chosen dictionary with the fields every run shares.
    RunRequest baseRequest(Layout layout) const;
    // The 警告 box when the chosen dictionary is UTF-8, UTF-16 or has LF
    // line ends: what the check will see. The run goes on as ever.
    void warnAboutReading();
    // Ends the application: at once when idle, at the run's next line otherwise.
    void endNow();

private:
    // RunSink: the status box and the controls follow the run.
    void runStarting() override;
    void outputFolderReady(const std::filesystem::path& folder) override;
    void linesStarting() override;
    void finished(const RunCounts& counts) override;
    void waiting() override;
    void ready() override;

    void chooseFile();
    void showUnhandled(const std::exception& failure);

    CheckWindowView& view_;
    Words words_;
    StatusBox status_;
    std::chrono::steady_clock::time_point served_ {};
    std::string chosenPath_;
    std::filesystem::path outputParent_;
    bool running_ = false;
    bool ending_ = false;
};

// The behaviour of the check window of this kind (Main or Equals).
std::unique_ptr<CheckWindowBehaviour> checkWindowBehaviour(WindowKind kind, CheckWindowView& view);

}  // namespace corvel
