// Keeps exactly one of the two check windows open. Each switch discards the
// window that asked for it and shows the other one afresh from its design.
#pragma once

#include "checkwindow.h"

#include <QObject>
#include <QPointer>

namespace corvel {


class WindowSwitch : public QObject {
    Q_OBJECT
public:
    explicit WindowSwitch(EditorLauncher launcher = launchEditor);
    ~WindowSwitch() override;

    void showMain();
    void showOther();
    CheckWindow* current() const { return current_; }

signals:
    // A window asked to end the application; no run is in progress.
    void endRequested();

private:
    void replace(CheckWindow* next);

    EditorLauncher launcher_;
    QPointer<CheckWindow> current_;
};

}  // namespace corvel
