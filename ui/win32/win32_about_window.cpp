#include "win32_about_window.h"

#include "win32_check_window.h"

namespace corvel::win32 {

AboutWindow::AboutWindow(HWND opener, Services& services)
    : NativeView(windowDesign(WindowKind::About), opener), services_(services)
{
}

void AboutWindow::runModal()
{
    HWND opener = ::GetWindow(handle(), GW_OWNER);
    ::EnableWindow(opener, FALSE);
    open_ = true;
    show();
    MSG message;
    while (open_ && ::GetMessageW(&message, nullptr, 0, 0) > 0)
        dispatchMessage(message);
    ::EnableWindow(opener, TRUE);
    ::ShowWindow(handle(), SW_HIDE);
    ::SetActiveWindow(opener);
}

void AboutWindow::closeWindow() { open_ = false; }

void AboutWindow::openAddress(std::string_view address)
{
    services_.openAddress(handle(), address);
}

void AboutWindow::commanded(Control control, WORD notification)
{
    if (notification == STN_CLICKED)
        behaviour_.clicked(control);
}

void AboutWindow::backgroundClicked() { behaviour_.clicked(std::nullopt); }

void AboutWindow::closeRequested() { closeWindow(); }

}  // namespace corvel::win32
