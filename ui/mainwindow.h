// The Qt view of the main window: its widgets from the design, the hover
// reports, and the wiring of its controls to the window's behaviour.
#pragma once

#include "checkwindow.h"
#include "main_window.h"

namespace corvel {

class MainWindow : public CheckWindow {
    Q_OBJECT
public:
    explicit MainWindow(EditorLauncher launcher = launchEditor);

protected:
    CheckWindowBehaviour& behaviour() override { return behaviour_; }
    const CheckWindowBehaviour& behaviour() const override { return behaviour_; }

    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void createTopRow();
    void createFrame(Control frame, std::initializer_list<Control> boxes);
    void createModes();
    void createButtons();
    void trackPointer();
    void connectHandlers();
    void hover(QObject* watched, QMouseEvent* event);

    MainWindowBehaviour behaviour_;
};

}  // namespace corvel
