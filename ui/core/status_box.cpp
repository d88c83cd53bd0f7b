#include "status_box.h"

namespace corvel {

namespace {

constexpr Control kProgress[] {Control::StatusProcessing, Control::StatusLineNumber,
                               Control::StatusLine, Control::StatusEscHint};

}  // namespace

std::string StatusBox::totalText(std::int32_t lines)
{
    return "总共处理了 " + std::to_string(lines) + " 行";
}

void StatusBox::showMessageAlone(std::string_view text)
{
    for (Control label : kProgress)
        view_.setVisible(label, false);
    view_.setText(Control::StatusMessage, text);
    view_.setVisible(Control::StatusMessage, true);
}

void StatusBox::showIdle() { showMessageAlone("等待检错或纠错工作"); }

// lbl5 alone with "正在处理...": a run is opening its files.
void StatusBox::showStarting() { view_.setText(Control::StatusMessage, "正在处理..."); }

void StatusBox::showProgress()
{
    view_.setVisible(Control::StatusMessage, false);
    for (Control label : kProgress)
        view_.setVisible(label, true);
}

void StatusBox::showTotal(std::int32_t lines) { showMessageAlone(totalText(lines)); }

}  // namespace corvel
