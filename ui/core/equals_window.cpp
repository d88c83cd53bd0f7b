#include "equals_window.h"

namespace corvel {

EqualsWindowBehaviour::EqualsWindowBehaviour(CheckWindowView& view)
    : CheckWindowBehaviour(view, {"真的要停止校验操作吗？", {"文本文件(*.DAT)", "*.DAT"}})
{
}

void EqualsWindowBehaviour::clicked(Control control)
{
    if (control == Control::ReturnButton)
        returnClicked();
    else
        CheckWindowBehaviour::clicked(control);
}

void EqualsWindowBehaviour::returnClicked()
{
    if (!isRunning())
        view().switchWindow();
}

// No close command: a close request from the title bar, the window menu or
// the keyboard is refused.
void EqualsWindowBehaviour::closeRequested() {}

RunRequest EqualsWindowBehaviour::runRequest() const { return baseRequest(Layout::Equals); }

// A run holds Return and Check.
void EqualsWindowBehaviour::setBusy(bool busy)
{
    view().setEnabled(Control::ReturnButton, !busy);
    view().setEnabled(Control::CheckButton, !busy);
}

void EqualsWindowBehaviour::afterRun()
{
    view().setEnabled(Control::CheckButton, !chosenPath().empty());
}

// No check of the file's extension here.
void EqualsWindowBehaviour::afterChoosing()
{
    view().setText(Control::PathBox, chosenPath());
    warnAboutReading();
    pathBoxChanged(chosenPath());  // also when the text did not change
}

// Once a file is chosen the status box takes the information box's place
// for good.
void EqualsWindowBehaviour::afterPathRestored()
{
    if (chosenPath().empty()) {
        view().setEnabled(Control::CheckButton, false);
        return;
    }
    view().setVisible(Control::InfoFrame, false);
    view().setVisible(Control::InfoLabel, false);
    view().setVisible(Control::StatusBox, true);
    if (!isRunning()) {
        view().setVisible(Control::StatusMessage, true);
        view().setEnabled(Control::CheckButton, true);
    }
}

}  // namespace corvel
