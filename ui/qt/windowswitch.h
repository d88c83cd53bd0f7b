// The Qt side of switching between the two check windows: makes a window
// from its design when the switch (ui_core) asks for it, and drops the one
// it replaces.
#pragma once

#include "checkwindow.h"
#include "window_switch.h"

#include <QObject>
#include <QPointer>

namespace corvel {

class QtWindowSwitch : public QObject, private WindowOpener {
    Q_OBJECT
public:
    explicit QtWindowSwitch(EditorLauncher launcher = launchEditor);
    ~QtWindowSwitch() override;

    void showMain() { switch_.showMain(); }
    void showOther() { switch_.showEquals(); }
    CheckWindow* current() const { return current_; }

signals:
    // A window asked to end the application; no run is in progress.
    void endRequested();

private:
    // WindowOpener
    void replaceWindow(WindowKind kind) override;
    void endApplication() override { emit endRequested(); }

    EditorLauncher launcher_;
    WindowSwitch switch_ {*this};
    QPointer<CheckWindow> current_;
};

}  // namespace corvel
