#include "window_switch.h"

namespace corvel {

void WindowSwitch::showMain() { show(WindowKind::Main); }

void WindowSwitch::showEquals() { show(WindowKind::Equals); }

void WindowSwitch::switchWindow()
{
    show(current_ == WindowKind::Main ? WindowKind::Equals : WindowKind::Main);
}

void WindowSwitch::endApplication() { opener_.endApplication(); }

void WindowSwitch::show(WindowKind kind)
{
    current_ = kind;
    opener_.replaceWindow(kind);
}

}  // namespace corvel
