// The main window's behaviour: choose a line-pair dictionary, set check or
// correct mode and its options, run the check and follow it in the status
// box; reach the equals-line window and the about window; the hints.
#pragma once

#include "check_window.h"

#include <optional>

namespace corvel {

class MainWindowBehaviour : public CheckWindowBehaviour, public OptionSource {
public:
    explicit MainWindowBehaviour(CheckWindowView& view);

    // The window is built and about to show: the opening rule.
    void opened() override;
    void clicked(Control control) override;

    void checkModeClicked();
    void correctModeClicked();
    void exitClicked();
    void switchClicked();
    // The pointer moved over a control (for the frames: over the frame's own
    // surface, not over a control inside it), or over the window's bare
    // surface (nullopt).
    void pointerOver(std::optional<Control> control) override;
    void closeRequested() override;

    // OptionSource: the option boxes, read live by the line-pair run.
    bool option(Option option) const override;

protected:
    RunRequest runRequest() const override;
    void setBusy(bool busy) override;
    void afterRun() override;
    void afterChoosing() override;
    void afterPathRestored() override;

private:
    void showMode(Mode mode);
    void updateCheckButton(bool enable);
};

}  // namespace corvel
