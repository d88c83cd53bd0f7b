// The window interface for runs without a window: options come from the
// command line, questions are answered without prompting ("no" to opening
// the log), no editor is started, and ending the application ends only the
// run in hand.
#pragma once

#include "run_window.h"

#include <array>
#include <filesystem>
#include <string>

namespace corvel::cli {

class BatchWindow : public RunWindow {
public:
    BatchWindow();

    void setChosenPath(const std::filesystem::path& path) { chosenPath_ = path; }
    void setMode(Mode mode) { mode_ = mode; }
    void setOption(Option option, bool on);

    std::filesystem::path chosenPath() const override { return chosenPath_; }
    Mode mode() const override { return mode_; }
    bool option(Option option) const override;
    std::string caption(Caption caption) const override;
    void setLabelText(StatusLabel, const std::string&) override {}
    void setLabelVisible(StatusLabel, bool) override {}
    void setLineNumber(std::int32_t) override {}
    void setEnabled(Control, bool) override {}
    Answer messageBox(const MessageBoxRequest& request) override;
    Error startEditor(const EditorRequest&) override { return Error(); }
    void beep() override {}
    bool yield() override { return true; }
    bool followsLines() const override { return false; }
    // The run has written out and closed its files; the checker goes on
    // with the next dictionary.
    void endApplication() override {}

private:
    std::filesystem::path chosenPath_;
    Mode mode_ = Mode::Check;
    std::array<bool, 7> options_ {};
};

}  // namespace corvel::cli
