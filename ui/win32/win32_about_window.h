// The Win32 about window (frmabout), shown modally over the window that
// opened it. It takes no focus and handles no keys.
#pragma once

#include "about_window.h"
#include "native_view.h"
#include "services.h"

namespace corvel::win32 {

class AboutWindow final : public NativeView<AboutView> {
public:
    AboutWindow(HWND opener, Services& services);

    // Shows the window and serves events until it closes; the opener takes
    // no input meanwhile.
    void runModal();
    bool isOpen() const { return open_; }

    // AboutView
    void closeWindow() override;
    void openAddress(std::string_view address) override;

private:
    void commanded(Control control, WORD notification) override;
    void backgroundClicked() override;
    void closeRequested() override;

    Services& services_;
    AboutWindowBehaviour behaviour_ {*this};
    bool open_ = false;
};

}  // namespace corvel::win32
