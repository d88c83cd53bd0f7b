// The design of the three windows, toolkit-free: each window's caption, size
// and icon, and its controls as a table: role, design name, caption, place
// in twips, font, colours, tab index, initial state. Every view (Qt, Win32)
// builds its widgets from these tables; the behaviour classes name controls
// by their Control id.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvel {

enum class WindowKind {
    Main,    // "frmmain": line-pair dictionaries
    Equals,  // "frmother": "English=Chinese" dictionaries
    About,   // "frmabout"
};

// The controls of all three windows. The two check windows share the ids of
// the controls they both have (their design names may differ).
enum class Control {
    // Both check windows
    PathLabel,          // lblin / lbl
    PathBox,            // txtfile
    BrowseButton,       // cmdopen
    CheckButton,        // cmdCheck
    AboutButton,        // cmdhelp / cmdabout
    CheckModeButton,    // optcheck / optChect
    CorrectModeButton,  // optcorrect / optcro
    StatusBox,          // Image1 / img: the bordered box behind lbl1 to lbl5
    StatusProcessing,   // lbl1 "正在处理第"
    StatusLineNumber,   // lbl2
    StatusLine,         // lbl3 "行"
    StatusEscHint,      // lbl4 "按 ESC 键停止校验..."
    StatusMessage,      // lbl5 waiting / processing... / result
    // Main window
    SwitchLabel,            // lblother
    CheckFrame,             // fracheck
    CorrectFrame,           // fracorrect
    ReplaceLogBox,          // chkreplace
    PromptAtEndBox,         // chkprompt
    StopOnEmptyBox,         // chkspac
    StopOnErrorsBox,        // chkstop
    DeleteEmptyBox,         // chkspace
    DeleteErroneousBox,     // chkerror
    DeleteUntranslatedBox,  // chknotra
    ExitButton,             // cmdexit
    // Equals window
    InfoFrame,     // frainfo
    InfoLabel,     // lblinfo
    ReturnButton,  // cmdret
    // About window
    SuggestionLine,  // Label2
    LowerRule,       // Line1_1
    ProductName,     // lblcap
    Picture,         // Image1
    AuthorLine,      // lblauthor
    EmailLine,       // lblemail
    HomePageLine,    // lblnet
    UpperRule,       // Line1_0
    FreeSoftware,    // Label1
    VersionLine,     // Label3
};

enum class Role { Button, CheckBox, OptionButton, Frame, Label, TextBox, Image, Line };

// Left, Top, Width, Height in twips (1/1440 inch; 15 twips = 1 pixel at 96 dpi).
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
    constexpr bool isEmpty() const { return width == 0 && height == 0; }
    friend constexpr bool operator==(const TwipRect&, const TwipRect&) = default;
};

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDesignDpi = 96;

// Twips to pixels at `dpi`, rounded down as the design tools did.
constexpr int pixels(int twips, int dpi = kDesignDpi) { return twips * dpi / kTwipsPerInch; }

// The design's font families, as named on a Chinese Windows desktop.
inline constexpr std::string_view kSong = "宋体";
inline constexpr std::string_view kKai = "楷体_GB2312";

struct FontDesign {
    std::string_view face = kSong;
    double points = 9;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    friend constexpr bool operator==(const FontDesign&, const FontDesign&) = default;
};

// The windows' default font: 宋体 9 pt.
inline constexpr FontDesign kWindowFont {};

// The system colours the design names (by their Windows index).
enum class SystemColour : std::uint8_t {
    MenuBackground = 4,
    WindowText = 8,
    InactiveBorder = 11,
};

// A colour of the design: the control's default, #RRGGBB, or a system colour.
struct Colour {
    enum class Kind : std::uint8_t { Default, Rgb, System };
    Kind kind = Kind::Default;
    std::uint32_t value = 0;  // 0xRRGGBB, or the SystemColour

    static constexpr Colour rgb(std::uint32_t rrggbb) { return {Kind::Rgb, rrggbb}; }
    static constexpr Colour system(SystemColour colour)
    {
        return {Kind::System, static_cast<std::uint32_t>(colour)};
    }
    constexpr bool isDefault() const { return kind == Kind::Default; }
    constexpr std::uint8_t red() const { return static_cast<std::uint8_t>(value >> 16); }
    constexpr std::uint8_t green() const { return static_cast<std::uint8_t>(value >> 8); }
    constexpr std::uint8_t blue() const { return static_cast<std::uint8_t>(value); }
    friend constexpr bool operator==(const Colour&, const Colour&) = default;
};

enum class Align { Left, Centre };

// The mouse pointer over a control.
enum class Pointer {
    Default,
    PointingHand,  // 32x32, 16 colours, fingertip hot spot at (12, 1): lblother
    LinkHand,      // 32x32, black and white, hot spot at (6, 0): the about links
};

enum class WindowIcon {
    Application,  // three books: the main and the about window
    OtherWindow,  // the slanted red block: the equals window
};

inline constexpr int kNoTabIndex = -1;

struct ControlDesign {
    Control id;
    std::string_view name;  // the design name, also the Qt object name
    Role role;
    std::string caption {};  // UTF-8; "&" marks the access key
    TwipRect rect;          // relative to `parent`'s top left, else to the client area
    std::optional<Control> parent = std::nullopt;  // the frame that holds it
    FontDesign font = kWindowFont;
    Colour fore {};         // text colour
    Colour back {};         // background
    Colour hover {};        // background while the pointer is over it
    int tabIndex = kNoTabIndex;
    bool enabled = true;
    bool checked = false;   // check and option buttons
    bool visible = true;
    Align align = Align::Left;
    bool autoSize = false;  // the label takes its text's size
    bool wraps = false;     // the label wraps within its width
    bool border = false;    // labels and images: a fixed single border
    Pointer pointer = Pointer::Default;
    std::string hint {};    // a fixed tooltip; others are set by the behaviour
    // A label whose text changes while the window shows it: the room its
    // text may take (within the box, around the design centre), so that a
    // view can give it a fixed size. Empty: the design rect.
    TwipRect room {};
    int lineWidth = 0;      // lines: thickness in pixels; rect.height is 0

    // Whether the control takes the keyboard focus (and so a tab stop).
    bool takesFocus() const;
    // The access key (the character after "&", upper case), or 0.
    char accessKey() const;
    // The caption without its "&" marker.
    std::string plainCaption() const;
    // The room, or the design rect when no room is given.
    TwipRect textRoom() const { return room.isEmpty() ? rect : room; }
};

struct WindowDesign {
    WindowKind kind;
    std::string_view name;  // "frmmain", "frmother", "frmabout"
    std::string caption;    // UTF-8
    int clientWidth = 0;    // twips
    int clientHeight = 0;   // twips
    WindowIcon icon = WindowIcon::Application;
    FontDesign font = kWindowFont;
    bool minimizeButton = true;
    bool closeCommand = true;      // frmother: the system menu's Close is removed
    bool centredOnScreen = true;   // frmabout: centred over its opener
    bool keyPreview = true;        // the window sees keys before the focused control
    std::vector<ControlDesign> controls {};  // in creation order

    // The control with this id; the design must have it.
    const ControlDesign& control(Control id) const;
    const ControlDesign* find(Control id) const;
    // The focusable controls in tab order.
    std::vector<const ControlDesign*> tabOrder() const;
};

const WindowDesign& windowDesign(WindowKind kind);

}  // namespace corvel
