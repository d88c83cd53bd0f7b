// The Win32 application: exactly one of the two check windows open at a
// time, switched through the shared window switch, and the message loop
// that runs until a window ends the application.
#pragma once

#include "services.h"
#include "win32_check_window.h"
#include "window_switch.h"

#include <memory>

namespace corvel::win32 {

class Application final : public WindowOpener {
public:
    explicit Application(Services& services);
    ~Application() override;

    // Opens the main window.
    void start();
    // Serves window events until the application ends; the exit status.
    int run();
    // Serves the events waiting now (tests drive the windows with it).
    void serveWaitingEvents();

    bool hasEnded() const { return ended_; }
    // The open check window; null once the application has ended.
    CheckWindow* window() const { return current_.get(); }

    // WindowOpener
    void replaceWindow(WindowKind kind) override;
    void endApplication() override;

private:
    Services& services_;
    WindowSwitch windows_ {*this};
    std::unique_ptr<CheckWindow> current_;
    // The window that asked for a switch, kept until its handler has returned.
    std::unique_ptr<CheckWindow> retired_;
    bool ended_ = false;
};

}  // namespace corvel::win32
