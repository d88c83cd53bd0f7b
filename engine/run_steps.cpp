#include "run_steps.h"

#include "log_format.h"
#include "platform.h"

namespace corvel {

namespace {
constexpr const char* kErrorTitle = "错误";
constexpr const char* kNotFound = "该文件不存在，请重新选择文件！";
constexpr const char* kUnknown = "发生未知错误！程序即将终止！";
constexpr const char* kWaiting = "等待检错或纠错工作";
constexpr const char* kStarting = "正在处理...";

constexpr StatusLabel kProgressLabels[] = {StatusLabel::Processing, StatusLabel::LineNumber,
                                           StatusLabel::Line, StatusLabel::EscHint};
}  // namespace

RunSteps::RunSteps(RunWindow& window, const Clock& clock,
                   std::initializer_list<Control> busyControls)
    : window_(window), clock_(clock), followsLines_(window.followsLines()),
      busyControls_(busyControls)
{
}

void RunSteps::showStarting()
{
    window_.setLabelText(StatusLabel::Message, kStarting);
    for (Control c : busyControls_)
        window_.setEnabled(c, false);
}

void RunSteps::showProgress()
{
    window_.setLabelVisible(StatusLabel::Message, false);
    for (StatusLabel l : kProgressLabels)
        window_.setLabelVisible(l, true);
}

void RunSteps::showWaiting()
{
    for (StatusLabel l : kProgressLabels)
        window_.setLabelVisible(l, false);
    window_.setLabelText(StatusLabel::Message, kWaiting);
    window_.setLabelVisible(StatusLabel::Message, true);
    enableControls();
}

void RunSteps::showTotal(std::int32_t lines)
{
    for (StatusLabel l : kProgressLabels)
        window_.setLabelVisible(l, false);
    window_.setLabelText(StatusLabel::Message, "总共处理了" + spacedNumber(lines) + " 行");
    window_.setLabelVisible(StatusLabel::Message, true);
}

void RunSteps::enableControls()
{
    for (Control c : busyControls_)
        window_.setEnabled(c, true);
}

std::optional<RunEnding> RunSteps::openDictionary()
{
    std::filesystem::path chosen = window_.chosenPath();
    auto names = formRunNames(chosen);
    if (!names)
        return handle(Error(ErrorKind::Other, FileOp::Run, displayPath(chosen),
                            "the file name has no \".\", so no output folder can be named"));
    names_ = *names;
    std::error_code ec;
    dictionary_ = std::filesystem::absolute(chosen, ec);
    if (ec)
        dictionary_ = chosen;
    Error error;
    File file = File::open(chosen, File::Access::Read, error);
    if (auto end = handle(error))
        return end;
    files_.dictionary = LineReader(std::move(file));
    return std::nullopt;
}

std::optional<RunEnding> RunSteps::enterOutputFolder()
{
    if (auto end = handle(makeFolder(names_.baseName)))
        return end;
    return handle(enterFolder(names_.baseName));
}

std::optional<RunEnding> RunSteps::openOutput(FileNumber number, const std::filesystem::path& name,
                                              File::Access access)
{
    // The dictionary is only ever read, whatever the working directory.
    if (sameFile(name, dictionary_))
        return handle(Error(ErrorKind::Other, FileOp::Run, displayPath(currentFolder() / name),
                            "would write over the dictionary itself"));
    Error opened = files_.output(number).open(name, access);
    if (number == FileNumber::Log)
        report_.log = currentFolder() / name;
    return handle(opened);
}

std::optional<RunEnding> RunSteps::closeOutput(FileNumber number)
{
    return handle(files_.output(number).close());
}

std::optional<RunEnding> RunSteps::handle(const Error& error)
{
    switch (error.kind()) {
    case ErrorKind::None:
    case ErrorKind::PathAccess:
        return std::nullopt;
    case ErrorKind::FileNotFound:
        report_.error = error;
        (void)ask(kNotFound, kErrorTitle, Buttons::Ok, Icon::Critical);
        showWaiting();
        return RunEnding::FileNotFound;
    case ErrorKind::Other:
        break;
    }
    report_.error = error;
    (void)files_.closeAll();
    (void)ask(kUnknown, kErrorTitle, Buttons::Ok, Icon::Critical);
    return endApplication(RunEnding::UnknownError);
}

std::optional<RunEnding> RunSteps::fail(const std::string& cause)
{
    return handle(Error(ErrorKind::Other, FileOp::Run, displayPath(dictionary_), cause));
}

std::optional<RunEnding> RunSteps::openLogInEditor(const std::string& program, bool takeFocus,
                                                   RunEnding ending)
{
    EditorRequest request {program + displayPath(report_.log), report_.log, takeFocus};
    auto end = handle(window_.startEditor(request));
    if (end == RunEnding::FileNotFound)
        return ending;
    return end;
}

Answer RunSteps::ask(const char* text, const char* title, Buttons buttons, Icon icon)
{
    return window_.messageBox(MessageBoxRequest {text, title, buttons, icon});
}

RunEnding RunSteps::endApplication(RunEnding ending)
{
    (void)files_.closeAll();
    window_.endApplication();
    return ending;
}

RunEnding RunSteps::endedByWindow()
{
    (void)files_.closeAll();
    return RunEnding::Ended;
}

RunReport RunSteps::finish(RunEnding ending)
{
    report_.ending = ending;
    return report_;
}

}  // namespace corvel
