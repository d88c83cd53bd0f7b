#include "check_window.h"

#include "equals_window.h"
#include "file_warning.h"
#include "main_window.h"
#include "run_wording.h"

namespace corvel {

CheckWindowBehaviour::CheckWindowBehaviour(CheckWindowView& view, Words words)
    : view_(view), words_(std::move(words)), status_(view)
{
}

CheckWindowBehaviour::~CheckWindowBehaviour() = default;

std::unique_ptr<CheckWindowBehaviour> checkWindowBehaviour(WindowKind kind, CheckWindowView& view)
{
    if (kind == WindowKind::Equals)
        return std::make_unique<EqualsWindowBehaviour>(view);
    return std::make_unique<MainWindowBehaviour>(view);
}

void CheckWindowBehaviour::clicked(Control control)
{
    switch (control) {
    case Control::BrowseButton: browseClicked(); break;
    case Control::CheckButton: checkClicked(); break;
    case Control::AboutButton: aboutClicked(); break;
    default: break;
    }
}

// The queue is served at a line's end whenever kServeInterval has passed
// since it was last served: ESC, clicks and modal windows still run between
// two lines and are answered well within a display frame, and a long
// dictionary is not slowed by a system call per line.
bool CheckWindowBehaviour::lineDone(std::int32_t line)
{
    view_.showLineNumber(line);
    const auto now = std::chrono::steady_clock::now();
    if (served_ == std::chrono::steady_clock::time_point {} || now - served_ >= kServeInterval) {
        view_.serveEvents();
        served_ = std::chrono::steady_clock::now();
    }
    return !ending_;
}

Answer CheckWindowBehaviour::ask(Question question)
{
    return view_.showMessage(questionBox(question));
}

Error CheckWindowBehaviour::openLog(const std::filesystem::path& log, LogOpening when)
{
    return view_.openInEditor(editorRequest(log, when));
}

void CheckWindowBehaviour::beep() { view_.beep(); }

void CheckWindowBehaviour::endApplication() { endNow(); }

void CheckWindowBehaviour::runStarting()
{
    status_.showStarting();
    setBusy(true);
}

// The run's output folder receives the next run's output folder, unless a
// file is chosen meanwhile.
void CheckWindowBehaviour::outputFolderReady(const std::filesystem::path& folder)
{
    outputParent_ = folder;
}

void CheckWindowBehaviour::linesStarting() { status_.showProgress(); }

void CheckWindowBehaviour::finished(const RunCounts& counts) { status_.showTotal(counts.lines); }

void CheckWindowBehaviour::waiting()
{
    status_.showIdle();
    setBusy(false);
}

void CheckWindowBehaviour::ready() { setBusy(false); }

void CheckWindowBehaviour::browseClicked()
{
    chooseFile();
    afterChoosing();
}

// A choice becomes the chosen path and its folder the output parent; a
// cancelled chooser empties the chosen path.
void CheckWindowBehaviour::chooseFile()
{
    const FileChooserRequest request {ChooserMode::Open, "请选择要校验的字典文件", "",
                                      {words_.filter, {"所有文件(*.*)", "*.*"}},
                                      "C:\\My Documents", ""};
    chosenPath_ = view_.chooseFile(request);
    if (!chosenPath_.empty())
        outputParent_ = std::filesystem::absolute(pathFromUtf8(chosenPath_)).parent_path();
}

// The path box only shows the chosen path: an edit is undone at once.
void CheckWindowBehaviour::pathBoxChanged(std::string_view text)
{
    if (text != chosenPath_)
        view_.setText(Control::PathBox, chosenPath_);
    afterPathRestored();
}

void CheckWindowBehaviour::warnAboutReading()
{
    if (chosenPath_.empty())
        return;
    if (std::optional<std::string> warning = dictionaryWarning(pathFromUtf8(chosenPath_)))
        view_.showMessage({*warning, "警告", Buttons::Ok, Icon::Exclamation});
}

Mode CheckWindowBehaviour::selectedMode() const
{
    return view_.isChecked(Control::CorrectModeButton) ? Mode::Correct : Mode::Check;
}

RunRequest CheckWindowBehaviour::baseRequest(Layout layout) const
{
    RunRequest request;
    request.layout = layout;
    request.dictionary = pathFromUtf8(chosenPath_);
    request.outputParent = outputParent_;
    request.mode = selectedMode();
    return request;
}

void CheckWindowBehaviour::checkClicked()
{
    if (running_ || ending_)
        return;  // never a run inside a run
    running_ = true;
    served_ = {};
    try {
        const RunRequest request = runRequest();
        const RunReport report = runCheck(request, *this, {static_cast<RunSink*>(this)});
        if (report.ending == RunEnding::Ended || report.ending == RunEnding::UnknownError)
            ending_ = true;
    } catch (const std::exception& failure) {
        showUnhandled(failure);
        ending_ = true;
    }
    running_ = false;
    if (ending_) {
        view_.endApplication();
        return;
    }
    afterRun();
}

void CheckWindowBehaviour::showUnhandled(const std::exception& failure)
{
    view_.showMessage({std::string("发生未知错误！程序即将终止！\n") + failure.what(), "错误",
                       Buttons::Ok, Icon::Critical});
}

void CheckWindowBehaviour::aboutClicked() { view_.showAbout(); }

void CheckWindowBehaviour::escapePressed()
{
    const Answer answer =
        view_.showMessage({words_.stopQuestion, "停止", Buttons::OkCancel, Icon::Question});
    if (answer == Answer::Ok)
        endNow();
}

void CheckWindowBehaviour::endNow()
{
    if (ending_ && !running_)
        return;
    ending_ = true;
    if (!running_)
        view_.endApplication();
}

}  // namespace corvel
