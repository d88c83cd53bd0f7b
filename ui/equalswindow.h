// The Qt view of the equals-line window: its widgets from the design, the
// information box, the system menu without Close, and the wiring of its
// controls to the window's behaviour.
#pragma once

#include "checkwindow.h"
#include "equals_window.h"

namespace corvel {

class EqualsWindow : public CheckWindow {
    Q_OBJECT
public:
    explicit EqualsWindow(EditorLauncher launcher = launchEditor);

protected:
    CheckWindowBehaviour& behaviour() override { return behaviour_; }
    const CheckWindowBehaviour& behaviour() const override { return behaviour_; }

private:
    void createInformation();
    void createFileRow();
    void connectHandlers();

    EqualsWindowBehaviour behaviour_;
};

}  // namespace corvel
