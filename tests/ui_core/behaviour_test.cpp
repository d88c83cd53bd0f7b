// The windows' behaviour, once for every view: driven through the handlers
// a view calls, watched through a recording view.
#include "about_window.h"
#include "equals_window.h"
#include "main_window.h"
#include "recording_view.h"
#include "test_support.h"
#include "window_switch.h"

#include <gtest/gtest.h>

namespace corvel {
namespace {

using test::RecordingView;

const std::string kWaiting = "等待检错或纠错工作";
const std::string kDone = "已经处理完成。是否要查看记录？";
const std::string kTypeWarning = "该类型的文件可能无法进行处理！";

// Hello/你好 good, World/World untranslated, 错/错误 erroneous, an empty
// English line: 8 lines.
std::string sample()
{
    return test::gbkLines({"Hello", "你好", "World", "World", "错", "错误", "", "空"});
}

constexpr Control kProgress[] {Control::StatusProcessing, Control::StatusLineNumber,
                               Control::StatusLine, Control::StatusEscHint};

class MainWindowTest : public test::TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        window.opened();
    }

    void choose(const std::filesystem::path& path)
    {
        view.chooserAnswers.push_back(displayPath(path));
        window.browseClicked();
    }

    bool enabled(Control id) { return view.state[id].enabled; }

    RecordingView view {WindowKind::Main};
    MainWindowBehaviour window {view};
};

// Check mode is selected, so the correct-mode boxes are disabled with their
// marks kept; each mode button enables its own boxes only.
TEST_F(MainWindowTest, ModesEnableTheirBoxesAndKeepMarks)
{
    struct Case {
        void (MainWindowBehaviour::*click)();
        bool checkBoxes;
    };
    EXPECT_FALSE(enabled(Control::CheckButton));
    for (const Case& c : {Case {nullptr, true}, Case {&MainWindowBehaviour::correctModeClicked, false},
                          Case {&MainWindowBehaviour::checkModeClicked, true},
                          Case {&MainWindowBehaviour::checkModeClicked, true}}) {
        if (c.click)
            (window.*c.click)();
        EXPECT_EQ(enabled(Control::StopOnEmptyBox), c.checkBoxes);
        EXPECT_EQ(enabled(Control::StopOnErrorsBox), c.checkBoxes);
        for (Control box : {Control::DeleteEmptyBox, Control::DeleteErroneousBox,
                            Control::DeleteUntranslatedBox})
            EXPECT_EQ(enabled(box), !c.checkBoxes);
        EXPECT_TRUE(enabled(Control::ReplaceLogBox) && enabled(Control::PromptAtEndBox));
        EXPECT_TRUE(view.state[Control::DeleteEmptyBox].checked);
        EXPECT_FALSE(view.state[Control::DeleteUntranslatedBox].checked);
    }
}

TEST_F(MainWindowTest, BrowseWarnsAboutTypesOtherThanTxt)
{
    struct Case {
        const char* name;
        bool warned;
    };
    for (const Case& c : {Case {"dict.txt", false}, Case {"DICT.TXT", true},
                          Case {"words.dat", true}, Case {"booktxt", false},
                          Case {"汉化字典.txt", false}}) {
        view.messages.clear();
        const std::filesystem::path path = root() / "dic" / pathFromUtf8(c.name);
        choose(path);
        EXPECT_EQ(view.messages.size(), c.warned ? 1u : 0u) << c.name;
        if (c.warned) {
            EXPECT_EQ(view.messages[0], (MessageBoxRequest {kTypeWarning, "警告", Buttons::Ok,
                                                            Icon::Exclamation}));
        }
        EXPECT_EQ(view.state[Control::PathBox].text, displayPath(path));
        EXPECT_TRUE(enabled(Control::CheckButton));
        EXPECT_EQ(window.outputParent(), root() / "dic");
    }
    const FileChooserRequest& asked = view.chooserRequests.front();
    EXPECT_EQ(asked.title, "请选择要校验的字典文件");
    EXPECT_EQ(asked.filters, (std::vector<FileFilter> {{"文本文件(*.TXT)", "*.TXT"},
                                                       {"所有文件(*.*)", "*.*"}}));
    EXPECT_EQ(asked.initialFolder, "C:\\My Documents");
}

TEST_F(MainWindowTest, CancelClearsAndEditsAreUndone)
{
    choose(root() / "game.txt");
    view.state[Control::PathBox].text = "typed";
    window.pathBoxChanged("typed");
    EXPECT_EQ(view.state[Control::PathBox].text, displayPath(root() / "game.txt"));
    EXPECT_TRUE(enabled(Control::CheckButton));

    choose("");
    EXPECT_EQ(view.state[Control::PathBox].text, "");
    EXPECT_FALSE(enabled(Control::CheckButton));
    window.pathBoxChanged("abcdef");
    EXPECT_EQ(view.state[Control::PathBox].text, "");
    EXPECT_FALSE(enabled(Control::CheckButton));
}

TEST_F(MainWindowTest, RunShowsTotalAndGivesControlsBack)
{
    const auto path = makeFile("game.txt", sample());
    choose(path);
    view.answers[kDone] = Answer::Cancel;
    bool busy = false;
    view.onServe = [&] { busy = !enabled(Control::CheckButton) && !enabled(Control::ExitButton)
                                && !enabled(Control::SwitchLabel); };
    window.checkClicked();

    EXPECT_TRUE(busy);
    EXPECT_EQ(view.messageTexts(), std::vector<std::string> {kDone});
    EXPECT_EQ(view.state[Control::StatusMessage].text, "总共处理了 8 行");
    EXPECT_TRUE(view.state[Control::StatusMessage].visible);
    for (Control c : kProgress)
        EXPECT_FALSE(view.state[c].visible);
    EXPECT_EQ(view.lineShown, 8);
    EXPECT_TRUE(enabled(Control::CheckButton) && enabled(Control::ExitButton)
                && enabled(Control::SwitchLabel));
    EXPECT_TRUE(std::filesystem::exists(root() / "game" / "game.log"));
    EXPECT_EQ(window.outputParent(), root() / "game");
    EXPECT_EQ(view.ends, 0);
}

// With stop-on-empty set, the empty English line (line 7) stops the run
// before its number shows; Cancel leaves the window waiting.
TEST_F(MainWindowTest, EmptyLineStopReturnsToWaiting)
{
    choose(makeFile("game.txt", sample()));
    view.state[Control::StopOnEmptyBox].checked = true;
    view.answers["遇到空行"] = Answer::Cancel;
    window.checkClicked();
    EXPECT_EQ(view.messageTexts(), std::vector<std::string> {"遇到空行，停止执行程序！是否要查看记录？"});
    EXPECT_EQ(view.lineShown, 6);
    EXPECT_EQ(view.state[Control::StatusMessage].text, kWaiting);
    EXPECT_TRUE(view.state[Control::StatusMessage].visible);
    for (Control c : kProgress)
        EXPECT_FALSE(view.state[c].visible);
    EXPECT_TRUE(enabled(Control::CheckButton));
    EXPECT_TRUE(view.editorRequests.empty());
    EXPECT_EQ(view.ends, 0);
}

// A second run without choosing again puts its output folder inside the
// first run's; choosing the file again brings it back beside the file.
TEST_F(MainWindowTest, SecondRunNestsUntilChosenAgain)
{
    const auto path = makeFile("game.txt", sample());
    view.answers[kDone] = Answer::Cancel;
    choose(path);
    window.checkClicked();
    window.checkClicked();
    EXPECT_TRUE(std::filesystem::exists(root() / "game" / "game.log"));
    EXPECT_TRUE(std::filesystem::exists(root() / "game" / "game" / "game.log"));

    std::filesystem::remove(root() / "game" / "game.log");
    choose(path);
    window.checkClicked();
    EXPECT_TRUE(std::filesystem::exists(root() / "game" / "game.log"));
    EXPECT_FALSE(std::filesystem::exists(root() / "game" / "game" / "game"));
}

// OK at the end opens the log by its absolute path; an editor that cannot
// start is reported and the window waits.
TEST_F(MainWindowTest, EditorOpensTheLogOrIsReportedMissing)
{
    for (ErrorKind result : {ErrorKind::None, ErrorKind::FileNotFound}) {
        view.editorRequests.clear();
        view.messages.clear();
        view.editorResult = result;
        choose(makeFile("game.txt", sample()));
        window.checkClicked();
        ASSERT_EQ(view.editorRequests.size(), 1u);
        EXPECT_EQ(view.editorRequests[0].log, root() / "game" / "game.log");
        EXPECT_FALSE(view.editorRequests[0].takeFocus);
        const bool missing = result == ErrorKind::FileNotFound;
        EXPECT_EQ(view.messages.size(), missing ? 2u : 1u);
        EXPECT_EQ(view.state[Control::StatusMessage].text,
                  missing ? kWaiting : "总共处理了 8 行");
        EXPECT_EQ(view.ends, 0);
    }
}

// ESC and the close box during a run end the application once the run has
// closed its files; the run asks nothing more.
TEST_F(MainWindowTest, EndingDuringRunWaitsForTheRun)
{
    for (bool escape : {true, false}) {
        RecordingView v {WindowKind::Main};
        MainWindowBehaviour w {v};
        v.chooserAnswers.push_back(displayPath(makeFile("game.txt", sample())));
        w.browseClicked();
        int endsDuringRun = -1;
        v.onServe = [&] {
            escape ? w.escapePressed() : w.closeRequested();
            endsDuringRun = v.ends;
        };
        w.checkClicked();
        EXPECT_EQ(endsDuringRun, 0);
        EXPECT_EQ(v.ends, 1);
        EXPECT_TRUE(w.isEnding());
        EXPECT_EQ(v.lineShown, 1);
        // The log is closed with what was written so far and no summary.
        const std::string log = test::readBytes(root() / "game" / "game.log");
        EXPECT_FALSE(log.empty());
        EXPECT_EQ(log.find(test::gbk("总共")), std::string::npos);
        EXPECT_EQ(v.messageTexts(), escape ? std::vector<std::string> {"真的要停止校验吗？"}
                                           : std::vector<std::string> {});
    }
}

// A file chosen during a run does not enable a second run, a Check click
// then starts none, and the mode taken at the start holds.
TEST_F(MainWindowTest, NoRunInsideRunAndModeTakenAtStart)
{
    choose(makeFile("game.txt", sample()));
    const auto other = makeFile("other.txt", sample());
    view.answers[kDone] = Answer::Cancel;
    bool checkEnabledMidRun = true;
    view.onServe = [&] {
        choose(other);
        checkEnabledMidRun = enabled(Control::CheckButton);
        view.state[Control::CorrectModeButton].checked = true;
        window.correctModeClicked();
        window.checkClicked();
    };
    window.checkClicked();
    EXPECT_FALSE(checkEnabledMidRun);
    EXPECT_EQ(view.messageTexts(), (std::vector<std::string> {kDone}));
    EXPECT_FALSE(std::filesystem::exists(root() / "game" / "game.txt"));  // check mode
    EXPECT_FALSE(std::filesystem::exists(root() / "other"));
    EXPECT_TRUE(enabled(Control::CheckButton));
}

TEST(MainWindowIdleTest, EscapeExitAndClose)
{
    struct Case {
        void (*act)(MainWindowBehaviour&);
        Answer answer;
        int ends;
        std::size_t messages;
    };
    const auto escape = [](MainWindowBehaviour& w) { w.escapePressed(); };
    for (const Case& c : {Case {escape, Answer::Cancel, 0, 1}, Case {escape, Answer::Ok, 1, 1},
                          Case {[](MainWindowBehaviour& w) { w.exitClicked(); }, Answer::Ok, 1, 0},
                          Case {[](MainWindowBehaviour& w) { w.closeRequested(); }, Answer::Ok, 1,
                                0}}) {
        RecordingView v {WindowKind::Main};
        MainWindowBehaviour w {v};
        v.answers["真的要停止校验吗？"] = c.answer;
        c.act(w);
        EXPECT_EQ(v.ends, c.ends);
        ASSERT_EQ(v.messages.size(), c.messages);
        if (c.messages) {
            EXPECT_EQ(v.messages[0], (MessageBoxRequest {"真的要停止校验吗？", "停止",
                                                         Buttons::OkCancel, Icon::Question}));
        }
    }
}

TEST_F(MainWindowTest, HoverHighlightAndHints)
{
    window.pointerOver(Control::SwitchLabel);
    EXPECT_TRUE(view.state[Control::SwitchLabel].lit);
    window.pointerOver(Control::BrowseButton);  // a control: stays lit
    EXPECT_TRUE(view.state[Control::SwitchLabel].lit);
    window.pointerOver(std::nullopt);
    EXPECT_FALSE(view.state[Control::SwitchLabel].lit);

    for (Control frame : {Control::CheckFrame, Control::CorrectFrame}) {
        EXPECT_EQ(view.state[frame].hint, "");
        window.pointerOver(frame);
        EXPECT_EQ(view.state[frame].hint, "在使用前请您仔细阅读说明文件！");
    }
    window.pointerOver(Control::StopOnErrorsBox);
    EXPECT_TRUE(view.state[Control::StopOnErrorsBox].hint.starts_with("如果连续出现这么多错误"));
    choose(root() / "game.txt");
    window.pointerOver(Control::PathBox);
    EXPECT_EQ(view.state[Control::PathBox].hint, displayPath(root() / "game.txt"));

    // During a run the switch neither lights up nor switches.
    choose(makeFile("game.txt", sample()));
    view.onServe = [&] {
        window.pointerOver(Control::SwitchLabel);
        window.switchClicked();
    };
    window.checkClicked();
    EXPECT_FALSE(view.state[Control::SwitchLabel].lit);
    EXPECT_EQ(view.switches, 0);
    window.switchClicked();
    EXPECT_EQ(view.switches, 1);
}

class CheckWindowReadingTest : public test::TempFolderTest {};

class EqualsWindowTest : public test::TempFolderTest {
protected:
    void choose(const std::string& path)
    {
        view.chooserAnswers.push_back(path);
        window.browseClicked();
    }

    RecordingView view {WindowKind::Equals};
    EqualsWindowBehaviour window {view};
};

TEST_F(EqualsWindowTest, ChoosingShowsTheStatusBoxForGood)
{
    EXPECT_TRUE(view.state[Control::InfoFrame].visible);
    EXPECT_FALSE(view.state[Control::StatusBox].visible || view.state[Control::StatusMessage].visible);
    EXPECT_FALSE(view.state[Control::CheckButton].enabled);

    choose(displayPath(root() / "words.txt"));  // not .DAT: no warning
    EXPECT_TRUE(view.messages.empty());
    EXPECT_FALSE(view.state[Control::InfoFrame].visible || view.state[Control::InfoLabel].visible);
    EXPECT_TRUE(view.state[Control::StatusBox].visible && view.state[Control::StatusMessage].visible);
    EXPECT_EQ(view.state[Control::StatusMessage].text, kWaiting);
    EXPECT_TRUE(view.state[Control::CheckButton].enabled);
    EXPECT_EQ(view.chooserRequests[0].filters[0], (FileFilter {"文本文件(*.DAT)", "*.DAT"}));

    choose("");
    EXPECT_EQ(view.state[Control::PathBox].text, "");
    EXPECT_FALSE(view.state[Control::CheckButton].enabled);
    EXPECT_TRUE(view.state[Control::StatusBox].visible);
    EXPECT_FALSE(view.state[Control::InfoFrame].visible);
}

TEST_F(EqualsWindowTest, RunsInTheSelectedMode)
{
    for (bool correct : {false, true}) {
        RecordingView v {WindowKind::Equals};
        EqualsWindowBehaviour w {v};
        const auto path = makeFile("words.dat", test::gbkLines({"Hello=你好", "World=World"}));
        std::filesystem::remove_all(root() / "words");
        v.chooserAnswers.push_back(displayPath(path));
        w.browseClicked();
        v.state[Control::CorrectModeButton].checked = correct;
        v.state[Control::CheckModeButton].checked = !correct;
        bool busy = false;
        v.onServe = [&] { busy = !v.state[Control::ReturnButton].enabled; };
        w.checkClicked();
        EXPECT_TRUE(busy);
        EXPECT_EQ(v.messageTexts(), std::vector<std::string> {kDone});
        EXPECT_EQ(v.state[Control::StatusMessage].text, "总共处理了 2 行");
        EXPECT_TRUE(v.state[Control::ReturnButton].enabled && v.state[Control::CheckButton].enabled);
        EXPECT_EQ(std::filesystem::exists(root() / "words" / "words.dat"), correct);
    }
}

TEST_F(EqualsWindowTest, CloseIsRefusedEscapeAsksReturnSwitches)
{
    window.closeRequested();
    EXPECT_EQ(view.ends, 0);
    view.answers["真的要停止校验操作吗？"] = Answer::Ok;
    window.returnClicked();
    EXPECT_EQ(view.switches, 1);
    window.escapePressed();
    EXPECT_EQ(view.messageTexts(), std::vector<std::string> {"真的要停止校验操作吗？"});
    EXPECT_EQ(view.ends, 1);
}

// Both check windows take every click through clicked(Control): each
// control of either design reaches its own handler, and only that.
TEST(CheckWindowClicksTest, EveryControlReachesItsHandler)
{
    // What a click did, as the view saw it.
    const auto effect = [](const RecordingView& v) -> std::string {
        if (!v.chooserRequests.empty())
            return "browse";
        if (v.abouts)
            return "about";
        if (v.switches)
            return "switch";
        if (!v.messages.empty())
            return "run";  // a run without a file: its failure is reported
        if (v.ends)
            return "end";
        return "";
    };
    const std::map<std::pair<WindowKind, Control>, std::string> expected {
        {{WindowKind::Main, Control::BrowseButton}, "browse"},
        {{WindowKind::Main, Control::CheckButton}, "run"},
        {{WindowKind::Main, Control::AboutButton}, "about"},
        {{WindowKind::Main, Control::SwitchLabel}, "switch"},
        {{WindowKind::Main, Control::ExitButton}, "end"},
        {{WindowKind::Main, Control::CheckModeButton}, "check boxes"},
        {{WindowKind::Main, Control::CorrectModeButton}, "correct boxes"},
        {{WindowKind::Equals, Control::BrowseButton}, "browse"},
        {{WindowKind::Equals, Control::CheckButton}, "run"},
        {{WindowKind::Equals, Control::AboutButton}, "about"},
        {{WindowKind::Equals, Control::ReturnButton}, "switch"},
    };
    for (WindowKind kind : {WindowKind::Main, WindowKind::Equals}) {
        for (const ControlDesign& c : windowDesign(kind).controls) {
            RecordingView v {kind};
            const std::unique_ptr<CheckWindowBehaviour> window = checkWindowBehaviour(kind, v);
            window->opened();
            // Neither mode's boxes enabled, so that a mode click shows.
            for (Control box : {Control::StopOnEmptyBox, Control::DeleteEmptyBox})
                if (kind == WindowKind::Main)
                    v.state[box].enabled = false;
            window->clicked(c.id);
            std::string seen = effect(v);
            if (kind == WindowKind::Main && v.state[Control::StopOnEmptyBox].enabled)
                seen = "check boxes";
            if (kind == WindowKind::Main && v.state[Control::DeleteEmptyBox].enabled)
                seen = "correct boxes";
            const auto wanted = expected.find({kind, c.id});
            EXPECT_EQ(seen, wanted == expected.end() ? "" : wanted->second) << c.name;
        }
    }
}

// After a dictionary is chosen in either window, what its reading will see
// comes as a warning box, after the main window's type warning; the check
// can still be started.
TEST_F(CheckWindowReadingTest, ChoosingWarnsAboutReading)
{
    struct Case {
        WindowKind kind;
        const char* name;
        std::string bytes;
        std::vector<std::string> starts;  // of the warnings, in order
    };
    const std::string utf8Lf = "Open=打开\nSave=保存\n";
    const std::string reading = "该文件是 UTF-8 编码";
    for (const Case& c : {Case {WindowKind::Main, "utf8.txt", utf8Lf, {reading}},
                          Case {WindowKind::Main, "utf8.dat", utf8Lf, {kTypeWarning, reading}},
                          Case {WindowKind::Equals, "utf8.DAT", utf8Lf, {reading}},
                          Case {WindowKind::Equals, "gbk.DAT", test::gbkLines({"Open=打开"}), {}}}) {
        RecordingView v {c.kind};
        const std::unique_ptr<CheckWindowBehaviour> w = checkWindowBehaviour(c.kind, v);
        w->opened();
        v.chooserAnswers.push_back(displayPath(makeFile(c.name, c.bytes)));
        w->clicked(Control::BrowseButton);
        ASSERT_EQ(v.messages.size(), c.starts.size()) << c.name;
        for (std::size_t i = 0; i < c.starts.size(); ++i) {
            EXPECT_TRUE(v.messages[i].text.starts_with(c.starts[i])) << c.name << ": " << v.messages[i].text;
            EXPECT_EQ(v.messages[i].title, "警告");
            EXPECT_EQ(v.messages[i].icon, Icon::Exclamation);
        }
        if (!c.starts.empty()) {
            EXPECT_NE(v.messages.back().text.find("（LF）"), std::string::npos) << c.name;
        }
        EXPECT_TRUE(v.state[Control::CheckButton].enabled) << c.name;
    }
}

class RecordingAboutView : public AboutView {
public:
    void setText(Control, std::string_view) override {}
    void setEnabled(Control, bool) override {}
    void setVisible(Control, bool) override {}
    void setChecked(Control, bool) override {}
    bool isChecked(Control) const override { return false; }
    void setHint(Control, std::string_view) override {}
    void setHighlight(Control, bool) override {}
    void closeWindow() override { ++closes; }
    void openAddress(std::string_view address) override { opened.emplace_back(address); }

    int closes = 0;
    std::vector<std::string> opened;
};

TEST(AboutWindowTest, ClicksThatCloseAndLinks)
{
    struct Case {
        std::optional<Control> target;
        bool closes;
        std::string opens;
    };
    for (const Case& c : {Case {std::nullopt, true, ""}, Case {Control::FreeSoftware, true, ""},
                          Case {Control::SuggestionLine, true, ""},
                          Case {Control::ProductName, true, ""},
                          Case {Control::AuthorLine, false, ""},
                          Case {Control::VersionLine, false, ""}, Case {Control::Picture, false, ""},
                          Case {Control::EmailLine, false, "mailto:corvel@example.org"},
                          Case {Control::HomePageLine, false, "https://example.org/corvel/"}}) {
        RecordingAboutView view;
        AboutWindowBehaviour about(view);
        about.clicked(c.target);
        EXPECT_EQ(view.closes, c.closes ? 1 : 0);
        if (c.closes)
            continue;
        about.clicked(c.target);  // every click on a link opens it again
        EXPECT_EQ(view.opened, (c.opens.empty() ? std::vector<std::string> {}
                                                : std::vector<std::string> {c.opens, c.opens}));
    }
}

class RecordingOpener : public WindowOpener {
public:
    void replaceWindow(WindowKind kind) override { shown.push_back(kind); }
    void endApplication() override { ++ends; }
    std::vector<WindowKind> shown;
    int ends = 0;
};

TEST(WindowSwitchTest, EachSwitchOpensTheOtherWindowAfresh)
{
    RecordingOpener opener;
    WindowSwitch windows(opener);
    windows.showMain();
    windows.switchWindow();
    windows.switchWindow();
    windows.switchWindow();
    EXPECT_EQ(opener.shown, (std::vector<WindowKind> {WindowKind::Main, WindowKind::Equals,
                                                      WindowKind::Main, WindowKind::Equals}));
    EXPECT_EQ(windows.current(), WindowKind::Equals);
    windows.endApplication();
    EXPECT_EQ(opener.ends, 1);
}

}  // namespace
}  // namespace corvel
