#include "window_design.h"

#include "identity.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace corvel {

namespace {

constexpr Colour kBlue = Colour::rgb(0x0000FF);
constexpr Colour kRed = Colour::rgb(0xFF0000);
constexpr Colour kDarkRed = Colour::rgb(0xC00000);
constexpr Colour kGreen = Colour::rgb(0x00C000);
constexpr FontDesign kStatusFont {kSong, 10.5};

// lbl1 to lbl5 of a check window on the row at `top`. lbl2 may take the gap
// between lbl1 and lbl3, and lbl5 the width of `message`, each around its
// design centre, so that a long line number or result keeps its place.
std::vector<ControlDesign> statusLabels(int top, int lbl1, int lbl2, int lbl3, int lbl4,
                                        TwipRect message, TwipRect messageRoom, int firstTab)
{
    const TwipRect lineNumber {lbl2, top, 525, 210};
    const TwipRect lineNumberRoom {lbl1 + 1050, top, lbl3 - (lbl1 + 1050), 210};
    return {
        {.id = Control::StatusMessage, .name = "lbl5", .role = Role::Label,
         .caption = "等待检错或纠错工作", .rect = message, .font = kStatusFont, .fore = kGreen,
         .tabIndex = firstTab, .align = Align::Centre, .autoSize = true, .room = messageRoom},
        {.id = Control::StatusEscHint, .name = "lbl4", .role = Role::Label,
         .caption = "按 ESC 键停止校验...", .rect = {lbl4, top, 2100, 210}, .font = kStatusFont,
         .fore = kRed, .tabIndex = firstTab - 1, .visible = false, .autoSize = true},
        {.id = Control::StatusLine, .name = "lbl3", .role = Role::Label, .caption = "行",
         .rect = {lbl3, top, 210, 210}, .font = kStatusFont, .fore = kBlue,
         .tabIndex = firstTab - 2, .visible = false, .autoSize = true},
        {.id = Control::StatusLineNumber, .name = "lbl2", .role = Role::Label, .caption = "10000",
         .rect = lineNumber, .font = kStatusFont, .fore = kDarkRed, .tabIndex = firstTab - 3,
         .visible = false, .align = Align::Centre, .autoSize = true, .room = lineNumberRoom},
        {.id = Control::StatusProcessing, .name = "lbl1", .role = Role::Label,
         .caption = "正在处理第", .rect = {lbl1, top, 1050, 210}, .font = kStatusFont,
         .fore = kBlue, .tabIndex = firstTab - 4, .visible = false, .autoSize = true},
    };
}

void append(std::vector<ControlDesign>& to, std::vector<ControlDesign> more)
{
    for (ControlDesign& c : more)
        to.push_back(std::move(c));
}

WindowDesign mainDesign()
{
    WindowDesign w {.kind = WindowKind::Main, .name = "frmmain",
                    .caption = identity::mainCaption(), .clientWidth = 6990,
                    .clientHeight = 4275};
    w.controls = {
        {.id = Control::AboutButton, .name = "cmdhelp", .role = Role::Button,
         .caption = "关于(&A)", .rect = {619, 3750, 1095, 375}, .tabIndex = 16,
         .hint = "调入帮助文件"},
        {.id = Control::CorrectModeButton, .name = "optcorrect", .role = Role::OptionButton,
         .caption = "启用纠错", .rect = {3840, 1410, 1155, 195}, .tabIndex = 14},
        {.id = Control::CheckModeButton, .name = "optcheck", .role = Role::OptionButton,
         .caption = "启用检错", .rect = {360, 1380, 1155, 255}, .tabIndex = 13, .checked = true},
        {.id = Control::CorrectFrame, .name = "fracorrect", .role = Role::Frame,
         .caption = "纠错", .rect = {3600, 960, 3195, 1995}, .tabIndex = 9},
        {.id = Control::DeleteUntranslatedBox, .name = "chknotra", .role = Role::CheckBox,
         .caption = "删除未翻译的行及相关行", .rect = {240, 1560, 2355, 255},
         .parent = Control::CorrectFrame, .tabIndex = 12},
        {.id = Control::DeleteErroneousBox, .name = "chkerror", .role = Role::CheckBox,
         .caption = "删除错误的行及相关行", .rect = {240, 1200, 2235, 195},
         .parent = Control::CorrectFrame, .tabIndex = 11, .checked = true},
        {.id = Control::DeleteEmptyBox, .name = "chkspace", .role = Role::CheckBox,
         .caption = "删除空行及相关行", .rect = {240, 840, 2055, 195},
         .parent = Control::CorrectFrame, .tabIndex = 10, .checked = true},
        {.id = Control::CheckFrame, .name = "fracheck", .role = Role::Frame, .caption = "检错",
         .rect = {180, 960, 3195, 1995}, .tabIndex = 4},
        {.id = Control::StopOnEmptyBox, .name = "chkspac", .role = Role::CheckBox,
         .caption = "出现空行时立即停止执行", .rect = {180, 1200, 2475, 315},
         .parent = Control::CheckFrame, .tabIndex = 8},
        {.id = Control::ReplaceLogBox, .name = "chkreplace", .role = Role::CheckBox,
         .caption = "替换日志", .rect = {180, 840, 1155, 315}, .parent = Control::CheckFrame,
         .tabIndex = 7, .checked = true},
        {.id = Control::StopOnErrorsBox, .name = "chkstop", .role = Role::CheckBox,
         .caption = "连续10行错误时停止执行(推荐)", .rect = {180, 1560, 2835, 315},
         .parent = Control::CheckFrame, .tabIndex = 6, .checked = true},
        {.id = Control::PromptAtEndBox, .name = "chkprompt", .role = Role::CheckBox,
         .caption = "提示校验完成", .rect = {1500, 840, 1395, 315},
         .parent = Control::CheckFrame, .tabIndex = 5, .checked = true,
         .hint = "该项不可阻止由于错误而出现的提示"},
        {.id = Control::PathBox, .name = "txtfile", .role = Role::TextBox,
         .rect = {180, 442, 3165, 270}, .tabIndex = 3},
        {.id = Control::ExitButton, .name = "cmdexit", .role = Role::Button,
         .caption = "退出(&X)", .rect = {5277, 3750, 1095, 375}, .tabIndex = 2},
        {.id = Control::CheckButton, .name = "cmdCheck", .role = Role::Button,
         .caption = "校验(&C)", .rect = {2940, 3750, 1095, 375}, .tabIndex = 1},
        {.id = Control::BrowseButton, .name = "cmdopen", .role = Role::Button,
         .caption = "浏览(&E)", .rect = {3600, 390, 1095, 375}, .tabIndex = 0,
         .hint = "打开要校验的字典文件"},
        {.id = Control::SwitchLabel, .name = "lblother", .role = Role::Label,
         .caption = "校验其它字典", .rect = {4980, 420, 1785, 300},
         .font = {kKai, 12, true}, .fore = Colour::system(SystemColour::WindowText),
         .back = Colour::system(SystemColour::MenuBackground), .hover = Colour::rgb(0xFF80FF),
         .tabIndex = 22, .align = Align::Centre, .autoSize = true, .border = true,
         .pointer = Pointer::PointingHand},
    };
    append(w.controls, statusLabels(3225, 480, 1770, 2550, 4380, {2535, 3225, 1890, 210},
                                    {120, 3225, 6720, 210}, 21));
    w.controls.push_back({.id = Control::StatusBox, .name = "Image1", .role = Role::Image,
                          .rect = {45, 3120, 6915, 435}, .border = true});
    w.controls.push_back({.id = Control::PathLabel, .name = "lblin", .role = Role::Label,
                          .caption = "要校验的字典文件：", .rect = {180, 180, 1695, 195},
                          .tabIndex = 15});
    return w;
}

WindowDesign equalsDesign()
{
    WindowDesign w {.kind = WindowKind::Equals, .name = "frmother", .caption = "其它项目",
                    .clientWidth = 5685, .clientHeight = 2925, .icon = WindowIcon::OtherWindow,
                    .closeCommand = false};
    w.controls = {
        {.id = Control::AboutButton, .name = "cmdabout", .role = Role::Button,
         .caption = "关于(&B)", .rect = {4230, 2400, 1155, 345}, .tabIndex = 14},
        {.id = Control::CheckButton, .name = "cmdCheck", .role = Role::Button,
         .caption = "校验(&H)", .rect = {2265, 2400, 1155, 345}, .tabIndex = 13,
         .enabled = false},
        {.id = Control::InfoFrame, .name = "frainfo", .role = Role::Frame,
         .rect = {135, 1290, 5415, 855}, .tabIndex = 6},
        {.id = Control::InfoLabel, .name = "lblinfo", .role = Role::Label,
         .caption = "    这一项功能主要是校验字典格式为“英文=中文”。只要是符合这种格式的"
                    "字典都可以检测。如在＜Marrowind＞下生成的字典文件。",
         .rect = {150, 210, 5175, 525}, .parent = Control::InfoFrame,
         .font = {kSong, 9, true}, .fore = Colour::rgb(0x804000), .tabIndex = 7,
         .wraps = true},
        {.id = Control::CorrectModeButton, .name = "optcro", .role = Role::OptionButton,
         .caption = "删除未翻译的字符串", .rect = {3465, 990, 1965, 315}, .tabIndex = 4},
        {.id = Control::CheckModeButton, .name = "optChect", .role = Role::OptionButton,
         .caption = "检验未翻译的字符串", .rect = {255, 990, 2085, 315}, .tabIndex = 3,
         .checked = true},
        {.id = Control::ReturnButton, .name = "cmdret", .role = Role::Button,
         .caption = "返回(&R)", .rect = {300, 2400, 1155, 345}, .tabIndex = 2},
        {.id = Control::BrowseButton, .name = "cmdopen", .role = Role::Button,
         .caption = "浏览(&B)", .rect = {4320, 360, 1155, 375}, .tabIndex = 1},
        {.id = Control::PathBox, .name = "txtfile", .role = Role::TextBox,
         .rect = {240, 420, 3585, 285}, .tabIndex = 0},
    };
    std::vector<ControlDesign> status = statusLabels(1687, 390, 1680, 2460, 3240,
                                                     {1897, 1680, 1890, 210},
                                                     {300, 1680, 5085, 210}, 8);
    status.front().visible = false;  // lbl5 shows with the status box, once a file is chosen
    // lbl1 to lbl5 in their design order here: lbl1 first.
    std::reverse(status.begin(), status.end());
    append(w.controls, std::move(status));
    w.controls.push_back({.id = Control::PathLabel, .name = "lbl", .role = Role::Label,
                          .caption = "字典文件：", .rect = {300, 180, 900, 180}, .tabIndex = 5,
                          .autoSize = true});
    w.controls.push_back({.id = Control::StatusBox, .name = "img", .role = Role::Image,
                          .rect = {240, 1560, 5205, 465}, .visible = false, .border = true});
    return w;
}

WindowDesign aboutDesign()
{
    constexpr Colour kLink = Colour::rgb(0x0000FF);
    constexpr FontDesign kLinkFont {kSong, 9, false, false, true};
    WindowDesign w {.kind = WindowKind::About, .name = "frmabout", .caption = "关于",
                    .clientWidth = 3990, .clientHeight = 2925, .minimizeButton = false,
                    .centredOnScreen = false, .keyPreview = false};
    w.controls = {
        {.id = Control::SuggestionLine, .name = "Label2", .role = Role::Label,
         .caption = "希望大家能够给我一些建议，以便我改进程序", .rect = {202, 2610, 3600, 180},
         .fore = Colour::rgb(0xC04000), .autoSize = true},
        {.id = Control::LowerRule, .name = "Line1_1", .role = Role::Line,
         .rect = {135, 2460, 3855 - 135, 0}, .lineWidth = 2},
        {.id = Control::ProductName, .name = "lblcap", .role = Role::Label,
         .caption = identity::kName, .rect = {1170, 150, 2325, 525},
         .font = {kKai, 26.25, true, true}, .fore = Colour::rgb(0x00FF00),
         .back = Colour::system(SystemColour::InactiveBorder)},
        {.id = Control::Picture, .name = "Image1", .role = Role::Image,
         .rect = {210, 390, 810, 810}},
        {.id = Control::AuthorLine, .name = "lblauthor", .role = Role::Label,
         .caption = std::string("程序设计：") + identity::kAuthor, .rect = {1297, 1500, 0, 180},
         .fore = kLink, .autoSize = true, .hint = "希望您能够提些建议或意见给我！"},
        {.id = Control::EmailLine, .name = "lblemail", .role = Role::Label,
         .caption = std::string("电子邮件：") + identity::kEmail, .rect = {847, 1830, 0, 180},
         .font = kLinkFont, .fore = kLink, .autoSize = true, .pointer = Pointer::LinkHand,
         .hint = "如果您在使用过程中遇到问题，请您一定要通知我！"},
        {.id = Control::HomePageLine, .name = "lblnet", .role = Role::Label,
         .caption = identity::kHomePage, .rect = {622, 2145, 0, 180}, .font = kLinkFont,
         .fore = kLink, .autoSize = true, .pointer = Pointer::LinkHand,
         .hint = "欢迎您访问我的主页"},
        {.id = Control::UpperRule, .name = "Line1_0", .role = Role::Line,
         .rect = {180, 1365, 3840 - 180, 0}, .lineWidth = 1},
        {.id = Control::FreeSoftware, .name = "Label1", .role = Role::Label,
         .caption = "免费软件", .rect = {3060, 1080, 0, 180}, .fore = kRed, .autoSize = true},
        {.id = Control::VersionLine, .name = "Label3", .role = Role::Label,
         .caption = identity::versionLine(), .rect = {2610, 810, 0, 210},
         .font = {kSong, 10.5}, .fore = Colour::rgb(0xC000C0), .autoSize = true},
    };
    return w;
}

}  // namespace

bool ControlDesign::takesFocus() const
{
    return role == Role::Button || role == Role::CheckBox || role == Role::OptionButton
        || role == Role::TextBox;
}

char ControlDesign::accessKey() const
{
    const std::size_t at = caption.find('&');
    if (at == std::string::npos || at + 1 >= caption.size())
        return 0;
    return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[at + 1])));
}

std::string ControlDesign::plainCaption() const
{
    std::string plain = caption;
    if (const std::size_t at = plain.find('&'); at != std::string::npos)
        plain.erase(at, 1);
    return plain;
}

const ControlDesign* WindowDesign::find(Control id) const
{
    for (const ControlDesign& c : controls)
        if (c.id == id)
            return &c;
    return nullptr;
}

const ControlDesign& WindowDesign::control(Control id) const
{
    if (const ControlDesign* c = find(id))
        return *c;
    throw std::logic_error("control not in window " + std::string(name));
}

std::vector<const ControlDesign*> WindowDesign::tabOrder() const
{
    std::vector<const ControlDesign*> order;
    for (const ControlDesign& c : controls)
        if (c.takesFocus() && c.tabIndex != kNoTabIndex)
            order.push_back(&c);
    std::sort(order.begin(), order.end(),
              [](const ControlDesign* a, const ControlDesign* b) { return a->tabIndex < b->tabIndex; });
    return order;
}

const WindowDesign& windowDesign(WindowKind kind)
{
    static const WindowDesign main = mainDesign();
    static const WindowDesign equals = equalsDesign();
    static const WindowDesign about = aboutDesign();
    switch (kind) {
    case WindowKind::Main: return main;
    case WindowKind::Equals: return equals;
    case WindowKind::About: return about;
    }
    return main;
}

}  // namespace corvel
