// Whole logs and corrected dictionaries compared byte for byte with GBK
// fixtures encoded from the reference listings (tests/fixtures/listings).
#include "run_test.h"

namespace corvel::test {
namespace {

class PairWorkedExample : public RunTest {
protected:
    void SetUp() override
    {
        RunTest::SetUp();
        dictionary = chooseDictionary("game.txt", fixtureBytes("game.txt"));
    }
    fs::path dictionary;
};

TEST_F(PairWorkedExample, CheckModeLogMatchesTheListing)
{
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_TRUE(sameBytes(output("game/game.log"), fixtureBytes("game.check.log")));
    EXPECT_FALSE(outputExists("game/game.txt")) << "check mode writes no corrected dictionary";
}

TEST_F(PairWorkedExample, CorrectModeLogMatchesTheListing)
{
    window.currentMode = Mode::Correct;
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_TRUE(sameBytes(output("game/game.log"), fixtureBytes("game.correct.log")));
}

TEST_F(PairWorkedExample, CorrectModeLeavesOutThePairsOfDroppedLines)
{
    window.currentMode = Mode::Correct;
    (void)runPairs();
    EXPECT_TRUE(sameBytes(output("game/game.txt"), fixtureBytes("game.correct.txt")));
}

TEST_F(PairWorkedExample, EmptyLineStopLogMatchesTheListing)
{
    window.options[Option::StopOnEmpty] = true;
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::EmptyLineStop);
    EXPECT_EQ(report.lines, 7);
    EXPECT_TRUE(sameBytes(output("game/game.log"), fixtureBytes("game.emptystop.log")));
}

TEST_F(PairWorkedExample, OutputGoesIntoAFolderNamedAfterTheDictionary)
{
    window.currentMode = Mode::Correct;
    RunReport report = runPairs();
    EXPECT_EQ(listTree(root()),
              (std::vector<std::string> {"dic/", "dic/game.txt", "dic/game/", "dic/game/game.log",
                                         "dic/game/game.txt"}));
    EXPECT_EQ(report.log, root() / "dic" / "game" / "game.log");
    EXPECT_EQ(fs::current_path(), root() / "dic" / "game") << "the run leaves the working "
                                                              "directory in its output folder";
    EXPECT_EQ(readBytes(dictionary), fixtureBytes("game.txt"));
}

TEST_F(PairWorkedExample, ReportCountsTheClasses)
{
    RunReport report = runPairs();
    EXPECT_EQ(report.lines, 8);
    EXPECT_EQ(report.erroneous, 1);
    EXPECT_EQ(report.untranslated, 1);
    EXPECT_EQ(report.empty, 1);
}

class EqualsWorkedExample : public RunTest {
protected:
    void SetUp() override
    {
        RunTest::SetUp();
        dictionary = chooseDictionary("menu.DAT", fixtureBytes("menu.DAT"));
    }
    fs::path dictionary;
};

TEST_F(EqualsWorkedExample, CheckModeLogMatchesTheFixture)
{
    RunReport report = runEquals();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_TRUE(sameBytes(output("menu/menu.log"), fixtureBytes("menu.check.log")));
    EXPECT_EQ(
        listTree(root()),
        (std::vector<std::string> {"dic/", "dic/menu.DAT", "dic/menu/", "dic/menu/menu.log"}));
}

TEST_F(EqualsWorkedExample, CorrectModeLogMatchesTheFixture)
{
    window.currentMode = Mode::Correct;
    RunReport report = runEquals();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_TRUE(sameBytes(output("menu/menu.log"), fixtureBytes("menu.correct.log")));
}

TEST_F(EqualsWorkedExample, CorrectedDictionaryHoldsTheAcceptedLinesInOrder)
{
    window.currentMode = Mode::Correct;
    RunReport report = runEquals();
    EXPECT_TRUE(sameBytes(output("menu/menu.DAT"), fixtureBytes("menu.correct.DAT")));
    // Lines read minus untranslated minus serious-error lines.
    EXPECT_EQ(splitCrlf(output("menu/menu.DAT")).size(),
              static_cast<std::size_t>(report.lines - report.untranslated - report.erroneous));
    EXPECT_EQ(readBytes(dictionary), fixtureBytes("menu.DAT"));
}

}  // namespace
}  // namespace corvel::test
