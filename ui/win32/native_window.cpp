#include "native_window.h"

#include "corvel/windows_text.h"
#include "res/resource_ids.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

namespace corvel::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"CorvelWindow";
constexpr int kFirstControlId = 1000;  // clear of IDOK and IDCANCEL

HINSTANCE instance() { return ::GetModuleHandleW(nullptr); }

void registerWindowClass()
{
    WNDCLASSEXW existing {};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExW(instance(), kWindowClass, &existing))
        return;
    WNDCLASSEXW wc {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ::DefWindowProcW;  // replaced per window at creation
    wc.hInstance = instance();
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWindowClass;
    ::RegisterClassExW(&wc);
}

bool isOurs(HWND hwnd)
{
    wchar_t name[32] {};
    return hwnd != nullptr && ::GetClassNameW(hwnd, name, 32) > 0
        && std::wstring_view(name) == kWindowClass;
}

// The check windows: fixed single border and a minimize button; the about
// window: a fixed dialog border, owned, so not in the task bar.
DWORD windowStyle(const WindowDesign& design)
{
    DWORD style = WS_CAPTION | WS_SYSMENU;
    if (design.kind == WindowKind::About)
        return style | WS_POPUP;
    return style | WS_OVERLAPPED | (design.minimizeButton ? WS_MINIMIZEBOX : 0);
}

DWORD windowExStyle(const WindowDesign& design)
{
    return design.kind == WindowKind::About ? WS_EX_DLGMODALFRAME : 0;
}

struct NativeClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle = 0;
};

NativeClass nativeClass(const ControlDesign& c)
{
    switch (c.role) {
    case Role::Button: return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
    case Role::CheckBox: return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP};
    case Role::OptionButton: return {L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP};
    case Role::Frame: return {L"BUTTON", BS_GROUPBOX};
    case Role::TextBox: return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case Role::Line: return {L"STATIC", SS_BLACKRECT | SS_NOTIFY};
    case Role::Image:
        if (c.id == Control::Picture)
            return {L"STATIC", SS_ICON | SS_REALSIZECONTROL | SS_NOTIFY};
        return {L"STATIC", static_cast<DWORD>(SS_NOTIFY | (c.border ? SS_SUNKEN : 0))};
    case Role::Label: break;
    }
    DWORD style = SS_NOTIFY | SS_NOPREFIX | (c.border ? static_cast<DWORD>(SS_SUNKEN) : 0);
    if (c.align == Align::Centre)
        style |= SS_CENTER;
    else
        style |= c.wraps ? SS_LEFT : SS_LEFTNOWORDWRAP;
    if (!c.wraps)
        style |= SS_CENTERIMAGE;  // one line, centred vertically
    return {L"STATIC", style};
}

// Controls are made in this order, which is Windows' tab order and z-order
// (first on top): the focusable ones in tab order, then the labels, then
// the frames, boxes and lines, which lie behind what they hold.
int stackRank(const ControlDesign& c)
{
    if (c.takesFocus())
        return 0;
    if (c.role == Role::Label)
        return 1;
    return 2;
}

}  // namespace

COLORREF colourRef(const Colour& colour)
{
    switch (colour.kind) {
    case Colour::Kind::Rgb: return RGB(colour.red(), colour.green(), colour.blue());
    case Colour::Kind::System: return ::GetSysColor(static_cast<int>(colour.value));
    case Colour::Kind::Default: break;
    }
    return ::GetSysColor(COLOR_BTNFACE);
}

NativeWindow::NativeWindow(const WindowDesign& design, HWND owner)
    : design_(design)
{
    registerWindowClass();
    hwnd_ = ::CreateWindowExW(windowExStyle(design), kWindowClass,
                              wideFromUtf8(design.caption).c_str(), windowStyle(design),
                              CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, owner, nullptr,
                              instance(), nullptr);
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&windowProc));
    dpi_ = ::GetDpiForWindow(hwnd_);
    const int icon = design.icon == WindowIcon::OtherWindow ? IDI_OTHER : IDI_CORVEL;
    for (auto [which, metric] : {std::pair {ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}}) {
        const int size = ::GetSystemMetricsForDpi(metric, dpi_);
        HANDLE picture = ::LoadImageW(instance(), MAKEINTRESOURCEW(icon), IMAGE_ICON, size, size,
                                      LR_SHARED);
        ::SendMessageW(hwnd_, WM_SETICON, which, reinterpret_cast<LPARAM>(picture));
    }
    tooltips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                  WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0, hwnd_,
                                  nullptr, instance(), nullptr);
    createControls();
    layOut();
}

NativeWindow::~NativeWindow()
{
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
    for (auto& [key, font] : fonts_)
        ::DeleteObject(font);
    for (auto& [colour, b] : brushes_)
        ::DeleteObject(b);
}

NativeWindow* NativeWindow::fromHandle(HWND hwnd)
{
    HWND root = hwnd ? ::GetAncestor(hwnd, GA_ROOT) : nullptr;
    if (!isOurs(root))
        return nullptr;
    return reinterpret_cast<NativeWindow*>(::GetWindowLongPtrW(root, GWLP_USERDATA));
}

bool NativeWindow::preview(MSG&) { return false; }

void NativeWindow::show()
{
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
    ::UpdateWindow(hwnd_);
}

HWND NativeWindow::control(Control id) const
{
    const Child* child = find(id);
    return child ? child->hwnd : nullptr;
}

std::optional<Control> NativeWindow::controlOf(HWND hwnd) const
{
    for (const Child& child : children_)
        if (child.hwnd == hwnd)
            return child.design->id;
    return std::nullopt;
}

NativeWindow::Child* NativeWindow::find(Control id)
{
    for (Child& child : children_)
        if (child.design->id == id)
            return &child;
    return nullptr;
}

const NativeWindow::Child* NativeWindow::find(Control id) const
{
    return const_cast<NativeWindow*>(this)->find(id);
}

void NativeWindow::createControls()
{
    std::vector<const ControlDesign*> order;
    for (const ControlDesign* c : design_.tabOrder())
        order.push_back(c);
    for (int rank : {1, 2})
        for (const ControlDesign& c : design_.controls)
            if (stackRank(c) == rank)
                order.push_back(&c);
    children_.reserve(order.size());
    bool afterOption = false;
    for (const ControlDesign* c : order) {
        Child& child = children_.emplace_back();
        child.design = c;
        createControl(child);
        // An option button after a non-option one starts a group; so does
        // the first focusable control after the options.
        const bool option = c->role == Role::OptionButton;
        if (c->takesFocus() && option != afterOption) {
            ::SetWindowLongPtrW(child.hwnd, GWL_STYLE,
                                ::GetWindowLongPtrW(child.hwnd, GWL_STYLE) | WS_GROUP);
        }
        if (c->takesFocus())
            afterOption = option;
        addTool(child);
    }
}

void NativeWindow::createControl(Child& child)
{
    const ControlDesign& c = *child.design;
    const NativeClass native = nativeClass(c);
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | native.style;
    if (c.visible)
        style |= WS_VISIBLE;
    if (!c.enabled)
        style |= WS_DISABLED;
    const auto index = static_cast<INT_PTR>(&c - design_.controls.data());
    const std::wstring caption = c.role == Role::Image ? std::wstring() : wideFromUtf8(c.caption);
    child.hwnd = ::CreateWindowExW(native.exStyle, native.name, caption.c_str(), style, 0, 0, 0, 0,
                                   hwnd_, reinterpret_cast<HMENU>(kFirstControlId + index),
                                   instance(), nullptr);
    if (c.role == Role::CheckBox || c.role == Role::OptionButton)
        ::SendMessageW(child.hwnd, BM_SETCHECK, c.checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (c.id == Control::Picture) {
        HANDLE icon = ::LoadImageW(instance(), MAKEINTRESOURCEW(IDI_CORVEL), IMAGE_ICON, 32, 32,
                                   LR_SHARED);
        ::SendMessageW(child.hwnd, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    }
    child.hint = wideFromUtf8(c.hint);
}

// The design place in pixels at this DPI, in client coordinates.
RECT NativeWindow::placeOf(const ControlDesign& c) const
{
    TwipRect r = c.textRoom();
    if (c.parent) {
        const TwipRect frame = design_.control(*c.parent).rect;
        r.left += frame.left;
        r.top += frame.top;
    }
    const int dpi = static_cast<int>(dpi_);
    RECT place {pixels(r.left, dpi), pixels(r.top, dpi), pixels(r.right(), dpi),
                pixels(r.bottom(), dpi)};
    place.right = place.left + pixels(r.width, dpi);
    place.bottom = place.top + pixels(r.height, dpi);
    if (c.role == Role::Line)
        place.bottom = place.top + ::MulDiv(c.lineWidth, dpi, kDesignDpi);
    return place;
}

void NativeWindow::layOut()
{
    for (Child& child : children_) {
        const ControlDesign& c = *child.design;
        RECT place = placeOf(c);
        HFONT f = font(c.font);
        ::SendMessageW(child.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
        // An auto-sized label is at least its design size and grows where
        // the installed font needs more, with its border and a pixel of
        // air on each side around the glyphs. A wrapping label keeps its
        // design size, as the design drew it.
        if (c.autoSize && c.room.isEmpty() && !c.wraps) {
            HDC dc = ::GetDC(child.hwnd);
            HGDIOBJ old = ::SelectObject(dc, f);
            const std::wstring text = wideFromUtf8(c.caption);
            RECT extent {0, 0, 0, 0};
            ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &extent,
                        DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
            ::SelectObject(dc, old);
            ::ReleaseDC(child.hwnd, dc);
            const int frame = c.border ? 2 * (::GetSystemMetricsForDpi(SM_CXEDGE, dpi_) + 1) : 0;
            place.right = place.left + std::max<LONG>(place.right - place.left, extent.right + frame);
            place.bottom = place.top + std::max<LONG>(place.bottom - place.top, extent.bottom + frame);
        }
        ::SetWindowPos(child.hwnd, nullptr, place.left, place.top, place.right - place.left,
                       place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT frame {0, 0, pixels(design_.clientWidth, static_cast<int>(dpi_)),
                pixels(design_.clientHeight, static_cast<int>(dpi_))};
    ::AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(::GetWindowLongPtrW(hwnd_, GWL_STYLE)),
                               FALSE, static_cast<DWORD>(::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)),
                               dpi_);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    // Centred on the screen, or over the opener.
    HWND owner = ::GetWindow(hwnd_, GW_OWNER);
    RECT around {};
    if (owner != nullptr && design_.kind == WindowKind::About) {
        ::GetWindowRect(owner, &around);
    } else {
        MONITORINFO monitor {};
        monitor.cbSize = sizeof monitor;
        ::GetMonitorInfoW(::MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
        around = monitor.rcWork;
    }
    ::SetWindowPos(hwnd_, nullptr, (around.left + around.right - width) / 2,
                   (around.top + around.bottom - height) / 2, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT NativeWindow::font(const FontDesign& d)
{
    const FontKey key {d.face, d.points, d.bold, d.italic, d.underline};
    if (auto it = fonts_.find(key); it != fonts_.end())
        return it->second;
    const int height = -static_cast<int>(std::lround(d.points * dpi_ / 72.0));
    HFONT f = ::CreateFontW(height, 0, 0, 0, d.bold ? FW_BOLD : FW_NORMAL, d.italic, d.underline,
                            FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                            wideFromUtf8(d.face).c_str());
    fonts_.emplace(key, f);
    return f;
}

HBRUSH NativeWindow::brush(COLORREF colour)
{
    if (auto it = brushes_.find(colour); it != brushes_.end())
        return it->second;
    return brushes_.emplace(colour, ::CreateSolidBrush(colour)).first->second;
}

// Text and background of labels, check and option boxes and frames.
LRESULT NativeWindow::colourControl(HDC dc, HWND hwnd)
{
    COLORREF back = ::GetSysColor(COLOR_BTNFACE);
    for (const Child& child : children_) {
        if (child.hwnd != hwnd)
            continue;
        const ControlDesign& c = *child.design;
        if (!c.fore.isDefault())
            ::SetTextColor(dc, colourRef(c.fore));
        if (child.lit)
            back = colourRef(c.hover);
        else if (!c.back.isDefault())
            back = colourRef(c.back);
    }
    ::SetBkColor(dc, back);
    return reinterpret_cast<LRESULT>(brush(back));
}

bool NativeWindow::setCursorFor(HWND hwnd)
{
    for (const Child& child : children_) {
        if (child.hwnd != hwnd || child.design->pointer == Pointer::Default
            || !::IsWindowEnabled(hwnd))
            continue;
        const int cursor =
            child.design->pointer == Pointer::PointingHand ? IDC_SWITCH_HAND : IDC_LINK_HAND;
        ::SetCursor(::LoadCursorW(instance(), MAKEINTRESOURCEW(cursor)));
        return true;
    }
    return false;
}

// A tooltip per control with a hint. A frame lets the pointer through to
// the window, so its tool is the frame's area of the window.
void NativeWindow::addTool(const Child& child)
{
    TOOLINFOW tool {};
    tool.cbSize = sizeof tool;
    tool.hwnd = hwnd_;
    tool.uFlags = TTF_SUBCLASS;
    if (child.design->role == Role::Frame) {
        tool.uId = static_cast<UINT_PTR>(::GetDlgCtrlID(child.hwnd));
    } else {
        tool.uFlags |= TTF_IDISHWND;
        tool.uId = reinterpret_cast<UINT_PTR>(child.hwnd);
    }
    ::SendMessageW(tooltips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (child.hint.empty())
        return;
    tool.lpszText = const_cast<wchar_t*>(child.hint.c_str());
    if (child.design->role == Role::Frame) {
        ::GetWindowRect(child.hwnd, &tool.rect);
        ::MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&tool.rect), 2);
    }
    ::SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void NativeWindow::setControlText(Control id, std::string_view utf8)
{
    if (HWND hwnd = control(id))
        ::SetWindowTextW(hwnd, wideFromUtf8(utf8).c_str());
}

std::string NativeWindow::controlText(Control id) const
{
    HWND hwnd = control(id);
    if (hwnd == nullptr)
        return {};
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return utf8FromWide(text);
}

void NativeWindow::setControlHint(Control id, std::string_view utf8)
{
    if (Child* child = find(id)) {
        child->hint = wideFromUtf8(utf8);
        addTool(*child);
    }
}

void NativeWindow::setControlLit(Control id, bool lit)
{
    Child* child = find(id);
    if (child == nullptr || child->lit == lit)
        return;
    child->lit = lit;
    ::InvalidateRect(child->hwnd, nullptr, TRUE);
}

LRESULT CALLBACK NativeWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<NativeWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr)
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT NativeWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: {
        const int index = LOWORD(wParam) - kFirstControlId;
        if (lParam != 0 && index >= 0 && index < static_cast<int>(design_.controls.size()))
            commanded(design_.controls[static_cast<std::size_t>(index)].id, HIWORD(wParam));
        return 0;
    }
    case WM_CTLCOLORSTATIC:
        return colourControl(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
        if (setCursorFor(reinterpret_cast<HWND>(wParam)))
            return TRUE;
        break;
    case WM_LBUTTONUP:
        backgroundClicked();
        return 0;
    case WM_CLOSE:
        closeRequested();
        return 0;
    case WM_DPICHANGED: {
        dpi_ = HIWORD(wParam);
        for (auto& [key, f] : fonts_)
            ::DeleteObject(f);
        fonts_.clear();
        layOut();
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, 0, 0,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
        return 0;
    }
    default: break;
    }
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace corvel::win32
