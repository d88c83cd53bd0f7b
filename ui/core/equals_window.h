// The equals-line window's behaviour: choose an "English=Chinese"
// dictionary, check or correct it, and return to the main window. It has no
// close command of its own: it is left through Return or by ending the
// application with ESC. The information box shows until a file is chosen;
// the status box takes its place from then on.
#pragma once

#include "check_window.h"

namespace corvel {

class EqualsWindowBehaviour : public CheckWindowBehaviour {
public:
    explicit EqualsWindowBehaviour(CheckWindowView& view);

    void clicked(Control control) override;
    void returnClicked();
    // Refused: the window has no close command.
    void closeRequested() override;

protected:
    RunRequest runRequest() const override;
    void setBusy(bool busy) override;
    void afterRun() override;
    void afterChoosing() override;
    void afterPathRestored() override;
};

}  // namespace corvel
