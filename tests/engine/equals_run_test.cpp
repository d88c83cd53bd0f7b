// The equals-line run: its line classes, line numbers, log entries and the
// corrected dictionary of accepted lines.
#include "equals_log.h"
#include "run_test.h"

namespace corvel::test {
namespace {

TEST(EqualsLineClass, TranslationAfterTheFirstEqualsSignIsAccepted)
{
    EXPECT_EQ(classifyEqualsLine(gbk("Open=打开")), LineClass::Good);
    EXPECT_EQ(classifyEqualsLine(gbk("a=b=打开")), LineClass::Good);
    EXPECT_EQ(classifyEqualsLine(gbk("=打开")), LineClass::Good);
}

TEST(EqualsLineClass, NothingTranslatedAfterTheEqualsSignIsUntranslated)
{
    EXPECT_EQ(classifyEqualsLine("Open="), LineClass::Untranslated);
    EXPECT_EQ(classifyEqualsLine("="), LineClass::Untranslated);
    EXPECT_EQ(classifyEqualsLine("Exit=Exit 2.0 (beta)!"), LineClass::Untranslated);
    // Chinese before the "=" is never looked at.
    EXPECT_EQ(classifyEqualsLine(gbk("打开=Open")), LineClass::Untranslated);
}

TEST(EqualsLineClass, LineWithoutEqualsSignIsASeriousError)
{
    EXPECT_EQ(classifyEqualsLine("Open"), LineClass::MissingEquals);
    EXPECT_EQ(classifyEqualsLine(""), LineClass::MissingEquals);
    EXPECT_EQ(classifyEqualsLine(gbk("打开")), LineClass::MissingEquals);
    // A full-width "＝" is not an equals sign.
    EXPECT_EQ(classifyEqualsLine(gbk("Open＝打开")), LineClass::MissingEquals);
}

TEST(EqualsLineClass, Byte0x80AfterTheEqualsSignIsPlainAnd0x81Translates)
{
    EXPECT_EQ(classifyEqualsLine("a=\x80"), LineClass::Untranslated);
    EXPECT_EQ(classifyEqualsLine("a=\x81"), LineClass::Good);
    EXPECT_EQ(classifyEqualsLine("a=\xFF"), LineClass::Good);
    EXPECT_EQ(classifyEqualsLine("\x81=a"), LineClass::Untranslated);
}

class EqualsRun : public RunTest {};

TEST_F(EqualsRun, LineNumbersCountEveryLine)
{
    // Serious-error and accepted lines are counted as much as the others.
    chooseDictionary("n.DAT", crlfLines({"Help", gbk("Open=打开"), "", "Exit="}));
    RunReport report = runEquals();
    EXPECT_EQ(report.lines, 4);
    EXPECT_EQ(host.linesDone, (std::vector<std::int32_t> {1, 2, 3, 4}));
    ASSERT_TRUE(host.finishedCounts);
    EXPECT_EQ(host.finishedCounts->lines, 4);
    EXPECT_TRUE(sameBytes(output("n/n.log"),
                          equalsHeader("检错") + entryLine("* 第 1 行发生严重错误。", "Help") +
                              entryLine("* 第 3 行发生严重错误。", "") +
                              entryLine("第 4 行没有翻译", "Exit=") +
                              equalsSummary(4, 1, 2, false)));
}

TEST_F(EqualsRun, BoundaryBytesAreQuotedAsRead)
{
    chooseDictionary("b.DAT", crlfLines({"a=\x80", "b=\x81"}));
    RunReport report = runEquals();
    EXPECT_EQ(report.untranslated, 1);
    EXPECT_TRUE(sameBytes(output("b/b.log"),
                          equalsHeader("检错") + entryLine("第 1 行没有翻译", "a=\x80") +
                              equalsSummary(2, 1, 0, false)));
}

TEST_F(EqualsRun, EntryEndingAtAZoneStartGetsNoFiller)
{
    // "* 第 100000 行发生严重错误。" is 28 bytes: it ends at a zone start.
    std::string bytes;
    for (int i = 1; i < 100000; ++i)
        bytes += gbk("a=打\r\n");
    bytes += "Help\r\n";
    chooseDictionary("z.DAT", bytes);
    (void)runEquals();
    std::string entry = gbk("* 第 100000 行发生严重错误。");
    ASSERT_EQ(entry.size(), 28u);
    EXPECT_TRUE(
        sameBytes(output("z/z.log"),
                  equalsHeader("检错") + entry + "Help\r\n" + equalsSummary(100000, 0, 1, false)));
}

TEST_F(EqualsRun, CorrectedDictionaryHoldsLinesReadMinusUntranslatedAndSeriousErrors)
{
    request.mode = Mode::Correct;
    std::string bytes;
    std::string expected;
    for (int i = 0; i < 50; ++i) {
        const std::string n = std::to_string(i);
        const std::string accepted = n + gbk("=值");
        bytes += crlfLines({accepted, n + "u=", n + "e"});
        expected += crlfLines({accepted});
    }
    chooseDictionary("c.DAT", bytes);
    RunReport report = runEquals();
    EXPECT_EQ(report.lines, 150);
    EXPECT_EQ(report.untranslated, 50);
    EXPECT_EQ(report.erroneous, 50);
    EXPECT_EQ(output("c/c.DAT"), expected);
}

TEST_F(EqualsRun, AcceptedLastLineWithoutTerminatorIsCopiedWithCrLf)
{
    request.mode = Mode::Correct;
    chooseDictionary("c.DAT", "Help\r\n" + gbk("Open=打开"));
    (void)runEquals();
    EXPECT_EQ(output("c/c.DAT"), gbk("Open=打开") + "\r\n");
}

TEST_F(EqualsRun, NameABDatGivesBaseAB)
{
    request.mode = Mode::Correct;
    chooseDictionary("a.b.DAT", fixtureBytes("menu.DAT"));
    (void)runEquals();
    EXPECT_EQ(listTree(root() / "dic"),
              (std::vector<std::string> {"a.b.DAT", "a.b/", "a.b/a.b.DAT", "a.b/a.b.log"}));
}

TEST_F(EqualsRun, LogDictionaryGetsItsLogUnderTheAlternativeName)
{
    // The corrected dictionary game.log and the log must not be one file.
    request.mode = Mode::Correct;
    chooseDictionary("menu.log", fixtureBytes("menu.DAT"));
    (void)runEquals();
    EXPECT_TRUE(sameBytes(output("menu/menu.log"), fixtureBytes("menu.correct.DAT")));
    EXPECT_TRUE(sameBytes(output("menu/menu1.log"), fixtureBytes("menu.correct.log")));
}

TEST_F(EqualsRun, CheckModeLeavesAnExistingCorrectedDictionaryUntouched)
{
    makeFile("dic/menu/menu.DAT", "older corrected dictionary\r\n");
    chooseDictionary("menu.DAT", fixtureBytes("menu.DAT"));
    (void)runEquals();
    EXPECT_EQ(output("menu/menu.DAT"), "older corrected dictionary\r\n");
}

TEST_F(EqualsRun, LogIsCreatedAnewByEveryRun)
{
    chooseDictionary("menu.DAT", fixtureBytes("menu.DAT"));
    request.mode = Mode::Correct;
    (void)runEquals();
    request.mode = Mode::Check;
    (void)runEquals();
    EXPECT_TRUE(sameBytes(output("menu/menu.log"), fixtureBytes("menu.check.log")));
}

TEST_F(EqualsRun, SecondRunWithoutChoosingAgainNestsTheOutputFolder)
{
    // The window gives the second run the first one's output folder.
    chooseDictionary("abc.DAT", fixtureBytes("menu.DAT"));
    RunReport first = runEquals();
    request.outputParent = first.outputFolder;
    RunReport second = runEquals();
    EXPECT_EQ(second.log, root() / "dic" / "abc" / "abc" / "abc.log");
    EXPECT_TRUE(outputExists("abc/abc/abc.log"));
}

TEST_F(EqualsRun, EmptyDictionaryIsARunOfZeroLines)
{
    chooseDictionary("empty.DAT", "");
    RunReport report = runEquals();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_TRUE(
        sameBytes(output("empty/empty.log"), equalsHeader("检错") + equalsSummary(0, 0, 0, false)));
    ASSERT_TRUE(host.finishedCounts);
    EXPECT_EQ(host.finishedCounts->lines, 0);
    EXPECT_EQ(host.endApplicationCalls, 0);
}

TEST_F(EqualsRun, EmptyDictionaryInCorrectModeWritesAnEmptyCorrectedDictionary)
{
    request.mode = Mode::Correct;
    chooseDictionary("empty.DAT", "");
    RunReport report = runEquals();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    ASSERT_TRUE(outputExists("empty/empty.DAT"));
    EXPECT_EQ(output("empty/empty.DAT"), "");
    EXPECT_TRUE(
        sameBytes(output("empty/empty.log"), equalsHeader("纠错") + equalsSummary(0, 0, 0, true)));
}

TEST_F(EqualsRun, EscLeavesTheEntriesAndTheAcceptedLinesSoFar)
{
    // Stopped after line 6 (a=b=打开, accepted): it is not yet copied.
    request.mode = Mode::Correct;
    host.onLineDone = [](std::int32_t line) { return line < 6; };
    chooseDictionary("menu.DAT", fixtureBytes("menu.DAT"));
    RunReport report = runEquals();
    EXPECT_EQ(report.ending, RunEnding::Ended);
    EXPECT_EQ(output("menu/menu.DAT"), gbk("Open=打开") + "\r\n");
    EXPECT_TRUE(sameBytes(output("menu/menu.log"),
                          equalsHeader("纠错") + entryLine("第 2 行没有翻译", "Save=") +
                              entryLine("第 3 行没有翻译", "=") +
                              entryLine("* 第 4 行发生严重错误。", "Help") +
                              entryLine("第 5 行没有翻译", gbk("打开=Open"))));
}

}  // namespace
}  // namespace corvel::test
