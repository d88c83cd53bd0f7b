// Exactly one of the two check windows is open. Each switch discards the
// window that asked for it and opens the other one afresh from its design.
#pragma once

#include "window_design.h"

#include <optional>

namespace corvel {

// The toolkit's part: making and dropping windows.
class WindowOpener {
public:
    virtual ~WindowOpener() = default;
    // Hides the open check window (if any), discards it once its handler has
    // returned, and shows a fresh window of `kind` from its design.
    virtual void replaceWindow(WindowKind kind) = 0;
    // Ends the application: every window goes.
    virtual void endApplication() = 0;
};

class WindowSwitch {
public:
    explicit WindowSwitch(WindowOpener& opener) : opener_(opener) {}

    // The application starts with the main window.
    void showMain();
    void showEquals();
    // The open check window asked for the other one.
    void switchWindow();
    // A window asked to end the application; no run is in progress.
    void endApplication();
    std::optional<WindowKind> current() const { return current_; }

private:
    void show(WindowKind kind);

    WindowOpener& opener_;
    std::optional<WindowKind> current_;
};

}  // namespace corvel
