// Ending the application in the middle of a run: after ESC, a serious-error
// stop or an unknown error, every line the run had written is on disk.
// The harshest ending is a process that leaves at once (_exit: no
// destructors, no buffers written out), so the fatal endings run in a child
// process that does exactly that when the run ends the application.
#include "robustness_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace corvel::robustness {
namespace {

constexpr int kRunReturned = 3;  // the child's status when the run did not end it

// Every line flagged: an erroneous English line and an untranslated Chinese one.
std::string allFlagged(int pairs)
{
    std::string bytes;
    for (int i = 0; i < pairs; ++i)
        bytes += gbk("Save 文件\r\nOK\r\n");
    return bytes;
}

// Runs the check in a child process whose host leaves the process at once
// when the run ends the application; returns the child's exit status.
int runInChildThatEndsAtOnce(Layout layout, const fs::path& dictionary, Mode mode)
{
    pid_t child = ::fork();
    if (child == 0) {
        ScriptedRun run(layout, dictionary, mode);
        run.host.onEndApplication = [] { ::_exit(0); };
        (void)run.run();
        ::_exit(kRunReturned);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The same run in this process, ended normally, for its files.
std::string logOfRunHere(Layout layout, const fs::path& dictionary, const fs::path& log, Mode mode)
{
    WorkFolder here;
    fs::path copy = here / dictionary.filename();
    fs::copy_file(dictionary, copy);
    ScriptedRun run(layout, copy, mode);
    (void)run.run();
    return readFile(here / log);
}

TEST(EndingTheApplication, EscKeepsTheHeaderAndEveryEntryWrittenBeforeIt)
{
    WorkFolder work;
    writeFile(work / "game.txt", allFlagged(10));
    std::string full = logOfRunHere(Layout::LinePairs, work / "game.txt", "game/game.log",
                                    Mode::Check);
    ScriptedRun run(Layout::LinePairs, work / "game.txt");
    run.host.onLineDone = [](std::int32_t line) { return line < 7; };

    RunReport report = run.run();

    EXPECT_EQ(report.ending, RunEnding::Ended);
    EXPECT_EQ(report.lines, 7);
    EXPECT_FALSE(run.ended()) << "the host ends the application itself after ESC";
    std::vector<std::string> expected = splitCrLf(full);
    expected.resize(10 + 7);  // the check-mode header and the entries of lines 1 to 7
    EXPECT_EQ(splitCrLf(readFile(work / "game/game.log")), expected);
}

TEST(EndingTheApplication, EscInCorrectModeKeepsThePairsAppendedBeforeIt)
{
    WorkFolder work;
    std::string dictionary =
        gbk("One\r\n一\r\nTwo\r\n二\r\nSave 文件\r\n保存\r\nFour\r\n四\r\nFive\r\n五\r\n");
    writeFile(work / "game.txt", dictionary);
    ScriptedRun run(Layout::LinePairs, work / "game.txt", Mode::Correct);
    // Line 8 completes pair 4, which is appended only before line 9 is read.
    run.host.onLineDone = [](std::int32_t line) { return line < 8; };

    RunReport report = run.run();

    EXPECT_EQ(report.ending, RunEnding::Ended);
    EXPECT_EQ(readFile(work / "game/game.txt"), gbk("One\r\n一\r\nTwo\r\n二\r\n"));
    EXPECT_EQ(readFile(work / "game.txt"), dictionary);
}

TEST(EndingTheApplication, EscInTheEqualsRunKeepsEveryEntryWrittenBeforeIt)
{
    WorkFolder work;
    std::string dictionary;
    for (int i = 0; i < 10; ++i)
        dictionary += "Open=\r\n";
    writeFile(work / "menu.DAT", dictionary);
    std::string full =
        logOfRunHere(Layout::Equals, work / "menu.DAT", "menu/menu.log", Mode::Check);
    ScriptedRun run(Layout::Equals, work / "menu.DAT");
    run.host.onLineDone = [](std::int32_t line) { return line < 4; };

    RunReport report = run.run();

    EXPECT_EQ(report.ending, RunEnding::Ended);
    std::vector<std::string> expected = splitCrLf(full);
    expected.resize(10 + 4);
    EXPECT_EQ(splitCrLf(readFile(work / "menu/menu.log")), expected);
}

TEST(EndingTheApplication, ASeriousErrorStopHasWrittenTheWholeLogBeforeTheProcessEnds)
{
    WorkFolder work;
    writeFile(work / "game.txt", allFlagged(20));
    std::string expected = logOfRunHere(Layout::LinePairs, work / "game.txt", "game/game.log",
                                        Mode::Check);
    ASSERT_NE(expected.find(gbk("严重错误发生于第 1 行")), std::string::npos);

    EXPECT_EQ(runInChildThatEndsAtOnce(Layout::LinePairs, work / "game.txt", Mode::Check), 0);

    EXPECT_EQ(readFile(work / "game/game.log"), expected);
}

TEST(EndingTheApplication, AnUnknownErrorHasWrittenEveryEntryBeforeTheProcessEnds)
{
    WorkFolder work;
    std::string untranslated;  // every pair kept, so the corrected dictionary is written
    for (int i = 0; i < 20; ++i)
        untranslated += "Exit\r\nExit\r\n";
    writeFile(work / "game.txt", untranslated);
    std::string finished = logOfRunHere(Layout::LinePairs, work / "game.txt", "game/game.log",
                                        Mode::Correct);
    std::string upToSummary = finished.substr(0, finished.find(gbk("\r\n\r\n总共处理了")) + 2);
    fs::create_directory(work / "game");
    auto full = FullDeviceFile::bind(work / "game/game.txt");  // the corrected dictionary
    if (!full)
        GTEST_SKIP() << "cannot bind /dev/full onto a file (needs root)";

    EXPECT_EQ(runInChildThatEndsAtOnce(Layout::LinePairs, work / "game.txt", Mode::Correct), 0);

    EXPECT_EQ(readFile(work / "game/game.log"), upToSummary);
}

}  // namespace
}  // namespace corvel::robustness
