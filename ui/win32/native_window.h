// A top-level Win32 window and its native controls, built from a window's
// design table: BUTTON push buttons, check and option boxes and group boxes
// (the frames), STATIC labels, pictures and lines, an EDIT box. Twips are
// scaled to the window's monitor DPI; fonts are made by their design names;
// colours, the hover highlight, the hand cursors and tooltips are drawn here.
// What a click or key means is the behaviour's: a subclass reports events.
#pragma once

#include "win32_api.h"
#include "window_design.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace corvel::win32 {

class NativeWindow {
public:
    NativeWindow(const WindowDesign& design, HWND owner);
    virtual ~NativeWindow();
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;

    HWND handle() const { return hwnd_; }
    const WindowDesign& design() const { return design_; }
    // The native control of a design control; null when the design has none.
    HWND control(Control id) const;
    // The design control a native control shows.
    std::optional<Control> controlOf(HWND child) const;
    UINT dpi() const { return dpi_; }

    // The window of a handle, when it is one of ours (also for a child).
    static NativeWindow* fromHandle(HWND hwnd);

    // Sees a message of this window or its controls before it is
    // dispatched; true when it has been handled.
    virtual bool preview(MSG& message);

protected:
    void show();
    void setControlText(Control id, std::string_view utf8);
    std::string controlText(Control id) const;
    void setControlHint(Control id, std::string_view utf8);
    void setControlLit(Control id, bool lit);

    // Events of the controls, reported by subclasses to their behaviour.
    virtual void commanded(Control, WORD /*notification*/) {}
    virtual void backgroundClicked() {}
    virtual void closeRequested() {}

private:
    struct Child {
        const ControlDesign* design;
        HWND hwnd = nullptr;
        bool lit = false;
        std::wstring hint;
    };
    using FontKey = std::tuple<std::string_view, double, bool, bool, bool>;

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls();
    void createControl(Child& child);
    void layOut();
    RECT placeOf(const ControlDesign& control) const;
    HFONT font(const FontDesign& design);
    HBRUSH brush(COLORREF colour);
    LRESULT colourControl(HDC dc, HWND child);
    bool setCursorFor(HWND child);
    void addTool(const Child& child);
    Child* find(Control id);
    const Child* find(Control id) const;

    const WindowDesign& design_;
    HWND hwnd_ = nullptr;
    HWND tooltips_ = nullptr;
    UINT dpi_ = 96;
    std::vector<Child> children_;
    std::map<FontKey, HFONT> fonts_;
    std::map<COLORREF, HBRUSH> brushes_;
};

// Colours of the design as Windows colours.
COLORREF colourRef(const Colour& colour);

}  // namespace corvel::win32
