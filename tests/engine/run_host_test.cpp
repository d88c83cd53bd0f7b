// What the runs report to their host and its sinks, and what they ask of
// it: the status events in order, the findings, the questions by kind, the
// log opened, the beep, and when the application ends.
#include "run_test.h"

namespace corvel::test {
namespace {

using Events = std::vector<std::string>;
using Questions = std::vector<Question>;

class PairHost : public RunTest {
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
    void expectOpened(const fs::path& log, LogOpening when)
    {
        ASSERT_EQ(host.logsOpened.size(), 1u);
        EXPECT_EQ(host.logsOpened[0].log, log);
        EXPECT_EQ(host.logsOpened[0].when, when);
    }
};

TEST_F(PairHost, EveryLineIsReportedAfterLinesStartingWhileTheRunHoldsTheHost)
{
    chooseGame();
    std::int32_t expected = 0;
    host.onLineDone = [&](std::int32_t line) {
        EXPECT_EQ(host.lastStatus(), "linesStarting") << "at line " << line;
        EXPECT_TRUE(host.busy()) << "at line " << line;
        EXPECT_EQ(line, ++expected);
        return true;
    };
    (void)runPairs();
    EXPECT_EQ(host.linesDone, (std::vector<std::int32_t> {1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(PairHost, HostThatDoesNotFollowTheLinesIsNotCalledPerLine)
{
    chooseGame();
    request.linePath = LinePath::FlaggedLines;
    host.onLineDone = [](std::int32_t) { return false; };  // would end the run
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_TRUE(host.linesDone.empty());
    EXPECT_TRUE(sameBytes(output("game/game.log"), fixtureBytes("game.check.log")));
}

TEST_F(PairHost, NormalEndTellsTheCountsAndThatTheHostIsReady)
{
    chooseGame();
    RunReport report = runPairs();
    EXPECT_EQ(host.statusEvents(),
              (Events {"runStarting", "outputFolderReady", "linesStarting", "finished", "ready"}));
    ASSERT_TRUE(host.finishedCounts);
    EXPECT_EQ(host.finishedCounts->lines, 8);
    EXPECT_EQ(host.finishedCounts->erroneous, 1);
    EXPECT_EQ(host.finishedCounts->empty, 1);
    EXPECT_EQ(host.finishedCounts->untranslated, 1);
    EXPECT_EQ(host.outputFolder, root() / "dic" / "game");
    EXPECT_EQ(report.outputFolder, host.outputFolder);
    EXPECT_FALSE(host.busy());
    EXPECT_EQ(host.endApplicationCalls, 0);
}

TEST_F(PairHost, FindingsReachTheSinksWithTheLinesBytes)
{
    chooseGame();
    (void)runPairs();
    EXPECT_EQ(host.findings,
              (std::vector<HeardFinding> {{3, LineClass::Erroneous, gbk("Save 文件")},
                                          {6, LineClass::Untranslated, "Exit"},
                                          {7, LineClass::Empty, ""}}));
}

TEST_F(PairHost, NormalEndAnsweredOkOpensTheLogAtEnd)
{
    chooseGame();
    host.answers = {Answer::Ok};
    (void)runPairs();
    EXPECT_EQ(host.questions, Questions {Question::OpenLogAtEnd});
    expectOpened(gameLog(), LogOpening::AtEnd);
    EXPECT_EQ(host.beeps, 0);
}

TEST_F(PairHost, NormalEndAnsweredCancelOpensNothing)
{
    chooseGame();
    host.answers = {Answer::Cancel};
    (void)runPairs();
    EXPECT_EQ(host.questions.size(), 1u);
    EXPECT_TRUE(host.logsOpened.empty());
    EXPECT_EQ(host.beeps, 0);
    EXPECT_FALSE(host.busy());
}

TEST_F(PairHost, ChkpromptOffOnlyBeeps)
{
    chooseGame();
    options.on[Option::PromptAtEnd] = false;
    (void)runPairs();
    EXPECT_TRUE(host.questions.empty());
    EXPECT_TRUE(host.logsOpened.empty());
    EXPECT_EQ(host.beeps, 1);
    ASSERT_TRUE(host.finishedCounts);
    EXPECT_EQ(host.finishedCounts->lines, 8);
}

TEST_F(PairHost, EmptyLineStopAsksAndOpensTheLogAfterTheStop)
{
    chooseGame();
    options.on[Option::StopOnEmpty] = true;
    options.on[Option::PromptAtEnd] = false;  // the stop asks all the same
    host.answers = {Answer::Ok};
    (void)runPairs();
    EXPECT_EQ(host.questions, Questions {Question::OpenLogAfterEmpty});
    expectOpened(gameLog(), LogOpening::AfterEmptyLineStop);
    ASSERT_TRUE(host.stop);
    EXPECT_EQ(host.stop->cause, StopCause::EmptyLine);
    EXPECT_EQ(host.stop->line, 7);
    ASSERT_TRUE(host.stoppedCounts);
    EXPECT_EQ(host.stoppedCounts->lines, 7);
    EXPECT_EQ(host.stoppedCounts->empty, 1);
    EXPECT_EQ(host.lastStatus(), "waiting");
    EXPECT_FALSE(host.busy());
    EXPECT_EQ(host.endApplicationCalls, 0);
    EXPECT_EQ(host.beeps, 0);
}

TEST_F(PairHost, EmptyLineStopAnsweredCancelOpensNothing)
{
    chooseGame();
    options.on[Option::StopOnEmpty] = true;
    host.answers = {Answer::Cancel};
    (void)runPairs();
    EXPECT_TRUE(host.logsOpened.empty());
    EXPECT_EQ(host.lastStatus(), "waiting");
}

TEST_F(PairHost, SeriousErrorStopOpensTheLogAndEndsTheApplication)
{
    chooseErrorRow();
    options.on[Option::PromptAtEnd] = false;
    (void)runPairs();
    EXPECT_EQ(host.questions, Questions {Question::SeriousError});
    expectOpened(gameLog(), LogOpening::AfterSeriousError);
    ASSERT_TRUE(host.stop);
    EXPECT_EQ(host.stop->cause, StopCause::RowOfErrors);
    EXPECT_EQ(host.stop->line, 1) << "the first line of the row";
    EXPECT_EQ(host.endApplicationCalls, 1);
    // The host is not released: the application is ending.
    EXPECT_TRUE(host.busy());
    EXPECT_EQ(host.lastStatus(), "stopped");
}

TEST_F(PairHost, EachEndingShowsItsStepsInOrder)
{
    chooseGame();
    (void)runPairs();
    EXPECT_EQ(host.events, (Events {"runStarting", "outputFolderReady", "linesStarting",
                                    "finished", "ask OpenLogAtEnd", "openLog AtEnd", "ready"}));

    FakeHost stop;
    options.on[Option::StopOnEmpty] = true;
    (void)runCheck(request, stop, {&stop});
    EXPECT_EQ(stop.events,
              (Events {"runStarting", "outputFolderReady", "linesStarting", "stopped",
                       "ask OpenLogAfterEmpty", "openLog AfterEmptyLineStop", "waiting"}));

    FakeHost serious;
    chooseErrorRow();
    (void)runCheck(request, serious, {&serious});
    EXPECT_EQ(serious.events,
              (Events {"runStarting", "outputFolderReady", "linesStarting", "stopped",
                       "ask SeriousError", "openLog AfterSeriousError", "end"}));
}

TEST_F(PairHost, EverySinkHearsTheSameEventsInOrder)
{
    chooseGame();
    FakeHost second;
    (void)runCheck(request, host, {&host, &second});
    EXPECT_EQ(second.statusEvents(), host.statusEvents());
    EXPECT_EQ(second.findings, host.findings);
    EXPECT_EQ(host.findings.size(), 3u);
}

TEST_F(PairHost, SeriousErrorStopHasWrittenTheWholeLogWhenTheApplicationEnds)
{
    chooseErrorRow();
    std::string onDisk;
    host.onEndApplication = [&] { onDisk = readBytes(gameLog()); };
    (void)runPairs();
    ASSERT_EQ(host.endApplicationCalls, 1);
    EXPECT_EQ(onDisk, readBytes(gameLog()));
    EXPECT_TRUE(onDisk.ends_with(gbkLines(
        {"*******************************     完     **************************", "", ""})));
}

TEST_F(PairHost, UnknownErrorHasWrittenTheLogSoFarWhenTheApplicationEnds)
{
    // The corrected dictionary cannot be created (a folder is in its place):
    // copying line 1 fails right after the header.
    makeFolder("dic/game/game.txt");
    chooseDictionary("game.txt", crlfLines({"Open", "OK", "Save", gbk("保存")}));
    request.mode = Mode::Correct;
    std::string onDisk;
    host.onEndApplication = [&] { onDisk = readBytes(gameLog()); };
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::UnknownError);
    EXPECT_EQ(host.calls(), (Events {"ask UnknownError", "end"}));
    EXPECT_EQ(host.lastStatus(), "linesStarting");
    // The correct-mode header is the first 11 lines of the reference log.
    std::vector<std::string> reference = splitCrlf(fixtureBytes("game.correct.log"));
    std::string header;
    for (std::size_t i = 0; i < 11; ++i)
        header += reference[i] + "\r\n";
    EXPECT_TRUE(sameBytes(onDisk, header));
    EXPECT_EQ(onDisk, readBytes(gameLog())) << "nothing was left to write after the end";
}

TEST_F(PairHost, LogOpenedIsTheOneWrittenWhateverTheHostChoosesMeanwhile)
{
    // Another dictionary chosen while the final question is open changes
    // the host's request; the log opened is still the one this run wrote.
    chooseGame();
    fs::path other = makeFile("other/menu.txt", fixtureBytes("game.txt"));
    host.answers = {Answer::Ok};
    host.onAsk = [&](Question) {
        request.dictionary = other;
        request.outputParent = other.parent_path();
    };
    (void)runPairs();
    expectOpened(gameLog(), LogOpening::AtEnd);
}

TEST_F(PairHost, MissingEditorAtTheNormalEndReportsAndGoesOn)
{
    chooseGame();
    host.openLogError = Error(ErrorKind::FileNotFound, FileOp::StartProgram, "notepad.exe", "none");
    (void)runPairs();
    EXPECT_EQ(host.questions, (Questions {Question::OpenLogAtEnd, Question::DictionaryMissing}));
    EXPECT_EQ(host.lastStatus(), "waiting");
    EXPECT_FALSE(host.busy());
    EXPECT_EQ(host.endApplicationCalls, 0);
}

TEST_F(PairHost, MissingEditorAtTheSeriousErrorStopReplacesTheEndOfTheApplication)
{
    chooseErrorRow();
    host.openLogError = Error(ErrorKind::FileNotFound, FileOp::StartProgram, "notepad.exe", "none");
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::SeriousErrorStop);
    EXPECT_EQ(host.questions, (Questions {Question::SeriousError, Question::DictionaryMissing}));
    EXPECT_EQ(host.endApplicationCalls, 0);
    EXPECT_EQ(host.lastStatus(), "waiting");
    EXPECT_FALSE(host.busy());
}

TEST_F(PairHost, EditorThatFailsOtherwiseEndsTheApplication)
{
    chooseGame();
    host.openLogError = Error(ErrorKind::Other, FileOp::StartProgram, "notepad.exe", "broken");
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::UnknownError);
    EXPECT_EQ(host.questions, (Questions {Question::OpenLogAtEnd, Question::UnknownError}));
    EXPECT_EQ(host.endApplicationCalls, 1);
}

TEST_F(PairHost, MissingDictionaryReportsAndReturnsToWaiting)
{
    request.dictionary = root() / "gone.txt";
    request.outputParent = root();
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::FileNotFound);
    EXPECT_EQ(host.events, (Events {"runStarting", "ask DictionaryMissing", "waiting"}));
    EXPECT_FALSE(host.busy());
    EXPECT_EQ(host.endApplicationCalls, 0);
}

TEST_F(PairHost, UnknownErrorEndsTheApplicationOnce)
{
    makeFile("dic/game", "no dot in this name");
    request.dictionary = root() / "dic" / "game";
    request.outputParent = root() / "dic";
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::UnknownError);
    EXPECT_EQ(host.questions, Questions {Question::UnknownError});
    EXPECT_EQ(host.endApplicationCalls, 1);
}

TEST_F(PairHost, ChangingTheRequestDuringTheRunHasNoEffect)
{
    // The mode, the dictionary and the output folder are taken once, at
    // the start.
    chooseGame();
    makeFolder("elsewhere");
    host.onLineDone = [&](std::int32_t) {
        request.mode = Mode::Correct;
        request.dictionary = root() / "gone.txt";
        request.outputParent = root() / "elsewhere";
        return true;
    };
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_EQ(report.lines, 8);
    EXPECT_FALSE(outputExists("game/game.txt"));
    EXPECT_TRUE(sameBytes(output("game/game.log"), fixtureBytes("game.check.log")));
    EXPECT_TRUE(fs::is_empty(root() / "elsewhere"));
}

TEST_F(PairHost, SwitchingToCheckModeDuringACorrectRunHasNoEffect)
{
    chooseGame();
    request.mode = Mode::Correct;
    host.onLineDone = [&](std::int32_t) {
        request.mode = Mode::Check;
        return true;
    };
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_EQ(host.endApplicationCalls, 0);
    EXPECT_TRUE(sameBytes(output("game/game.log"), fixtureBytes("game.correct.log")));
    EXPECT_TRUE(sameBytes(output("game/game.txt"), fixtureBytes("game.correct.txt")));
}

TEST_F(PairHost, OptionBoxesAreReadLive)
{
    // chkspac ticked after line 2: the empty line 7 stops the run.
    chooseGame();
    host.onLineDone = [&](std::int32_t line) {
        if (line == 2)
            options.on[Option::StopOnEmpty] = true;
        return true;
    };
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::EmptyLineStop);
    EXPECT_EQ(report.lines, 7);
}

// The equals-line run: it always asks at the end, and beeps on Cancel.

class EqualsHost : public RunTest {
protected:
    void chooseMenu() { chooseDictionary("menu.DAT", fixtureBytes("menu.DAT")); }
    fs::path menuLog() const { return root() / "dic" / "menu" / "menu.log"; }
};

TEST_F(EqualsHost, EveryLineIsReportedAfterLinesStartingWhileTheRunHoldsTheHost)
{
    chooseMenu();
    host.onLineDone = [&](std::int32_t line) {
        EXPECT_EQ(host.lastStatus(), "linesStarting") << "at line " << line;
        EXPECT_TRUE(host.busy()) << "at line " << line;
        return true;
    };
    (void)runEquals();
    EXPECT_EQ(host.linesDone, (std::vector<std::int32_t> {1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_FALSE(host.busy());
}

TEST_F(EqualsHost, FindingsReachTheSinksWithTheLinesBytes)
{
    chooseMenu();
    (void)runEquals();
    EXPECT_EQ(host.findings, (std::vector<HeardFinding> {
                                 {2, LineClass::Untranslated, "Save="},
                                 {3, LineClass::Untranslated, "="},
                                 {4, LineClass::MissingEquals, "Help"},
                                 {5, LineClass::Untranslated, gbk("打开=Open")},
                                 {7, LineClass::MissingEquals, ""},
                                 {8, LineClass::Untranslated, "Exit=Exit 2.0 (beta)"},
                             }));
}

TEST_F(EqualsHost, NormalEndTellsTheTotalAndOpensTheLogOnOk)
{
    chooseMenu();
    host.answers = {Answer::Ok};
    (void)runEquals();
    EXPECT_EQ(host.events, (Events {"runStarting", "outputFolderReady", "linesStarting",
                                    "finished", "ask OpenLogAtEnd", "openLog AtEnd", "ready"}));
    ASSERT_TRUE(host.finishedCounts);
    EXPECT_EQ(host.finishedCounts->lines, 9);
    EXPECT_EQ(host.finishedCounts->erroneous, 2);
    EXPECT_EQ(host.finishedCounts->untranslated, 4);
    ASSERT_EQ(host.logsOpened.size(), 1u);
    EXPECT_EQ(host.logsOpened[0].log, menuLog());
    EXPECT_EQ(host.logsOpened[0].when, LogOpening::AtEnd);
    EXPECT_EQ(host.beeps, 0);
}

TEST_F(EqualsHost, CancelAtTheEndBeeps)
{
    chooseMenu();
    host.answers = {Answer::Cancel};
    (void)runEquals();
    EXPECT_TRUE(host.logsOpened.empty());
    EXPECT_EQ(host.beeps, 1);
}

TEST_F(EqualsHost, MissingDictionaryReportsAndReturnsToWaiting)
{
    request.dictionary = root() / "gone.DAT";
    request.outputParent = root();
    RunReport report = runEquals();
    EXPECT_EQ(report.ending, RunEnding::FileNotFound);
    EXPECT_EQ(host.events, (Events {"runStarting", "ask DictionaryMissing", "waiting"}));
    EXPECT_FALSE(host.busy());
    EXPECT_EQ(host.endApplicationCalls, 0);
}

TEST_F(EqualsHost, UnknownErrorEndsTheApplicationOnce)
{
    makeFile("dic/menu", "no dot in this name");
    request.dictionary = root() / "dic" / "menu";
    request.outputParent = root() / "dic";
    RunReport report = runEquals();
    EXPECT_EQ(report.ending, RunEnding::UnknownError);
    EXPECT_EQ(host.questions, Questions {Question::UnknownError});
    EXPECT_EQ(host.endApplicationCalls, 1);
}

TEST_F(EqualsHost, MissingEditorReportsAndGoesOn)
{
    chooseMenu();
    host.openLogError = Error(ErrorKind::FileNotFound, FileOp::StartProgram, "notepad.exe", "none");
    (void)runEquals();
    EXPECT_EQ(host.questions, (Questions {Question::OpenLogAtEnd, Question::DictionaryMissing}));
    EXPECT_EQ(host.lastStatus(), "waiting");
    EXPECT_EQ(host.endApplicationCalls, 0);
}

TEST_F(EqualsHost, SwitchingToCorrectModeDuringACheckRunHasNoEffect)
{
    chooseMenu();
    host.onLineDone = [&](std::int32_t) {
        request.mode = Mode::Correct;
        return true;
    };
    RunReport report = runEquals();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_EQ(host.endApplicationCalls, 0);
    EXPECT_FALSE(outputExists("menu/menu.DAT"));
    EXPECT_TRUE(sameBytes(output("menu/menu.log"), fixtureBytes("menu.check.log")));
}

TEST_F(EqualsHost, SwitchingToCheckModeDuringACorrectRunHasNoEffect)
{
    chooseMenu();
    request.mode = Mode::Correct;
    host.onLineDone = [&](std::int32_t) {
        request.mode = Mode::Check;
        return true;
    };
    (void)runEquals();
    EXPECT_TRUE(sameBytes(output("menu/menu.log"), fixtureBytes("menu.correct.log")));
    EXPECT_TRUE(sameBytes(output("menu/menu.DAT"), fixtureBytes("menu.correct.DAT")));
}

}  // namespace
}  // namespace corvel::test
