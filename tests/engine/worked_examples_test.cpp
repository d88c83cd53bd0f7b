// Whole logs and corrected dictionaries compared byte for byte with GBK
// fixtures encoded from the reference listings (tests/fixtures/listings).
#include "run_test.h"

#include <atomic>
#include <chrono>
#include <thread>

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
    request.mode = Mode::Correct;
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_TRUE(sameBytes(output("game/game.log"), fixtureBytes("game.correct.log")));
}

TEST_F(PairWorkedExample, CorrectModeLeavesOutThePairsOfDroppedLines)
{
    request.mode = Mode::Correct;
    (void)runPairs();
    EXPECT_TRUE(sameBytes(output("game/game.txt"), fixtureBytes("game.correct.txt")));
}

TEST_F(PairWorkedExample, EmptyLineStopLogMatchesTheListing)
{
    options.on[Option::StopOnEmpty] = true;
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::EmptyLineStop);
    EXPECT_EQ(report.lines, 7);
    EXPECT_TRUE(sameBytes(output("game/game.log"), fixtureBytes("game.emptystop.log")));
}

TEST_F(PairWorkedExample, OutputGoesIntoAFolderNamedAfterTheDictionary)
{
    request.mode = Mode::Correct;
    RunReport report = runPairs();
    EXPECT_EQ(listTree(root()),
              (std::vector<std::string> {"dic/", "dic/game.txt", "dic/game/", "dic/game/game.log",
                                         "dic/game/game.txt"}));
    EXPECT_EQ(report.log, root() / "dic" / "game" / "game.log");
    EXPECT_EQ(report.outputFolder, root() / "dic" / "game");
    EXPECT_EQ(fs::current_path(), root()) << "the run never changes the working directory";
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
    request.mode = Mode::Correct;
    RunReport report = runEquals();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_TRUE(sameBytes(output("menu/menu.log"), fixtureBytes("menu.correct.log")));
}

TEST_F(EqualsWorkedExample, CorrectedDictionaryHoldsTheAcceptedLinesInOrder)
{
    request.mode = Mode::Correct;
    RunReport report = runEquals();
    EXPECT_TRUE(sameBytes(output("menu/menu.DAT"), fixtureBytes("menu.correct.DAT")));
    // Lines read minus untranslated minus serious-error lines.
    EXPECT_EQ(splitCrlf(output("menu/menu.DAT")).size(),
              static_cast<std::size_t>(report.lines - report.untranslated - report.erroneous));
    EXPECT_EQ(readBytes(dictionary), fixtureBytes("menu.DAT"));
}

// Runs share nothing but the process: two dictionaries of one name in
// different folders, checked at once on two threads, write what each of
// them writes alone.

struct ConcurrentCase {
    fs::path dictionary;  // relative to the test folder
    Layout layout;
    std::string bytes;
    bool dropUntranslated;
};

class ConcurrentRuns : public TempFolderTest {
protected:
    struct Run {
        TestOptions options;
        RunRequest request;
        FakeHost host;
        RunReport report;
    };

    // A correct-mode run of the case's dictionary copied under `folder`.
    void prepare(Run& run, const ConcurrentCase& c, const fs::path& folder)
    {
        fs::path dictionary = makeFile(folder / c.dictionary, c.bytes);
        run.options.on[Option::DeleteUntranslated] = c.dropUntranslated;
        run.request.layout = c.layout;
        run.request.dictionary = dictionary;
        run.request.outputParent = dictionary.parent_path();
        run.request.mode = Mode::Correct;
        run.request.clock = fixedClock();
        run.request.options = &run.options;
    }
    static void start(Run& run) { run.report = runCheck(run.request, run.host, {&run.host}); }

    // Every file under both folders, byte for byte.
    void expectSameTree(const fs::path& a, const fs::path& b)
    {
        std::vector<std::string> files = listTree(a);
        EXPECT_EQ(files, listTree(b));
        for (const std::string& file : files) {
            if (file.back() == '/')
                continue;
            EXPECT_TRUE(sameBytes(readBytes(a / file), readBytes(b / file))) << file;
        }
    }
};

TEST_F(ConcurrentRuns, TwoDictionariesFromDifferentFoldersWriteWhatEachWritesAlone)
{
    std::string pairs, equals;
    for (int i = 0; i < 3000; ++i) {
        pairs += fixtureBytes("game.txt");
        equals += fixtureBytes("menu.DAT");
    }
    const ConcurrentCase cases[2] = {{"a/game.txt", Layout::LinePairs, pairs, true},
                                     {"b/game.txt", Layout::Equals, equals, false}};
    Run alone[2], together[2];
    for (int i = 0; i < 2; ++i) {
        prepare(alone[i], cases[i], "alone");
        start(alone[i]);
        ASSERT_EQ(alone[i].report.ending, RunEnding::Finished);
        prepare(together[i], cases[i], "together");
    }

    // Each run waits at its first line until the other has reached its
    // own, so that both are reading and writing at the same time.
    std::atomic<int> reading {0};
    for (Run& run : together) {
        run.host.onLineDone = [&reading](std::int32_t line) {
            if (line == 1) {
                ++reading;
                const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
                while (reading < 2 && std::chrono::steady_clock::now() < giveUp)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            return true;
        };
    }
    std::thread first(start, std::ref(together[0]));
    std::thread second(start, std::ref(together[1]));
    first.join();
    second.join();

    EXPECT_EQ(reading, 2);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(cases[i].dictionary.string());
        EXPECT_EQ(together[i].report.ending, RunEnding::Finished);
        EXPECT_EQ(together[i].report.lines, alone[i].report.lines);
        EXPECT_EQ(together[i].host.findings, alone[i].host.findings);
        EXPECT_EQ(together[i].host.events, alone[i].host.events);
    }
    EXPECT_EQ(listTree(root() / "together"),
              (std::vector<std::string> {"a/", "a/game.txt", "a/game/", "a/game/game.log",
                                         "a/game/game.txt", "b/", "b/game.txt", "b/game/",
                                         "b/game/game.log", "b/game/game.txt"}));
    expectSameTree(root() / "together", root() / "alone");
    EXPECT_EQ(fs::current_path(), root());
}

}  // namespace
}  // namespace corvel::test
