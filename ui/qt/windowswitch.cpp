#include "windowswitch.h"

namespace corvel {

QtWindowSwitch::QtWindowSwitch(EditorLauncher launcher)
    : launcher_(std::move(launcher))
{
}

QtWindowSwitch::~QtWindowSwitch() { delete current_; }

// The old window is hidden at once and deleted when its handler has
// returned, since the switch is asked for from inside that handler.
void QtWindowSwitch::replaceWindow(WindowKind kind)
{
    if (current_) {
        current_->hide();
        current_->disconnect(this);
        current_->deleteLater();
    }
    auto* next = new CheckWindow(kind, launcher_);
    current_ = next;
    connect(next, &CheckWindow::switchRequested, this, [this] { switch_.switchWindow(); });
    connect(next, &CheckWindow::endRequested, this, [this] { switch_.endApplication(); });
    next->show();
}

}  // namespace corvel
