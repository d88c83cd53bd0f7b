#include "windowswitch.h"

#include "equalswindow.h"
#include "mainwindow.h"

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
    CheckWindow* next = kind == WindowKind::Equals ? static_cast<CheckWindow*>(new EqualsWindow(launcher_))
                                                   : new MainWindow(launcher_);
    current_ = next;
    connect(next, &CheckWindow::switchRequested, this, [this] { switch_.switchWindow(); });
    connect(next, &CheckWindow::endRequested, this, [this] { switch_.endApplication(); });
    next->show();
}

}  // namespace corvel
