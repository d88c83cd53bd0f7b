// The part of a toolkit view that every window shares: a native window that
// shows its design controls' texts, enabled and visible states, check marks,
// tooltips and hover highlight as its behaviour sets them.
#pragma once

#include "native_window.h"
#include "window_view.h"

namespace corvel::win32 {

template <typename View>
class NativeView : public NativeWindow, public View {
public:
    using NativeWindow::NativeWindow;

    // An unchanged text is not set again: a text box reports every setting
    // as a change, and its behaviour sets the text it is told of.
    void setText(Control id, std::string_view text) override
    {
        if (controlText(id) != text)
            setControlText(id, text);
    }
    void setEnabled(Control id, bool enabled) override
    {
        HWND hwnd = control(id);
        if (hwnd == nullptr)
            return;
        // The focus leaves a control that goes out of use, so the keys still work.
        if (!enabled && ::GetFocus() == hwnd)
            ::SetFocus(::GetNextDlgTabItem(handle(), hwnd, FALSE));
        ::EnableWindow(hwnd, enabled);
    }
    void setVisible(Control id, bool visible) override
    {
        if (HWND hwnd = control(id))
            ::ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE);
    }
    void setChecked(Control id, bool checked) override
    {
        if (HWND hwnd = control(id))
            ::SendMessageW(hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    bool isChecked(Control id) const override
    {
        HWND hwnd = control(id);
        return hwnd != nullptr && ::SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void setHint(Control id, std::string_view text) override { setControlHint(id, text); }
    void setHighlight(Control id, bool lit) override { setControlLit(id, lit); }
};

}  // namespace corvel::win32
