// The Win32 main window (frmmain) and equals-line window (frmother): native
// controls from the design, wired to the behaviour of the window. ESC is
// seen before the focused control (key preview); Tab, the arrows and the
// access keys work as in a dialog.
#pragma once

#include "check_window.h"
#include "native_view.h"
#include "services.h"
#include "window_switch.h"

#include <chrono>
#include <memory>

namespace corvel::win32 {

class CheckWindow final : public NativeView<CheckWindowView> {
public:
    // A fresh window of `kind` (Main or Equals), shown.
    CheckWindow(WindowKind kind, Services& services, WindowSwitch& windows);
    ~CheckWindow() override;

    CheckWindowBehaviour& behaviour() { return *behaviour_; }
    void hide();

    bool preview(MSG& message) override;

    // CheckWindowView
    void showLineNumber(std::int32_t line) override;
    Answer showMessage(const MessageBoxRequest& request) override;
    std::string chooseFile(const FileChooserRequest& request) override;
    void beep() override;
    Error openInEditor(const EditorRequest& request) override;
    void serveEvents() override;
    void showAbout() override;
    void switchWindow() override;
    void endApplication() override;

private:
    void commanded(Control control, WORD notification) override;
    void closeRequested() override;
    void clicked(Control control);
    void pointerMoved(const MSG& message);
    void drawLineNumber();

    // lbl2 is drawn at most once per display frame.
    static constexpr std::chrono::milliseconds kFrame {16};

    Services& services_;
    WindowSwitch& windows_;
    std::unique_ptr<CheckWindowBehaviour> behaviour_;
    const bool tracksPointer_;  // the main window's frames and labels light up under the pointer
    std::int32_t lineNumber_ = 0;
    bool lineNumberDrawn_ = true;
    std::chrono::steady_clock::time_point lineNumberTime_ {};
};

// Dispatches one message, letting its window preview it first.
void dispatchMessage(MSG& message);

}  // namespace corvel::win32
