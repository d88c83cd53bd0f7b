// The line-pair run: its two check-mode stops, appending to the log, the
// names of what it writes, the corrected dictionary, and the runs that end
// early or read nothing.
#include "run_test.h"

namespace corvel::test {
namespace {

const std::string kWarning = " (警告:存在空行有可能会导致奇隅行发生严重错误！)";

// An erroneous English line (it holds Chinese) and a good Chinese line.
std::string erroneousPair(int i)
{
    return crlfLines({gbk("错 " + std::to_string(i)), gbk("译")});
}

std::string goodPair()
{
    return crlfLines({"Open", gbk("打开")});
}

std::string seriousCause(int line)
{
    return "发生了严重错误，程序已经停止！---严重错误发生于第 " + std::to_string(line) + " 行。";
}

// The serious-error stop.

class SeriousErrorStop : public RunTest {
protected:
    // The log from the end of the header on.
    std::string logBody(const std::string& name)
    {
        return output(name).substr(pairCheckHeader().size());
    }
};

TEST_F(SeriousErrorStop, TwelfthErroneousLineInARowStopsAtLine23)
{
    std::string bytes;
    for (int i = 0; i < 15; ++i)
        bytes += erroneousPair(i);
    chooseDictionary("r.txt", bytes);
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::SeriousErrorStop);
    EXPECT_EQ(report.lines, 23);
    std::string entries;
    for (int i = 0; i < 12; ++i)
        entries += entryLine("* 第 " + std::to_string(2 * i + 1) + " 行发生错误。",
                             gbk("错 " + std::to_string(i)));
    EXPECT_TRUE(
        sameBytes(output("r/r.log"),
                  pairCheckHeader() + entries + pairStopTrailer(seriousCause(1), 23, 0, 12, 0)));
}

TEST_F(SeriousErrorStop, ElevenErroneousLinesInARowDoNotStop)
{
    std::string bytes;
    for (int i = 0; i < 11; ++i)
        bytes += erroneousPair(i);
    bytes += goodPair();
    chooseDictionary("r.txt", bytes);
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_EQ(report.lines, 24);
    EXPECT_EQ(report.erroneous, 11);
}

TEST_F(SeriousErrorStop, GoodEnglishLineBreaksTheRow)
{
    // Erroneous 1..11, good 13, erroneous from 15 on: the row restarts at 15
    // and stops at 37.
    std::string bytes;
    for (int i = 0; i < 6; ++i)
        bytes += erroneousPair(i);
    bytes += goodPair();
    for (int i = 0; i < 20; ++i)
        bytes += erroneousPair(i);
    chooseDictionary("r.txt", bytes);
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::SeriousErrorStop);
    EXPECT_EQ(report.lines, 37);
    EXPECT_EQ(report.erroneous, 18);
    EXPECT_TRUE(logBody("r/r.log").ends_with(pairStopTrailer(seriousCause(15), 37, 0, 18, 0)));
}

TEST_F(SeriousErrorStop, EmptyChineseLinesFeedTheCount)
{
    // An empty Chinese line between erroneous lines 1 and 3 makes the count 2
    // at line 3, so the row stops at line 21 and not 23; the trailer names the
    // first line of the row.
    std::string bytes = crlfLines({gbk("错"), ""});
    for (int i = 0; i < 15; ++i)
        bytes += erroneousPair(i);
    chooseDictionary("r.txt", bytes);
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::SeriousErrorStop);
    EXPECT_EQ(report.lines, 21);
    EXPECT_EQ(report.empty, 1);
    EXPECT_TRUE(logBody("r/r.log").ends_with(pairStopTrailer(seriousCause(1), 21, 0, 11, 1)));
}

TEST_F(SeriousErrorStop, TrailerNeverNamesALineBelowOne)
{
    // Erroneous 1, 3, ..., 13 with empty Chinese lines between: the count
    // passes 10 at line 13, where AllLine minus 22 would be -9.
    std::string bytes;
    for (int i = 0; i < 10; ++i)
        bytes += crlfLines({gbk("错"), ""});
    chooseDictionary("r.txt", bytes);
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::SeriousErrorStop);
    EXPECT_EQ(report.lines, 13);
    EXPECT_TRUE(logBody("r/r.log").ends_with(pairStopTrailer(seriousCause(1), 13, 0, 7, 6)));
}

TEST_F(SeriousErrorStop, EmptyEnglishLineBreaksTheRow)
{
    // Erroneous 1, empty English 3, erroneous from 5 on: the row restarts at
    // 5 and stops at 27.
    std::string bytes = erroneousPair(0) + crlfLines({"", gbk("译")});
    for (int i = 0; i < 15; ++i)
        bytes += erroneousPair(i);
    chooseDictionary("r.txt", bytes);
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::SeriousErrorStop);
    EXPECT_EQ(report.lines, 27);
    EXPECT_TRUE(logBody("r/r.log").ends_with(pairStopTrailer(seriousCause(5), 27, 0, 13, 1)));
}

TEST_F(SeriousErrorStop, DoesNotHappenWithChkstopOff)
{
    options.on[Option::StopOnErrors] = false;
    std::string bytes;
    for (int i = 0; i < 30; ++i)
        bytes += erroneousPair(i);
    chooseDictionary("r.txt", bytes);
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_EQ(report.erroneous, 30);
}

TEST_F(SeriousErrorStop, DoesNotHappenInCorrectMode)
{
    request.mode = Mode::Correct;
    std::string bytes;
    for (int i = 0; i < 30; ++i)
        bytes += erroneousPair(i);
    chooseDictionary("r.txt", bytes);
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_EQ(report.lines, 60);
    EXPECT_EQ(host.endApplicationCalls, 0);
}

// The empty-line stop.

class EmptyLineStop : public RunTest {};

TEST_F(EmptyLineStop, WithChkspacOffEmptyLinesAreOnlyLoggedAndCounted)
{
    chooseDictionary("s.txt", crlfLines({"", "", "Open", gbk("打开")}));
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_TRUE(sameBytes(
        output("s/s.log"),
        pairCheckHeader() +
            gbkLines({"# 第 1 行是空行。\t" + kWarning, "# 第 2 行是空行。\t" + kWarning}) +
            pairCheckSummary(4, 0, 0, 2)));
}

TEST_F(EmptyLineStop, HasNoEffectInCorrectMode)
{
    request.mode = Mode::Correct;
    options.on[Option::StopOnEmpty] = true;
    chooseDictionary("s.txt", crlfLines({"", "", "Open", gbk("打开")}));
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_EQ(report.lines, 4);
    EXPECT_EQ(output("s/s.txt"), crlfLines({"Open", gbk("打开")}));
}

// Appending to the log.

class LogAppend : public RunTest {};

TEST_F(LogAppend, ChkreplaceOffGivesTwoCompleteSections)
{
    options.on[Option::ReplaceLog] = false;
    chooseDictionary("game.txt", fixtureBytes("game.txt"));
    (void)runPairs();
    (void)runPairs();  // the file chosen again
    std::string section = fixtureBytes("game.check.log");
    EXPECT_TRUE(sameBytes(output("game/game.log"), section + section));
}

TEST_F(LogAppend, ChkreplaceOffAppendsAStopTrailerSection)
{
    chooseDictionary("game.txt", fixtureBytes("game.txt"));
    (void)runPairs();
    options.on[Option::ReplaceLog] = false;
    options.on[Option::StopOnEmpty] = true;
    (void)runPairs();
    EXPECT_TRUE(sameBytes(output("game/game.log"),
                          fixtureBytes("game.check.log") + fixtureBytes("game.emptystop.log")));
}

TEST_F(LogAppend, ChkreplaceOnKeepsOnlyTheLatestRun)
{
    chooseDictionary("game.txt", fixtureBytes("game.txt"));
    request.mode = Mode::Correct;
    (void)runPairs();
    request.mode = Mode::Check;
    (void)runPairs();
    EXPECT_TRUE(sameBytes(output("game/game.log"), fixtureBytes("game.check.log")));
}

TEST_F(LogAppend, SecondRunWithoutChoosingAgainNestsTheOutputFolder)
{
    // The window gives the second run the first one's output folder.
    chooseDictionary("game.txt", fixtureBytes("game.txt"));
    RunReport first = runPairs();
    request.outputParent = first.outputFolder;
    RunReport second = runPairs();
    EXPECT_EQ(second.log, root() / "dic" / "game" / "game" / "game.log");
    EXPECT_TRUE(sameBytes(output("game/game/game.log"), fixtureBytes("game.check.log")));
}

// Names of what the run writes.

class PairOutputNames : public RunTest {};

TEST_F(PairOutputNames, LogDictionaryGetsGame1Log)
{
    request.mode = Mode::Correct;
    chooseDictionary("game.log", fixtureBytes("game.txt"));
    (void)runPairs();
    EXPECT_TRUE(sameBytes(output("game/game1.log"), fixtureBytes("game.correct.log")));
    EXPECT_TRUE(sameBytes(output("game/game.log"), fixtureBytes("game.correct.txt")));
}

TEST_F(PairOutputNames, UpperCaseLogDictionaryGetsGame1LogToo)
{
    request.mode = Mode::Correct;
    chooseDictionary("game.LOG", fixtureBytes("game.txt"));
    (void)runPairs();
    EXPECT_TRUE(sameBytes(output("game/game1.log"), fixtureBytes("game.correct.log")));
    EXPECT_TRUE(sameBytes(output("game/game.LOG"), fixtureBytes("game.correct.txt")));
}

TEST_F(PairOutputNames, BaseNameEndsAtTheLastDot)
{
    request.mode = Mode::Correct;
    chooseDictionary("a.b.txt", fixtureBytes("game.txt"));
    (void)runPairs();
    EXPECT_EQ(listTree(root() / "dic"),
              (std::vector<std::string> {"a.b.txt", "a.b/", "a.b/a.b.log", "a.b/a.b.txt"}));
}

TEST_F(PairOutputNames, ExistingOutputFolderIsReused)
{
    makeFile("dic/game/other.txt", "keep");
    chooseDictionary("game.txt", fixtureBytes("game.txt"));
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_EQ(output("game/other.txt"), "keep");
    EXPECT_TRUE(sameBytes(output("game/game.log"), fixtureBytes("game.check.log")));
}

// The corrected dictionary.

class CorrectMode : public RunTest {
protected:
    void SetUp() override
    {
        RunTest::SetUp();
        request.mode = Mode::Correct;
    }
    // Whether the log holds a whole line with this UTF-8 text.
    bool logHolds(const std::string& line)
    {
        return output("game/game.log").find("\r\n" + gbk(line) + "\r\n") != std::string::npos;
    }
    std::string optionsLine()
    {
        std::vector<std::string> lines = splitCrlf(output("game/game.log"));
        return lines.size() > 8 ? lines[8] : std::string();
    }
};

TEST_F(CorrectMode, KeptEmptyLineIsCopiedWithItsRelatedLine)
{
    options.on[Option::DeleteEmpty] = false;
    chooseDictionary("game.txt", fixtureBytes("game.txt"));
    (void)runPairs();
    EXPECT_EQ(output("game/game.txt"),
              crlfLines({"Open", gbk("打开"), "Exit", "Exit", "", gbk("帮助")}));
}

TEST_F(CorrectMode, DroppedUntranslatedLineTakesItsEnglishLineAlong)
{
    options.on[Option::DeleteUntranslated] = true;
    chooseDictionary("game.txt", fixtureBytes("game.txt"));
    (void)runPairs();
    EXPECT_EQ(output("game/game.txt"), crlfLines({"Open", gbk("打开")}));
}

TEST_F(CorrectMode, KeepingEveryClassCopiesEveryCompletePair)
{
    options.on[Option::DeleteEmpty] = false;
    options.on[Option::DeleteErroneous] = false;
    chooseDictionary("game.txt", fixtureBytes("game.txt"));
    (void)runPairs();
    EXPECT_EQ(output("game/game.txt"), fixtureBytes("game.txt"));
}

TEST_F(CorrectMode, PairWithBothLinesDroppedIsLeftOut)
{
    options.on[Option::DeleteUntranslated] = true;
    chooseDictionary("game.txt", crlfLines({gbk("错"), "OK", "Open", gbk("打开")}));
    (void)runPairs();
    EXPECT_EQ(output("game/game.txt"), crlfLines({"Open", gbk("打开")}));
}

TEST_F(CorrectMode, LastEnglishLineWithoutItsChineseLineIsNeverCopied)
{
    chooseDictionary(
        "game.txt",
        crlfLines({"Open", gbk("打开"), "Save", gbk("保存"), "Exit", gbk("退出"), "Help"}));
    RunReport report = runPairs();
    EXPECT_EQ(report.lines, 7);
    EXPECT_EQ(output("game/game.txt"),
              crlfLines({"Open", gbk("打开"), "Save", gbk("保存"), "Exit", gbk("退出")}));
}

TEST_F(CorrectMode, SpacesOfKeptLinesAreCopiedAsRead)
{
    options.on[Option::DeleteEmpty] = false;
    chooseDictionary("game.txt", crlfLines({" Open ", "  ", "   ", gbk(" 打开 ")}));
    (void)runPairs();
    EXPECT_EQ(output("game/game.txt"), crlfLines({" Open ", "  ", "   ", gbk(" 打开 ")}));
}

TEST_F(CorrectMode, OptionsLineWithAllThreeOptionsIsFollowedByAnEmptyLine)
{
    options.on[Option::DeleteUntranslated] = true;
    chooseDictionary("game.txt", fixtureBytes("game.txt"));
    (void)runPairs();
    std::vector<std::string> lines = splitCrlf(output("game/game.log"));
    ASSERT_GT(lines.size(), 11u);
    EXPECT_EQ(lines[8],
              gbk("纠错选项：  删除空行及相关行 、删除错误的行及相关行、删除未翻译的行及相关行"));
    EXPECT_EQ(lines[9], "");
    EXPECT_EQ(lines[10], std::string(63, '*'));
    EXPECT_EQ(lines[11], "");
    EXPECT_EQ(lines[12] + "\r\n", entryLine("* 第 3 行发生错误。", gbk("Save 文件")));
    EXPECT_TRUE(logHolds("处理结果：共有 1 行没有翻译(已删除 1 行)； 1 行错误(已删除 1 行)； "
                         "1 行是空行(已删除 1 行)。"));
}

TEST_F(CorrectMode, OptionsLineWithOnlyChknotra)
{
    options.on[Option::DeleteEmpty] = false;
    options.on[Option::DeleteErroneous] = false;
    options.on[Option::DeleteUntranslated] = true;
    chooseDictionary("game.txt", fixtureBytes("game.txt"));
    (void)runPairs();
    EXPECT_EQ(optionsLine(), gbk("纠错选项：  删除未翻译的行及相关行"));
    EXPECT_TRUE(logHolds("处理结果：共有 1 行没有翻译(已删除 1 行)； 1 行错误； 1 行是空行。"));
}

TEST_F(CorrectMode, OptionsLineWithErroneousAndUntranslatedUsesTheSecondSeparator)
{
    options.on[Option::DeleteEmpty] = false;
    options.on[Option::DeleteUntranslated] = true;
    chooseDictionary("game.txt", fixtureBytes("game.txt"));
    (void)runPairs();
    EXPECT_EQ(optionsLine(), gbk("纠错选项：  删除错误的行及相关行、删除未翻译的行及相关行"));
}

TEST_F(CorrectMode, OptionsLineWithNoOptionKeepsItsTwoSpaces)
{
    options.on[Option::DeleteEmpty] = false;
    options.on[Option::DeleteErroneous] = false;
    chooseDictionary("game.txt", fixtureBytes("game.txt"));
    (void)runPairs();
    std::vector<std::string> lines = splitCrlf(output("game/game.log"));
    ASSERT_GT(lines.size(), 9u);
    EXPECT_EQ(lines[8], gbk("纠错选项：  "));
    EXPECT_EQ(lines[9], std::string(63, '*'));
    EXPECT_TRUE(logHolds("处理结果：共有 1 行没有翻译； 1 行错误； 1 行是空行。"));
}

TEST_F(CorrectMode, HeaderQuotesTheCaptionsOfTheWindow)
{
    request.captions.correctOperation = "改正";
    request.captions.deleteEmpty = "去空行";
    request.captions.deleteErroneous = "去错行";
    chooseDictionary("game.txt", fixtureBytes("game.txt"));
    (void)runPairs();
    std::vector<std::string> lines = splitCrlf(output("game/game.log"));
    ASSERT_GT(lines.size(), 8u);
    EXPECT_EQ(lines[6], gbk("执行操作：　　　　改正"));
    EXPECT_EQ(lines[8], gbk("纠错选项：  去空行 、去错行"));
}

// Dictionaries of one line and of none.

class ShortDictionary : public RunTest {};

TEST_F(ShortDictionary, SingleLineIsReadAndHandledOnce)
{
    request.mode = Mode::Correct;
    chooseDictionary("one.txt", crlfLines({gbk("错")}));
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_EQ(report.lines, 1);
    EXPECT_EQ(host.linesDone, (std::vector<std::int32_t> {1}));
    EXPECT_EQ(output("one/one.txt"), "") << "no line pair is complete";
    ASSERT_TRUE(host.finishedCounts);
    EXPECT_EQ(host.finishedCounts->lines, 1);
}

TEST_F(ShortDictionary, EmptyDictionaryIsARunOfZeroLines)
{
    chooseDictionary("empty.txt", "");
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_EQ(report.lines, 0);
    EXPECT_TRUE(
        sameBytes(output("empty/empty.log"), pairCheckHeader() + pairCheckSummary(0, 0, 0, 0)));
    EXPECT_EQ(host.endApplicationCalls, 0);
    EXPECT_EQ(host.questions, std::vector<Question> {Question::OpenLogAtEnd});
    ASSERT_TRUE(host.finishedCounts);
    EXPECT_EQ(host.finishedCounts->lines, 0);
    EXPECT_FALSE(host.busy());
    EXPECT_TRUE(host.linesDone.empty());
}

TEST_F(ShortDictionary, EmptyDictionaryInCorrectModeWritesAnEmptyCorrectedDictionary)
{
    request.mode = Mode::Correct;
    chooseDictionary("empty.txt", "");
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    ASSERT_TRUE(outputExists("empty/empty.txt"));
    EXPECT_EQ(output("empty/empty.txt"), "");
    EXPECT_TRUE(output("empty/empty.log").find(gbk("总共处理了 0 行。")) != std::string::npos);
    EXPECT_EQ(host.endApplicationCalls, 0);
}

// ESC confirmed during a run: the host's lineDone answers false.

class EscDuringRun : public RunTest {
protected:
    void stopAfterLine(std::int32_t last)
    {
        host.onLineDone = [last](std::int32_t line) { return line < last; };
    }
};

TEST_F(EscDuringRun, LogKeepsTheEntriesSoFarWithoutSummary)
{
    stopAfterLine(6);
    chooseDictionary("game.txt", fixtureBytes("game.txt"));
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::Ended);
    EXPECT_EQ(report.lines, 6);
    EXPECT_TRUE(sameBytes(output("game/game.log"),
                          pairCheckHeader() + entryLine("* 第 3 行发生错误。", gbk("Save 文件")) +
                              entryLine("  第 6 行没有翻译。", "Exit")));
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(host.endApplicationCalls, 0) << "the host itself ends the application";
}

TEST_F(EscDuringRun, CorrectedDictionaryHoldsThePairsAppendedSoFar)
{
    // After line 4 the pair 3-4 is complete but not yet appended.
    request.mode = Mode::Correct;
    stopAfterLine(4);
    chooseDictionary("g.txt", goodPair() + goodPair() + goodPair());
    (void)runPairs();
    EXPECT_EQ(output("g/g.txt"), goodPair());
}

TEST_F(EscDuringRun, AtTheFirstLineLeavesTheHeaderAndAnEmptyCorrectedDictionary)
{
    request.mode = Mode::Correct;
    stopAfterLine(1);
    chooseDictionary("g.txt", goodPair());
    (void)runPairs();
    EXPECT_EQ(output("g/g.txt"), "");
    EXPECT_EQ(splitCrlf(output("g/g.log")).size(), 11u);
}

}  // namespace
}  // namespace corvel::test
