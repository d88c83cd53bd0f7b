// What the runs show and ask in their window: status labels, message boxes,
// disabled controls, the editor, the beep, and when the application ends.
#include "run_test.h"

namespace corvel::test {
namespace {

const char* const kWaiting = "等待检错或纠错工作";

void expectBox(const MessageBoxRequest& box, const std::string& text, const std::string& title,
               Buttons buttons, Icon icon)
{
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.title, title);
    EXPECT_EQ(box.buttons, buttons);
    EXPECT_EQ(box.icon, icon);
}

void expectFinishedBox(const MessageBoxRequest& box)
{
    expectBox(box, "已经处理完成。是否要查看记录？", "恭喜", Buttons::OkCancel, Icon::Question);
}

void expectUnknownErrorBox(const FakeWindow& window)
{
    ASSERT_EQ(window.boxes.size(), 1u);
    expectBox(window.boxes[0], "发生未知错误！程序即将终止！", "错误", Buttons::Ok, Icon::Critical);
    EXPECT_EQ(window.endApplicationCalls, 1);
}

void expectNotFoundBox(const MessageBoxRequest& box)
{
    expectBox(box, "该文件不存在，请重新选择文件！", "错误", Buttons::Ok, Icon::Critical);
}

class PairWindow : public RunTest {
protected:
    void chooseGame() { chooseDictionary("game.txt", fixtureBytes("game.txt")); }
    fs::path gameLog() const { return root() / "dic" / "game" / "game.log"; }
    // Twelve erroneous English lines in a row: a serious-error stop.
    void chooseErrorRow()
    {
        std::string bytes;
        for (int i = 0; i < 12; ++i)
            bytes += crlfLines({gbk("错"), gbk("译")});
        chooseDictionary("game.txt", bytes);
    }
};

TEST_F(PairWindow, DuringTheRunShowsProgressAndDisablesTheControls)
{
    chooseGame();
    int checked = 0;
    window.onYield = [&](std::int32_t line) {
        EXPECT_TRUE(window.showsProgress()) << "at line " << line;
        EXPECT_FALSE(window.anyControlEnabled()) << "at line " << line;
        EXPECT_EQ(window.labelText[StatusLabel::LineNumber], std::to_string(line));
        ++checked;
        return true;
    };
    (void)runPairs();
    EXPECT_EQ(checked, 8);
    EXPECT_EQ(window.yields, 8);
}

TEST_F(PairWindow, LineNumberLabelCountsEveryLine)
{
    chooseGame();
    (void)runPairs();
    EXPECT_EQ(window.lineNumbers, (std::vector<std::int32_t> {1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(PairWindow, NormalEndShowsTheTotalAndEnablesTheControls)
{
    chooseGame();
    (void)runPairs();
    EXPECT_TRUE(window.showsMessageOnly());
    EXPECT_EQ(window.message(), "总共处理了 8 行");
    EXPECT_TRUE(window.allControlsEnabled());
    EXPECT_EQ(window.endApplicationCalls, 0);
}

TEST_F(PairWindow, NormalEndAnsweredOkOpensTheLogWithoutFocus)
{
    chooseGame();
    window.answers = {Answer::Ok};
    (void)runPairs();
    ASSERT_EQ(window.boxes.size(), 1u);
    expectFinishedBox(window.boxes[0]);
    ASSERT_EQ(window.editors.size(), 1u);
    EXPECT_EQ(window.editors[0].commandLine, "notepad.exe  " + gameLog().string());
    EXPECT_EQ(window.editors[0].log, gameLog());
    EXPECT_FALSE(window.editors[0].takeFocus);
    EXPECT_EQ(window.beeps, 0);
}

TEST_F(PairWindow, NormalEndAnsweredCancelStartsNoEditor)
{
    chooseGame();
    window.answers = {Answer::Cancel};
    (void)runPairs();
    EXPECT_EQ(window.boxes.size(), 1u);
    EXPECT_TRUE(window.editors.empty());
    EXPECT_EQ(window.beeps, 0);
    EXPECT_TRUE(window.allControlsEnabled());
}

TEST_F(PairWindow, ChkpromptOffOnlyBeeps)
{
    chooseGame();
    window.options[Option::PromptAtEnd] = false;
    (void)runPairs();
    EXPECT_TRUE(window.boxes.empty());
    EXPECT_TRUE(window.editors.empty());
    EXPECT_EQ(window.beeps, 1);
    EXPECT_EQ(window.message(), "总共处理了 8 行");
}

TEST_F(PairWindow, EmptyLineStopAsksAndOpensTheLogWithoutFocus)
{
    chooseGame();
    window.options[Option::StopOnEmpty] = true;
    window.options[Option::PromptAtEnd] = false;  // the stop asks all the same
    window.answers = {Answer::Ok};
    (void)runPairs();
    ASSERT_EQ(window.boxes.size(), 1u);
    expectBox(window.boxes[0], "遇到空行，停止执行程序！是否要查看记录？", "查看文件",
              Buttons::OkCancel, Icon::Exclamation);
    ASSERT_EQ(window.editors.size(), 1u);
    EXPECT_EQ(window.editors[0].commandLine, "notepad.exe " + gameLog().string());
    EXPECT_FALSE(window.editors[0].takeFocus);
    EXPECT_TRUE(window.showsMessageOnly());
    EXPECT_EQ(window.message(), kWaiting);
    EXPECT_TRUE(window.allControlsEnabled());
    EXPECT_EQ(window.endApplicationCalls, 0);
    EXPECT_EQ(window.beeps, 0);
}

TEST_F(PairWindow, EmptyLineStopAnsweredCancelStartsNoEditor)
{
    chooseGame();
    window.options[Option::StopOnEmpty] = true;
    window.answers = {Answer::Cancel};
    (void)runPairs();
    EXPECT_TRUE(window.editors.empty());
    EXPECT_EQ(window.message(), kWaiting);
}

TEST_F(PairWindow, SeriousErrorStopOpensTheLogWithFocusAndEndsTheApplication)
{
    chooseErrorRow();
    window.options[Option::PromptAtEnd] = false;
    (void)runPairs();
    ASSERT_EQ(window.boxes.size(), 1u);
    expectBox(window.boxes[0], "发生了严重错误！\n请查看日志文件。", "严重错误", Buttons::Ok,
              Icon::Critical);
    ASSERT_EQ(window.editors.size(), 1u);
    EXPECT_EQ(window.editors[0].commandLine, "notepad.exe " + gameLog().string());
    EXPECT_TRUE(window.editors[0].takeFocus);
    EXPECT_EQ(window.endApplicationCalls, 1);
    // The window is not restored: the application is ending.
    EXPECT_FALSE(window.anyControlEnabled());
    EXPECT_TRUE(window.showsProgress());
}

TEST_F(PairWindow, EachEndingShowsItsStepsInOrder)
{
    using Events = std::vector<std::string>;
    chooseGame();
    (void)runPairs();
    EXPECT_EQ(window.events, (Events {"box 恭喜", "editor"}));

    FakeWindow stop;
    stop.path = window.path;
    stop.options[Option::StopOnEmpty] = true;
    fs::current_path(root() / "dic");
    (void)runLinePairCheck(stop, fixedClock());
    EXPECT_EQ(stop.events, (Events {"box 查看文件", "editor"}));

    FakeWindow serious;
    chooseErrorRow();
    serious.path = window.path;
    (void)runLinePairCheck(serious, fixedClock());
    EXPECT_EQ(serious.events, (Events {"box 严重错误", "editor", "end"}));
}

TEST_F(PairWindow, SeriousErrorStopHasWrittenTheWholeLogWhenTheApplicationEnds)
{
    chooseErrorRow();
    std::string onDisk;
    window.onEndApplication = [&] { onDisk = readBytes(gameLog()); };
    (void)runPairs();
    ASSERT_EQ(window.endApplicationCalls, 1);
    EXPECT_EQ(onDisk, readBytes(gameLog()));
    EXPECT_TRUE(onDisk.ends_with(gbkLines(
        {"*******************************     完     **************************", "", ""})));
}

TEST_F(PairWindow, UnknownErrorHasWrittenTheLogSoFarWhenTheApplicationEnds)
{
    // The corrected dictionary cannot be created (a folder is in its place):
    // copying line 1 fails right after the header.
    makeFolder("dic/game/game.txt");
    chooseDictionary("game.txt", crlfLines({"Open", "OK", "Save", gbk("保存")}));
    window.currentMode = Mode::Correct;
    std::string onDisk;
    window.onEndApplication = [&] { onDisk = readBytes(gameLog()); };
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::UnknownError);
    EXPECT_EQ(window.events, (std::vector<std::string> {"box 错误", "end"}));
    // The correct-mode header is the first 11 lines of the reference log.
    std::vector<std::string> reference = splitCrlf(fixtureBytes("game.correct.log"));
    std::string header;
    for (std::size_t i = 0; i < 11; ++i)
        header += reference[i] + "\r\n";
    EXPECT_TRUE(sameBytes(onDisk, header));
    EXPECT_EQ(onDisk, readBytes(gameLog())) << "nothing was left to write after the end";
}

TEST_F(PairWindow, EditorGetsTheLogThatWasWrittenWhereverTheWorkingDirectoryMoved)
{
    // A file chosen while the final question is open moves the working
    // directory; the editor still gets the log this run wrote.
    chooseGame();
    makeFolder("other");
    window.onMessageBox = [&](const MessageBoxRequest&) { fs::current_path(root() / "other"); };
    (void)runPairs();
    ASSERT_EQ(window.editors.size(), 1u);
    EXPECT_EQ(window.editors[0].commandLine, "notepad.exe  " + gameLog().string());
}

TEST_F(PairWindow, MissingEditorAtTheNormalEndReportsAndGoesOn)
{
    chooseGame();
    window.editorError =
        Error(ErrorKind::FileNotFound, FileOp::StartProgram, "notepad.exe", "none");
    (void)runPairs();
    ASSERT_EQ(window.boxes.size(), 2u);
    expectFinishedBox(window.boxes[0]);
    expectNotFoundBox(window.boxes[1]);
    EXPECT_EQ(window.message(), kWaiting);
    EXPECT_TRUE(window.allControlsEnabled());
    EXPECT_EQ(window.endApplicationCalls, 0);
}

TEST_F(PairWindow, MissingEditorAtTheSeriousErrorStopReplacesTheEndOfTheApplication)
{
    chooseErrorRow();
    window.editorError =
        Error(ErrorKind::FileNotFound, FileOp::StartProgram, "notepad.exe", "none");
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::SeriousErrorStop);
    ASSERT_EQ(window.boxes.size(), 2u);
    expectNotFoundBox(window.boxes[1]);
    EXPECT_EQ(window.endApplicationCalls, 0);
    EXPECT_EQ(window.message(), kWaiting);
    EXPECT_TRUE(window.allControlsEnabled());
}

TEST_F(PairWindow, EditorThatFailsOtherwiseEndsTheApplication)
{
    chooseGame();
    window.editorError = Error(ErrorKind::Other, FileOp::StartProgram, "notepad.exe", "broken");
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::UnknownError);
    ASSERT_EQ(window.boxes.size(), 2u);
    expectBox(window.boxes[1], "发生未知错误！程序即将终止！", "错误", Buttons::Ok, Icon::Critical);
    EXPECT_EQ(window.endApplicationCalls, 1);
}

TEST_F(PairWindow, MissingDictionaryReportsAndReturnsToWaiting)
{
    window.path = root() / "gone.txt";
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::FileNotFound);
    ASSERT_EQ(window.boxes.size(), 1u);
    expectNotFoundBox(window.boxes[0]);
    EXPECT_TRUE(window.showsMessageOnly());
    EXPECT_EQ(window.message(), kWaiting);
    EXPECT_TRUE(window.allControlsEnabled());
    EXPECT_EQ(window.endApplicationCalls, 0);
}

TEST_F(PairWindow, UnknownErrorEndsTheApplicationOnce)
{
    makeFile("dic/game", "no dot in this name");
    window.path = root() / "dic" / "game";
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::UnknownError);
    expectUnknownErrorBox(window);
}

TEST_F(PairWindow, ModeIsTakenOnceAtTheStart)
{
    chooseGame();
    window.onYield = [&](std::int32_t) {
        window.currentMode = Mode::Correct;
        return true;
    };
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_EQ(window.modeReads, 1);
    EXPECT_EQ(window.pathReads, 1);
    EXPECT_FALSE(outputExists("game/game.txt"));
    EXPECT_TRUE(sameBytes(output("game/game.log"), fixtureBytes("game.check.log")));
}

TEST_F(PairWindow, SwitchingToCheckModeDuringACorrectRunHasNoEffect)
{
    chooseGame();
    window.currentMode = Mode::Correct;
    window.onYield = [&](std::int32_t) {
        window.currentMode = Mode::Check;
        return true;
    };
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_EQ(window.endApplicationCalls, 0);
    EXPECT_TRUE(sameBytes(output("game/game.log"), fixtureBytes("game.correct.log")));
    EXPECT_TRUE(sameBytes(output("game/game.txt"), fixtureBytes("game.correct.txt")));
}

TEST_F(PairWindow, OptionBoxesAreReadLive)
{
    // chkspac ticked after line 2: the empty line 7 stops the run.
    chooseGame();
    window.onYield = [&](std::int32_t line) {
        if (line == 2)
            window.options[Option::StopOnEmpty] = true;
        return true;
    };
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::EmptyLineStop);
    EXPECT_EQ(report.lines, 7);
}

// The equals-line window: its run always asks at the end, and its busy
// controls are cmdCheck and cmdret.

class EqualsWindow : public RunTest {
protected:
    void chooseMenu() { chooseDictionary("menu.DAT", fixtureBytes("menu.DAT")); }
    fs::path menuLog() const { return root() / "dic" / "menu" / "menu.log"; }
};

TEST_F(EqualsWindow, DuringTheRunShowsProgressAndDisablesCheckAndSwitch)
{
    chooseMenu();
    window.onYield = [&](std::int32_t line) {
        EXPECT_TRUE(window.showsProgress()) << "at line " << line;
        EXPECT_FALSE(window.enabled[Control::Check]);
        EXPECT_FALSE(window.enabled[Control::Switch]);
        return true;
    };
    (void)runEquals();
    EXPECT_EQ(window.lineNumbers, (std::vector<std::int32_t> {1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_TRUE(window.enabled[Control::Check]);
    EXPECT_TRUE(window.enabled[Control::Switch]);
}

TEST_F(EqualsWindow, NormalEndShowsTheTotalAndOpensTheLogOnOk)
{
    chooseMenu();
    window.answers = {Answer::Ok};
    (void)runEquals();
    EXPECT_TRUE(window.showsMessageOnly());
    EXPECT_EQ(window.message(), "总共处理了 9 行");
    ASSERT_EQ(window.boxes.size(), 1u);
    expectFinishedBox(window.boxes[0]);
    ASSERT_EQ(window.editors.size(), 1u);
    EXPECT_EQ(window.editors[0].commandLine, "notepad.exe  " + menuLog().string());
    EXPECT_FALSE(window.editors[0].takeFocus);
    EXPECT_EQ(window.beeps, 0);
}

TEST_F(EqualsWindow, CancelAtTheEndBeeps)
{
    chooseMenu();
    window.answers = {Answer::Cancel};
    (void)runEquals();
    EXPECT_TRUE(window.editors.empty());
    EXPECT_EQ(window.beeps, 1);
}

TEST_F(EqualsWindow, MissingDictionaryReportsAndReturnsToWaiting)
{
    window.path = root() / "gone.DAT";
    RunReport report = runEquals();
    EXPECT_EQ(report.ending, RunEnding::FileNotFound);
    ASSERT_EQ(window.boxes.size(), 1u);
    expectNotFoundBox(window.boxes[0]);
    EXPECT_EQ(window.message(), kWaiting);
    EXPECT_TRUE(window.enabled[Control::Check]);
    EXPECT_TRUE(window.enabled[Control::Switch]);
    EXPECT_EQ(window.endApplicationCalls, 0);
}

TEST_F(EqualsWindow, UnknownErrorEndsTheApplicationOnce)
{
    makeFile("dic/menu", "no dot in this name");
    window.path = root() / "dic" / "menu";
    RunReport report = runEquals();
    EXPECT_EQ(report.ending, RunEnding::UnknownError);
    expectUnknownErrorBox(window);
}

TEST_F(EqualsWindow, MissingEditorReportsAndGoesOn)
{
    chooseMenu();
    window.editorError =
        Error(ErrorKind::FileNotFound, FileOp::StartProgram, "notepad.exe", "none");
    (void)runEquals();
    ASSERT_EQ(window.boxes.size(), 2u);
    expectNotFoundBox(window.boxes[1]);
    EXPECT_EQ(window.message(), kWaiting);
    EXPECT_EQ(window.endApplicationCalls, 0);
}

TEST_F(EqualsWindow, SwitchingToCorrectModeDuringACheckRunHasNoEffect)
{
    chooseMenu();
    window.onYield = [&](std::int32_t) {
        window.currentMode = Mode::Correct;
        return true;
    };
    RunReport report = runEquals();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_EQ(window.endApplicationCalls, 0);
    EXPECT_FALSE(outputExists("menu/menu.DAT"));
    EXPECT_TRUE(sameBytes(output("menu/menu.log"), fixtureBytes("menu.check.log")));
}

TEST_F(EqualsWindow, SwitchingToCheckModeDuringACorrectRunHasNoEffect)
{
    chooseMenu();
    window.currentMode = Mode::Correct;
    window.onYield = [&](std::int32_t) {
        window.currentMode = Mode::Check;
        return true;
    };
    (void)runEquals();
    EXPECT_TRUE(sameBytes(output("menu/menu.log"), fixtureBytes("menu.correct.log")));
    EXPECT_TRUE(sameBytes(output("menu/menu.DAT"), fixtureBytes("menu.correct.DAT")));
}

}  // namespace
}  // namespace corvel::test
