// The Win32 windows driven in-process through their messages (clicks, keys,
// close), with stand-ins for the message boxes, the file chooser and the
// editor. What the windows do is tested once against ui_core; these tests
// cover what is the Win32 view's own: the native controls, their places at
// 96 dpi, fonts, captions, states, tab order, the equals window's missing
// close command, key preview, hover and cursor, and whole runs on GBK
// dictionaries whose outputs must equal corvel-check's.
#include "application.h"
#include "res/resource_ids.h"
#include "test_support.h"
#include "win32_about_window.h"
#include "windows_process.h"

#include "corvel/windows_text.h"

#include <commctrl.h>

#include <cmath>
#include <deque>
#include <functional>

namespace corvel::test {
namespace {

using win32::Application;
using win32::CheckWindow;

// Answers for the dialogs, and what the windows asked of them.
class StandIns final : public win32::Services {
public:
    Answer showMessage(HWND, const MessageBoxRequest& request) override
    {
        messages.push_back(request);
        if (onMessage)
            onMessage(request);
        if (answers.empty())
            return Answer::Cancel;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::string chooseFile(HWND, const FileChooserRequest& request) override
    {
        chooserRequests.push_back(request);
        return chosen;
    }
    Error openInEditor(const EditorRequest& request) override
    {
        editorRequests.push_back(request);
        return {};
    }
    void openAddress(HWND, std::string_view address) override { addresses.emplace_back(address); }

    std::deque<Answer> answers;
    std::function<void(const MessageBoxRequest&)> onMessage;
    std::string chosen;
    std::vector<MessageBoxRequest> messages;
    std::vector<FileChooserRequest> chooserRequests;
    std::vector<EditorRequest> editorRequests;
    std::vector<std::string> addresses;
};

std::string textOf(HWND hwnd)
{
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return utf8FromWide(text);
}

std::string classOf(HWND hwnd)
{
    wchar_t name[64] {};
    ::GetClassNameW(hwnd, name, 64);
    return utf8FromWide(name);
}

// The control's place in its window's client area.
RECT placeOf(HWND hwnd)
{
    RECT r {};
    ::GetWindowRect(hwnd, &r);
    ::MapWindowPoints(nullptr, ::GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The design place at 96 dpi, in the window's client area.
RECT designPlace(const WindowDesign& window, const ControlDesign& c)
{
    TwipRect r = c.textRoom();
    if (c.parent) {
        r.left += window.control(*c.parent).rect.left;
        r.top += window.control(*c.parent).rect.top;
    }
    return {pixels(r.left), pixels(r.top), pixels(r.left) + pixels(r.width),
            pixels(r.top) + pixels(r.height)};
}

const char* nativeClassOf(Role role)
{
    switch (role) {
    case Role::Button:
    case Role::CheckBox:
    case Role::OptionButton:
    case Role::Frame: return "Button";
    case Role::TextBox: return "Edit";
    default: return "Static";
    }
}

LONG_PTR buttonType(Role role)
{
    switch (role) {
    case Role::Button: return BS_PUSHBUTTON;
    case Role::CheckBox: return BS_AUTOCHECKBOX;
    case Role::OptionButton: return BS_AUTORADIOBUTTON;
    case Role::Frame: return BS_GROUPBOX;
    default: return -1;
    }
}

// The size of a control's caption on one line in the control's font.
SIZE textExtent(HWND hwnd)
{
    const std::wstring text = wideFromUtf8(textOf(hwnd));
    HDC dc = ::GetDC(hwnd);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    RECT extent {};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &extent,
                DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    ::SelectObject(dc, old);
    ::ReleaseDC(hwnd, dc);
    return {extent.right, extent.bottom};
}

// The colours a window gives a label or box when it draws it.
std::pair<COLORREF, COLORREF> drawnColours(HWND window, HWND control)
{
    HDC dc = ::CreateCompatibleDC(nullptr);
    ::SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(control));
    const std::pair colours {::GetTextColor(dc), ::GetBkColor(dc)};
    ::DeleteDC(dc);
    return colours;
}

COLORREF rgb(std::uint32_t rrggbb) { return RGB(rrggbb >> 16, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF); }

void click(HWND control) { ::SendMessageW(control, BM_CLICK, 0, 0); }

// A label's click as the label reports it (a label with SS_NOTIFY).
void clickLabel(HWND label)
{
    ::SendMessageW(::GetParent(label), WM_COMMAND,
                   MAKEWPARAM(::GetDlgCtrlID(label), STN_CLICKED), reinterpret_cast<LPARAM>(label));
}

class Win32Windows : public TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        ::SetCursorPos(0, 0);  // the real pointer away from the windows, which are centred
        app_.start();
    }
    CheckWindow& window() { return *app_.window(); }
    HWND control(Control id) { return window().control(id); }
    void serve() { app_.serveWaitingEvents(); }
    void switchToEquals()
    {
        clickLabel(control(Control::SwitchLabel));
        serve();
        ASSERT_EQ(window().design().kind, WindowKind::Equals);
    }
    // A dictionary in a folder of its own with a Chinese name, chosen with 浏览.
    fs::path choose(const std::string& name, const std::string& bytes)
    {
        const fs::path path = makeFile(fs::path(u8"字典") / name, bytes);
        standIns_.chosen = utf8FromWide(path.wstring());
        click(control(Control::BrowseButton));
        EXPECT_EQ(textOf(control(Control::PathBox)), standIns_.chosen);
        return path;
    }
    // corvel-check on a copy of the dictionary; the folder it wrote into.
    fs::path checkerOutput(const std::string& name, const std::string& bytes,
                           const std::string& options)
    {
        const fs::path copy = makeFile(fs::path("checker") / name, bytes);
        runProcess(quoted(besideTestProgram(L"corvel-check.exe")) + " -q " + options + " "
                   + quoted(copy));
        return copy.parent_path();
    }

    StandIns standIns_;
    Application app_ {standIns_};
};

// Every control of a window, as the design gives it: native class and
// kind, place at 96 dpi, font, caption, states.
void expectControlsAsDesigned(const win32::NativeWindow& window)
{
    const WindowDesign& design = window.design();
    RECT client {};
    ::GetClientRect(window.handle(), &client);
    EXPECT_EQ(client.right, pixels(design.clientWidth)) << design.name;
    EXPECT_EQ(client.bottom, pixels(design.clientHeight)) << design.name;
    EXPECT_EQ(textOf(window.handle()), design.caption);
    for (const ControlDesign& c : design.controls) {
        SCOPED_TRACE(std::string(design.name) + "." + std::string(c.name));
        HWND hwnd = window.control(c.id);
        ASSERT_NE(hwnd, nullptr);
        EXPECT_EQ(classOf(hwnd), nativeClassOf(c.role));
        if (buttonType(c.role) >= 0) {
            EXPECT_EQ(::GetWindowLongPtrW(hwnd, GWL_STYLE) & BS_TYPEMASK, buttonType(c.role));
        }
        const RECT want = designPlace(design, c);
        const RECT got = placeOf(hwnd);
        EXPECT_EQ(got.left, want.left);
        EXPECT_EQ(got.top, want.top);
        if (c.role == Role::Line) {
            EXPECT_EQ(got.right, want.right);
            EXPECT_EQ(got.bottom - got.top, c.lineWidth);
        } else if (c.autoSize && c.room.isEmpty() && !c.wraps) {
            // At least the design size; more only where the font needs it.
            EXPECT_GE(got.right, want.right);
            EXPECT_GE(got.bottom, want.bottom);
        } else {
            EXPECT_EQ(got.right, want.right);
            EXPECT_EQ(got.bottom, want.bottom);
        }
        if (c.role == Role::Label && c.border) {
            // The glyphs stay off the border: a pixel of air on each side.
            const SIZE text = textExtent(hwnd);
            RECT inside {};
            ::GetClientRect(hwnd, &inside);
            EXPECT_GE(inside.right, text.cx + 2);
            EXPECT_GE(inside.bottom, text.cy);
        }
        if (c.role != Role::Image && c.role != Role::Line && c.role != Role::TextBox) {
            EXPECT_EQ(textOf(hwnd), c.caption);
        }
        if (c.role == Role::Line || c.role == Role::Image)
            continue;  // no text, no font
        LOGFONTW font {};
        ASSERT_NE(::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(hwnd, WM_GETFONT, 0, 0)),
                               sizeof font, &font), 0);
        EXPECT_EQ(utf8FromWide(font.lfFaceName), c.font.face);
        EXPECT_EQ(font.lfHeight, -std::lround(c.font.points * 96 / 72));
        EXPECT_EQ(font.lfWeight, c.font.bold ? FW_BOLD : FW_NORMAL);
        EXPECT_EQ(font.lfItalic != 0, c.font.italic);
        EXPECT_EQ(font.lfUnderline != 0, c.font.underline);
        EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
        EXPECT_EQ(::IsWindowVisible(hwnd) != FALSE, c.visible);
        if (c.role == Role::CheckBox || c.role == Role::OptionButton) {
            EXPECT_EQ(::SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED, c.checked);
        }
        if (!c.fore.isDefault()) {
            EXPECT_EQ(drawnColours(window.handle(), hwnd).first, win32::colourRef(c.fore));
        }
    }
}

// The focusable controls in Windows' tab order (the tab stops, top first).
// An option group is one tab stop, its selected button; both count here.
std::vector<Control> tabStops(const win32::NativeWindow& window)
{
    std::vector<Control> stops;
    for (HWND c = ::GetWindow(window.handle(), GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        const LONG_PTR style = ::GetWindowLongPtrW(c, GWL_STYLE);
        const bool option = classOf(c) == "Button" && (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
        if ((style & WS_TABSTOP) || option)
            stops.push_back(*window.controlOf(c));
    }
    return stops;
}

std::vector<Control> designTabOrder(const WindowDesign& design)
{
    std::vector<Control> order;
    for (const ControlDesign* c : design.tabOrder())
        order.push_back(c->id);
    return order;
}

TEST_F(Win32Windows, MainWindowShowsItsDesign)
{
    expectControlsAsDesigned(window());
    EXPECT_EQ(tabStops(window()), designTabOrder(window().design()));
    EXPECT_EQ(::GetFocus(), control(Control::BrowseButton));
    // The opening rule: no file yet, check mode.
    EXPECT_FALSE(::IsWindowEnabled(control(Control::CheckButton)));
    for (Control box : {Control::DeleteEmptyBox, Control::DeleteErroneousBox,
                        Control::DeleteUntranslatedBox})
        EXPECT_FALSE(::IsWindowEnabled(control(box)));
    EXPECT_TRUE(::IsWindowEnabled(control(Control::StopOnEmptyBox)));
}

// On a monitor of 144 dpi the design's twips and points make 1.5 times the pixels.
TEST_F(Win32Windows, LayoutFollowsTheMonitorsDpi)
{
    RECT suggested {};
    ::GetWindowRect(window().handle(), &suggested);
    ::SendMessageW(window().handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                   reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(window().dpi(), 144u);
    for (Control id : {Control::BrowseButton, Control::ReplaceLogBox, Control::StatusMessage}) {
        const ControlDesign& c = window().design().control(id);
        TwipRect r = c.textRoom();
        if (c.parent) {
            r.left += window().design().control(*c.parent).rect.left;
            r.top += window().design().control(*c.parent).rect.top;
        }
        const RECT got = placeOf(control(id));
        EXPECT_EQ(got.left, pixels(r.left, 144)) << c.name;
        EXPECT_EQ(got.top, pixels(r.top, 144)) << c.name;
        EXPECT_EQ(got.right - got.left, pixels(r.width, 144)) << c.name;
        LOGFONTW font {};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control(id), WM_GETFONT, 0, 0)),
                     sizeof font, &font);
        EXPECT_EQ(font.lfHeight, -std::lround(c.font.points * 144 / 72)) << c.name;
    }
}

TEST_F(Win32Windows, EqualsWindowShowsItsDesignAndHasNoCloseCommand)
{
    switchToEquals();
    expectControlsAsDesigned(window());
    EXPECT_EQ(tabStops(window()), designTabOrder(window().design()));
    HMENU menu = ::GetSystemMenu(window().handle(), FALSE);
    EXPECT_EQ(::GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_NE(::GetMenuState(menu, SC_MOVE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_NE(::GetMenuState(menu, SC_MINIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    ::SendMessageW(window().handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ::SendMessageW(window().handle(), WM_CLOSE, 0, 0);
    serve();
    EXPECT_FALSE(app_.hasEnded());
    EXPECT_TRUE(::IsWindowVisible(window().handle()));
    // 返回 brings a fresh main window, which can be closed.
    click(control(Control::ReturnButton));
    serve();
    ASSERT_EQ(window().design().kind, WindowKind::Main);
    EXPECT_NE(::GetMenuState(::GetSystemMenu(window().handle(), FALSE), SC_CLOSE, MF_BYCOMMAND),
              static_cast<UINT>(-1));
    ::SendMessageW(window().handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(app_.hasEnded());
}

TEST_F(Win32Windows, AboutWindowShowsItsDesignModally)
{
    bool mainTookInput = true;
    std::function<void()> look = [&] {
        HWND about = ::FindWindowW(L"CorvelWindow", L"关于");
        ASSERT_NE(about, nullptr);
        mainTookInput = ::IsWindowEnabled(window().handle()) != FALSE;
        auto* view = win32::NativeWindow::fromHandle(about);
        expectControlsAsDesigned(*view);
        EXPECT_TRUE(tabStops(*view).empty());
        clickLabel(view->control(Control::EmailLine));  // stays open
        ::PostMessageW(about, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));  // the background closes it
    };
    static std::function<void()>* pending = nullptr;
    pending = &look;
    ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        (*pending)();
    });
    click(control(Control::AboutButton));  // returns when the about window has closed
    EXPECT_FALSE(mainTookInput);
    EXPECT_TRUE(::IsWindowEnabled(window().handle()));
    ASSERT_EQ(standIns_.addresses.size(), 1u);
    EXPECT_EQ(standIns_.addresses[0].rfind("mailto:", 0), 0u);
}

TEST_F(Win32Windows, SwitchLabelLightsUpUnderThePointerWithTheHandCursor)
{
    // The real pointer's own moves (it was sent away from the windows) are
    // served first, so that only the moves below reach the window.
    for (int i = 0; i < 10; ++i) {
        serve();
        ::Sleep(20);
    }
    HWND label = control(Control::SwitchLabel);
    const ControlDesign& design = window().design().control(Control::SwitchLabel);
    const COLORREF plain = drawnColours(window().handle(), label).second;
    ::PostMessageW(label, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    serve();
    EXPECT_EQ(drawnColours(window().handle(), label).second, win32::colourRef(design.hover));
    EXPECT_EQ(design.hover, Colour::rgb(0xFF80FF));
    // Over another control it stays lit; over the bare window it goes back.
    ::PostMessageW(control(Control::BrowseButton), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    serve();
    EXPECT_EQ(drawnColours(window().handle(), label).second, rgb(0xFF80FF));
    ::PostMessageW(window().handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    serve();
    EXPECT_EQ(drawnColours(window().handle(), label).second, plain);

    EXPECT_TRUE(::SendMessageW(window().handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(label),
                               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(::GetModuleHandleW(nullptr),
                                           MAKEINTRESOURCEW(IDC_SWITCH_HAND)));
}

TEST_F(Win32Windows, EscapeIsTheWindowsWhicheverControlHasTheFocus)
{
    ::SetFocus(control(Control::StopOnErrorsBox));
    ::PostMessageW(control(Control::StopOnErrorsBox), WM_KEYDOWN, VK_ESCAPE, 0);
    serve();
    ASSERT_EQ(standIns_.messages.size(), 1u);
    EXPECT_EQ(standIns_.messages[0].text, "真的要停止校验吗？");
    EXPECT_EQ(standIns_.messages[0].buttons, Buttons::OkCancel);
    EXPECT_FALSE(app_.hasEnded());  // Cancel
    standIns_.answers = {Answer::Ok};
    ::PostMessageW(control(Control::PathBox), WM_KEYDOWN, VK_ESCAPE, 0);
    serve();
    EXPECT_TRUE(app_.hasEnded());
}

TEST_F(Win32Windows, AccessKeyReachesItsButton)
{
    ::SetFocus(control(Control::CheckButton));
    ::PostMessageW(control(Control::CheckButton), WM_SYSCHAR, L'e', 1 << 29);  // Alt+E: 浏览(&E)
    serve();
    ASSERT_EQ(standIns_.chooserRequests.size(), 1u);
    EXPECT_EQ(standIns_.chooserRequests[0].filters[0].pattern, "*.TXT");
}

// The log's date lines hold each run's own time; everything else must match.
std::string withoutDateLines(const std::string& log)
{
    const std::string date = gbk("检查时间");
    std::string kept;
    for (const std::string& line : splitCrlf(log))
        kept += (line.rfind(date, 0) == 0 ? std::string("<date>") : line) + "\r\n";
    return kept;
}

struct RunCase {
    const char* name;
    const char* dictionary;  // a fixture, or a real dictionary of tests/data/realdata
    bool equals;
    bool correct;
    const char* checkerOptions;
    bool realData = false;
};

std::string dictionaryBytes(const RunCase& run)
{
    if (!run.realData)
        return fixtureBytes(run.dictionary);
    return readBytes(fs::path(CORVEL_REALDATA_DIR) / run.dictionary);
}

void PrintTo(const RunCase& run, std::ostream* out) { *out << run.name; }

class Win32Runs : public Win32Windows, public ::testing::WithParamInterface<RunCase> {};

TEST_P(Win32Runs, WriteWhatCorvelCheckWrites)
{
    const RunCase& run = GetParam();
    if (run.equals)
        switchToEquals();
    const std::string bytes = dictionaryBytes(run);
    const fs::path dictionary = choose(run.dictionary, bytes);
    ASSERT_TRUE(::IsWindowEnabled(control(Control::CheckButton)));
    if (run.correct)
        click(control(Control::CorrectModeButton));
    standIns_.answers = {Answer::Ok};  // the end box: open the log
    click(control(Control::CheckButton));
    ASSERT_FALSE(app_.hasEnded());
    ASSERT_EQ(standIns_.editorRequests.size(), 1u);

    const fs::path reference = checkerOutput(run.dictionary, bytes, run.checkerOptions);
    const std::string base = dictionary.stem().string();
    for (const fs::path& file : fs::directory_iterator(reference / base)) {
        SCOPED_TRACE(file.filename().string());
        const std::string mine = readBytes(dictionary.parent_path() / base / file.filename());
        if (file.extension() == ".log")
            EXPECT_TRUE(sameBytes(withoutDateLines(mine), withoutDateLines(readBytes(file))));
        else
            EXPECT_TRUE(sameBytes(mine, readBytes(file)));
    }
    EXPECT_EQ(standIns_.editorRequests[0].log, dictionary.parent_path() / base / (base + ".log"));
    EXPECT_EQ(readBytes(dictionary), bytes);
    EXPECT_EQ(textOf(control(Control::StatusMessage)).rfind("总共处理了", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Dictionaries, Win32Runs,
    ::testing::Values(RunCase {"LinePairCheck", "game.txt", false, false, ""},
                      RunCase {"LinePairCorrect", "game.txt", false, true, "--correct"},
                      RunCase {"EqualsCheck", "menu.DAT", true, false, "--equals"},
                      RunCase {"EqualsCorrect", "menu.DAT", true, true, "--equals --correct"},
                      RunCase {"RealLinePairCheck", "hexchat.pairs.txt", false, false, "", true},
                      RunCase {"RealLinePairCorrect", "minetest_game.pairs.txt", false, true,
                               "--correct", true},
                      RunCase {"RealEqualsCheck", "hexchat.eq.txt", true, false, "--equals", true},
                      RunCase {"RealEqualsCorrect", "storagedrawers.eq.txt", true, true,
                               "--equals --correct", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Win32Windows, EscapeDuringALongRunStopsItWithTheLogOnDisk)
{
    std::string pairs;
    for (int i = 0; i < 200000; ++i)
        pairs += "Open file\r\n" + gbk("打开文件") + "\r\n";
    const fs::path dictionary = choose("long.txt", pairs);
    bool askedDuringRun = false;
    standIns_.onMessage = [&](const MessageBoxRequest& request) {
        if (request.title == "停止")
            askedDuringRun = window().behaviour().isRunning();
    };
    standIns_.answers = {Answer::Ok};
    ::PostMessageW(control(Control::CheckButton), WM_KEYDOWN, VK_ESCAPE, 0);
    click(control(Control::CheckButton));
    EXPECT_TRUE(askedDuringRun);
    EXPECT_TRUE(app_.hasEnded());
    const std::string log = readBytes(dictionary.parent_path() / "long" / "long.log");
    EXPECT_FALSE(log.empty());  // the header, written out and closed
    EXPECT_EQ(log.find(gbk("总共处理了")), std::string::npos);  // no summary: the run stopped
}

}  // namespace
}  // namespace corvel::test
