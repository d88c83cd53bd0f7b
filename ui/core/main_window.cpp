#include "main_window.h"

namespace corvel {

namespace {

constexpr std::string_view kFrameHint = "在使用前请您仔细阅读说明文件！";
constexpr std::string_view kStopHint =
    "如果连续出现这么多错误，基本可以认为后面还是错误，需要停止程序进行手动删除某行";

constexpr Control kCheckModeBoxes[] {Control::StopOnEmptyBox, Control::StopOnErrorsBox};
constexpr Control kCorrectModeBoxes[] {Control::DeleteEmptyBox, Control::DeleteErroneousBox,
                                       Control::DeleteUntranslatedBox};

std::size_t characters(std::string_view utf8)
{
    std::size_t count = 0;
    for (const char c : utf8)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

Control boxOf(Option option)
{
    switch (option) {
    case Option::ReplaceLog: return Control::ReplaceLogBox;
    case Option::PromptAtEnd: return Control::PromptAtEndBox;
    case Option::StopOnErrors: return Control::StopOnErrorsBox;
    case Option::StopOnEmpty: return Control::StopOnEmptyBox;
    case Option::DeleteEmpty: return Control::DeleteEmptyBox;
    case Option::DeleteErroneous: return Control::DeleteErroneousBox;
    case Option::DeleteUntranslated: return Control::DeleteUntranslatedBox;
    }
    return Control::ReplaceLogBox;
}

}  // namespace

MainWindowBehaviour::MainWindowBehaviour(CheckWindowView& view)
    : CheckWindowBehaviour(view, {"真的要停止校验吗？", {"文本文件(*.TXT)", "*.TXT"}})
{
}

void MainWindowBehaviour::opened()
{
    view().setEnabled(Control::CheckButton, false);
    showMode(view().isChecked(Control::CheckModeButton) ? Mode::Check : Mode::Correct);
}

void MainWindowBehaviour::clicked(Control control)
{
    switch (control) {
    case Control::CheckModeButton: checkModeClicked(); break;
    case Control::CorrectModeButton: correctModeClicked(); break;
    case Control::ExitButton: exitClicked(); break;
    case Control::SwitchLabel: switchClicked(); break;
    default: CheckWindowBehaviour::clicked(control); break;
    }
}

void MainWindowBehaviour::checkModeClicked() { showMode(Mode::Check); }

void MainWindowBehaviour::correctModeClicked() { showMode(Mode::Correct); }

// Enabling a box never changes its check mark.
void MainWindowBehaviour::showMode(Mode mode)
{
    for (Control box : kCheckModeBoxes)
        view().setEnabled(box, mode == Mode::Check);
    for (Control box : kCorrectModeBoxes)
        view().setEnabled(box, mode == Mode::Correct);
}

void MainWindowBehaviour::exitClicked() { endNow(); }

void MainWindowBehaviour::switchClicked()
{
    if (!isRunning())
        view().switchWindow();
}

// The title-bar close ends the application; during a run the run first
// writes out and closes its files.
void MainWindowBehaviour::closeRequested() { endNow(); }

// The frames and chkstop get their tooltips the first time the pointer moves
// over them; only the window's bare surface takes the highlight off lblother.
void MainWindowBehaviour::pointerOver(std::optional<Control> control)
{
    if (!control) {
        view().setHighlight(Control::SwitchLabel, false);
        return;
    }
    switch (*control) {
    case Control::SwitchLabel: view().setHighlight(Control::SwitchLabel, !isRunning()); break;
    case Control::CheckFrame:
    case Control::CorrectFrame: view().setHint(*control, kFrameHint); break;
    case Control::StopOnErrorsBox: view().setHint(*control, kStopHint); break;
    case Control::PathBox: view().setHint(*control, chosenPath()); break;
    default: break;
    }
}

bool MainWindowBehaviour::option(Option option) const { return view().isChecked(boxOf(option)); }

// The log's header quotes the captions as the window shows them.
RunRequest MainWindowBehaviour::runRequest() const
{
    const WindowDesign& design = windowDesign(WindowKind::Main);
    RunRequest request = baseRequest(Layout::LinePairs);
    request.options = this;
    request.captions.checkOperation = design.control(Control::CheckFrame).plainCaption();
    request.captions.correctOperation = design.control(Control::CorrectFrame).plainCaption();
    request.captions.deleteEmpty = design.control(Control::DeleteEmptyBox).plainCaption();
    request.captions.deleteErroneous = design.control(Control::DeleteErroneousBox).plainCaption();
    request.captions.deleteUntranslated =
        design.control(Control::DeleteUntranslatedBox).plainCaption();
    return request;
}

// A run holds Check, Exit and the switch to the other window. The switch
// looks disabled meanwhile: no highlight.
void MainWindowBehaviour::setBusy(bool busy)
{
    for (Control control : {Control::CheckButton, Control::ExitButton, Control::SwitchLabel})
        view().setEnabled(control, !busy);
    if (busy)
        view().setHighlight(Control::SwitchLabel, false);
}

void MainWindowBehaviour::afterRun() { updateCheckButton(!chosenPath().empty()); }

// The type warning compares the last three characters exactly: "TXT" is
// warned about, a name ending in "txt" without a dot is not.
void MainWindowBehaviour::afterChoosing()
{
    view().setText(Control::PathBox, chosenPath());
    if (!chosenPath().empty() && !chosenPath().ends_with("txt"))
        view().showMessage({"该类型的文件可能无法进行处理！", "警告", Buttons::Ok,
                            Icon::Exclamation});
    warnAboutReading();
    updateCheckButton(!chosenPath().empty());
    view().setEnabled(Control::ExitButton, true);
}

void MainWindowBehaviour::afterPathRestored() { updateCheckButton(characters(chosenPath()) > 3); }

// cmdCheck stays disabled while a run is in progress, whatever is chosen.
void MainWindowBehaviour::updateCheckButton(bool enable)
{
    view().setEnabled(Control::CheckButton, enable && !isRunning());
}

}  // namespace corvel
