#include "batch_window.h"

namespace corvel::cli {

BatchWindow::BatchWindow()
{
    // The options of a fresh main window.
    setOption(Option::ReplaceLog, true);
    setOption(Option::PromptAtEnd, true);
    setOption(Option::StopOnErrors, true);
    setOption(Option::StopOnEmpty, false);
    setOption(Option::DeleteEmpty, true);
    setOption(Option::DeleteErroneous, true);
    setOption(Option::DeleteUntranslated, false);
}

void BatchWindow::setOption(Option option, bool on)
{
    options_[static_cast<std::size_t>(option)] = on;
}

bool BatchWindow::option(Option option) const
{
    return options_[static_cast<std::size_t>(option)];
}

std::string BatchWindow::caption(Caption caption) const
{
    return designCaption(caption);
}

Answer BatchWindow::messageBox(const MessageBoxRequest& request)
{
    // Never prompt: decline every offer to open the log.
    return request.buttons == Buttons::OkCancel ? Answer::Cancel : Answer::Ok;
}

}  // namespace corvel::cli
