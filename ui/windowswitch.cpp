#include "windowswitch.h"

#include "frmmain.h"
#include "frmother.h"

namespace corvel {

WindowSwitch::WindowSwitch(EditorLauncher launcher)
    : launcher_(std::move(launcher))
{
}

WindowSwitch::~WindowSwitch() { delete current_; }

void WindowSwitch::showMain()
{
    auto* window = new FrmMain(launcher_);
    connect(window, &CheckWindow::switchRequested, this, &WindowSwitch::showOther);
    replace(window);
}

void WindowSwitch::showOther()
{
    auto* window = new FrmOther(launcher_);
    connect(window, &CheckWindow::switchRequested, this, &WindowSwitch::showMain);
    replace(window);
}

// The old window is hidden at once and deleted when its handler has
// returned, since the switch is asked for from inside that handler.
void WindowSwitch::replace(CheckWindow* next)
{
    if (current_) {
        current_->hide();
        current_->disconnect(this);
        current_->deleteLater();
    }
    current_ = next;
    connect(next, &CheckWindow::endRequested, this, &WindowSwitch::endRequested);
    next->show();
}

}  // namespace corvel
