// The design tables: sizes at 96 dpi, tab order, access keys, and that
// every table is consistent in itself.
#include "version.h"
#include "window_design.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace corvel {
namespace {

struct SizeCase {
    WindowKind kind;
    int width;
    int height;
};

TEST(WindowDesignTest, ClientSizeInPixelsAt96Dpi)
{
    for (const SizeCase& c : {SizeCase {WindowKind::Main, 466, 285},
                              SizeCase {WindowKind::Equals, 379, 195},
                              SizeCase {WindowKind::About, 266, 195}}) {
        const WindowDesign& w = windowDesign(c.kind);
        EXPECT_EQ(pixels(w.clientWidth), c.width) << w.name;
        EXPECT_EQ(pixels(w.clientHeight), c.height) << w.name;
        EXPECT_EQ(pixels(w.clientWidth, 192), 2 * c.width) << w.name;
    }
}

// The main window's title and the about window's lines name the product
// and its version without a zero patch level: "Corvel v0.2" for 0.2.0.
TEST(WindowDesignTest, CaptionsNameTheShortVersion)
{
    const std::string shortVersion = version::kShort;
    EXPECT_EQ(windowDesign(WindowKind::Main).caption, "Corvel v" + shortVersion);
    const WindowDesign& about = windowDesign(WindowKind::About);
    EXPECT_EQ(about.control(Control::VersionLine).caption, "Version " + shortVersion);
    EXPECT_EQ(about.control(Control::ProductName).caption, "Corvel");
    EXPECT_EQ(version::kFull, version::kPatch == 0 ? shortVersion + ".0" : shortVersion);
}

std::vector<std::string> tabNames(WindowKind kind)
{
    std::vector<std::string> names;
    for (const ControlDesign* c : windowDesign(kind).tabOrder())
        names.emplace_back(c->name);
    return names;
}

TEST(WindowDesignTest, TabOrderTakesTheFocusableControlsByTabIndex)
{
    EXPECT_EQ(tabNames(WindowKind::Main),
              (std::vector<std::string> {"cmdopen", "cmdCheck", "cmdexit", "txtfile", "chkprompt",
                                         "chkstop", "chkreplace", "chkspac", "chkspace",
                                         "chkerror", "chknotra", "optcheck", "optcorrect",
                                         "cmdhelp"}));
    EXPECT_EQ(tabNames(WindowKind::Equals),
              (std::vector<std::string> {"txtfile", "cmdopen", "cmdret", "optChect", "optcro",
                                         "cmdCheck", "cmdabout"}));
    EXPECT_TRUE(tabNames(WindowKind::About).empty());
}

TEST(WindowDesignTest, AccessKeysAndPlainCaptions)
{
    struct Case {
        WindowKind kind;
        Control id;
        char key;
        std::string plain;
    };
    for (const Case& c : {Case {WindowKind::Main, Control::BrowseButton, 'E', "浏览(E)"},
                          Case {WindowKind::Main, Control::CheckButton, 'C', "校验(C)"},
                          Case {WindowKind::Main, Control::ExitButton, 'X', "退出(X)"},
                          Case {WindowKind::Main, Control::AboutButton, 'A', "关于(A)"},
                          Case {WindowKind::Main, Control::CheckFrame, 0, "检错"},
                          Case {WindowKind::Equals, Control::BrowseButton, 'B', "浏览(B)"},
                          Case {WindowKind::Equals, Control::CheckButton, 'H', "校验(H)"},
                          Case {WindowKind::Equals, Control::ReturnButton, 'R', "返回(R)"},
                          Case {WindowKind::Equals, Control::AboutButton, 'B', "关于(B)"}}) {
        const ControlDesign& d = windowDesign(c.kind).control(c.id);
        EXPECT_EQ(d.accessKey(), c.key) << d.name;
        EXPECT_EQ(d.plainCaption(), c.plain) << d.name;
    }
}

// Names are unique in a window, a parent is a frame of the same window, and
// only focusable controls that are not frames carry a tab stop.
TEST(WindowDesignTest, TablesAreConsistent)
{
    for (WindowKind kind : {WindowKind::Main, WindowKind::Equals, WindowKind::About}) {
        const WindowDesign& w = windowDesign(kind);
        std::set<std::string_view> names;
        std::set<Control> ids;
        for (const ControlDesign& c : w.controls) {
            EXPECT_TRUE(names.insert(c.name).second) << w.name << " " << c.name;
            EXPECT_TRUE(ids.insert(c.id).second) << w.name << " " << c.name;
            if (c.parent) {
                const ControlDesign* frame = w.find(*c.parent);
                ASSERT_NE(frame, nullptr) << c.name;
                EXPECT_EQ(frame->role, Role::Frame) << c.name;
            }
            const int right = c.parent ? w.control(*c.parent).rect.width : w.clientWidth;
            EXPECT_LE(c.rect.right(), right) << w.name << " " << c.name;
        }
    }
}

// lbl2 and lbl5 may take more room than their design caption, but around
// the same centre, so that a longer text stays where the design put it.
TEST(WindowDesignTest, StatusLabelsGrowAroundTheirDesignCentre)
{
    for (WindowKind kind : {WindowKind::Main, WindowKind::Equals}) {
        const WindowDesign& w = windowDesign(kind);
        const TwipRect box = w.control(Control::StatusBox).rect;
        for (Control id : {Control::StatusLineNumber, Control::StatusMessage}) {
            const ControlDesign& d = w.control(id);
            const TwipRect room = d.textRoom();
            EXPECT_EQ(d.align, Align::Centre) << d.name;
            EXPECT_LE(room.left, d.rect.left) << d.name;
            EXPECT_GE(room.right(), d.rect.right()) << d.name;
            EXPECT_NEAR(room.left + room.width / 2.0, d.rect.left + d.rect.width / 2.0, 8)
                << w.name << " " << d.name;
            EXPECT_GE(room.left, box.left) << d.name;
            EXPECT_LE(room.right(), box.right()) << d.name;
        }
    }
}

}  // namespace
}  // namespace corvel
