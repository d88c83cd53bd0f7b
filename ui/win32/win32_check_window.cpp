#include "win32_check_window.h"

#include "win32_about_window.h"

namespace corvel::win32 {

namespace {

// The window menu's Close entry in a fixed-border window with a minimize
// button: Restore, Move, Size, Minimize, Maximize, separator, Close.
constexpr int kCloseEntry = 6;

}  // namespace

void dispatchMessage(MSG& message)
{
    if (NativeWindow* window = NativeWindow::fromHandle(message.hwnd))
        if (window->preview(message))
            return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

CheckWindow::CheckWindow(WindowKind kind, Services& services, WindowSwitch& windows)
    : NativeView(windowDesign(kind), nullptr), services_(services), windows_(windows),
      behaviour_(checkWindowBehaviour(kind, *this)), tracksPointer_(kind == WindowKind::Main)
{
    behaviour_->opened();
    if (!design().closeCommand)
        removeSystemMenuEntry(handle(), kCloseEntry);
    show();
    if (HWND first = ::GetNextDlgTabItem(handle(), nullptr, FALSE))
        ::SetFocus(first);
}

CheckWindow::~CheckWindow() = default;

void CheckWindow::hide() { ::ShowWindow(handle(), SW_HIDE); }

// Key preview: ESC is the window's whichever control has the focus and
// whatever Shift, Ctrl and Alt; the rest goes through the dialog manager.
bool CheckWindow::preview(MSG& message)
{
    if (!::IsWindowEnabled(handle()))
        return false;  // a modal window over it has the input
    if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN)
        && message.wParam == VK_ESCAPE) {
        behaviour_->escapePressed();
        return true;
    }
    if (message.message == WM_MOUSEMOVE && tracksPointer_)
        pointerMoved(message);
    return ::IsDialogMessageW(handle(), &message) != FALSE;
}

// Over a frame's own surface the window itself gets the move (a frame lets
// the pointer through); over a control, the control does.
void CheckWindow::pointerMoved(const MSG& message)
{
    if (message.hwnd != handle()) {
        behaviour_->pointerOver(controlOf(message.hwnd));
        return;
    }
    const POINT at {static_cast<short>(LOWORD(message.lParam)), static_cast<short>(HIWORD(message.lParam))};
    for (Control frame : {Control::CheckFrame, Control::CorrectFrame}) {
        RECT area {};
        ::GetWindowRect(control(frame), &area);
        ::MapWindowPoints(nullptr, handle(), reinterpret_cast<POINT*>(&area), 2);
        if (::PtInRect(&area, at)) {
            behaviour_->pointerOver(frame);
            return;
        }
    }
    behaviour_->pointerOver(std::nullopt);
}

void CheckWindow::commanded(Control control, WORD notification)
{
    if (control == Control::PathBox && notification == EN_CHANGE) {
        behaviour_->pathBoxChanged(controlText(Control::PathBox));
        return;
    }
    if (notification == BN_CLICKED)  // also STN_CLICKED, the same code
        clicked(control);
}

void CheckWindow::clicked(Control control) { behaviour_->clicked(control); }

void CheckWindow::closeRequested() { behaviour_->closeRequested(); }

void CheckWindow::showLineNumber(std::int32_t line)
{
    lineNumber_ = line;
    lineNumberDrawn_ = false;
    if (std::chrono::steady_clock::now() - lineNumberTime_ >= kFrame)
        drawLineNumber();
}

void CheckWindow::drawLineNumber()
{
    if (lineNumberDrawn_)
        return;
    setControlText(Control::StatusLineNumber, std::to_string(lineNumber_));
    lineNumberDrawn_ = true;
    lineNumberTime_ = std::chrono::steady_clock::now();
}

Answer CheckWindow::showMessage(const MessageBoxRequest& request)
{
    drawLineNumber();
    return services_.showMessage(handle(), request);
}

std::string CheckWindow::chooseFile(const FileChooserRequest& request)
{
    return services_.chooseFile(handle(), request);
}

void CheckWindow::beep() { ::MessageBeep(MB_OK); }

Error CheckWindow::openInEditor(const EditorRequest& request)
{
    return services_.openInEditor(request);
}

void CheckWindow::serveEvents()
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatchMessage(message);
    }
}

void CheckWindow::showAbout()
{
    AboutWindow about(handle(), services_);
    about.runModal();
}

void CheckWindow::switchWindow() { windows_.switchWindow(); }

void CheckWindow::endApplication() { windows_.endApplication(); }

}  // namespace corvel::win32
