#include "application.h"

namespace corvel::win32 {

Application::Application(Services& services) : services_(services) {}

Application::~Application() = default;

void Application::start() { windows_.showMain(); }

int Application::run()
{
    MSG message;
    while (!ended_ && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
        dispatchMessage(message);
        retired_.reset();
    }
    return 0;
}

void Application::serveWaitingEvents()
{
    MSG message;
    while (!ended_ && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        dispatchMessage(message);
        retired_.reset();
    }
}

void Application::replaceWindow(WindowKind kind)
{
    if (current_)
        current_->hide();
    retired_ = std::move(current_);
    current_ = std::make_unique<CheckWindow>(kind, services_, windows_);
}

// Every window goes; the loop ends at its next turn.
void Application::endApplication()
{
    ended_ = true;
    if (current_)
        current_->hide();
    ::PostMessageW(nullptr, WM_NULL, 0, 0);
}

}  // namespace corvel::win32
