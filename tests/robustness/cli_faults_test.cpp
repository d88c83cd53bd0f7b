// The command-line checker under the same faults: a dictionary that cannot
// be checked gives exit status 2 and a message naming the path and the
// cause, keeps the files it wrote, and the next dictionary is still checked.
#include "checker.h"
#include "interruption.h"
#include "robustness_support.h"

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace corvel::robustness {
namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

CliRun check(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    CliRun run;
    run.status = cli::runChecker(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// A clean line-pair dictionary as the one checked after the faulty one.
void writeClean(const fs::path& path)
{
    writeFile(path, gbk("Open\r\n打开\r\n"));
}

bool mentions(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST(CheckerFaults, AMissingDictionaryIsNamedAndTheNextOneIsChecked)
{
    WorkFolder work;
    writeClean(work / "b.txt");

    CliRun run = check({(work / "a.txt").string(), (work / "b.txt").string()});

    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(mentions(run.err, (work / "a.txt").string())) << run.err;
    EXPECT_TRUE(mentions(run.err, "No such file")) << run.err;
    EXPECT_TRUE(fs::exists(work / "b/b.log"));
    EXPECT_FALSE(fs::exists(work / "a"));
}

TEST(CheckerFaults, AFolderGivenAsDictionaryIsNamedAsUnreadable)
{
    WorkFolder work;
    fs::create_directory(work / "a.txt");
    writeClean(work / "b.txt");

    CliRun run = check({(work / "a.txt").string(), (work / "b.txt").string()});

    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(mentions(run.err, "a.txt")) << run.err;
    EXPECT_TRUE(mentions(run.err, "Is a directory")) << run.err;
    EXPECT_TRUE(fs::exists(work / "b/b.log"));
}

TEST(CheckerFaults, AnOutputFolderThatIsAFileIsNamedAndTheNextOneIsChecked)
{
    WorkFolder work;
    writeClean(work / "a.txt");
    writeFile(work / "a", "in the way");
    writeClean(work / "b.txt");

    CliRun run = check({(work / "a.txt").string(), (work / "b.txt").string()});

    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(mentions(run.err, "Not a directory")) << run.err;
    EXPECT_EQ(readFile(work / "a"), "in the way");
    EXPECT_TRUE(fs::exists(work / "b/b.log"));
}

TEST(CheckerFaults, AFullDiskIsReportedWithTheLogAndItsCause)
{
    WorkFolder work;
    std::string rows;
    for (int i = 0; i < 4000; ++i)  // a log well past the disk's 64 KiB
        rows += gbk("Open " + std::to_string(i) + "\r\nOpen\r\n");
    writeFile(work / "a.txt", rows);
    fs::create_directory(work / "a");
    auto mount = TmpfsMount::mount(work / "a", "64k", false);
    if (!mount)
        GTEST_SKIP() << "cannot mount a tmpfs (needs root)";

    CliRun run = check({"--no-error-stop", (work / "a.txt").string()});

    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(mentions(run.err, (work / "a/a.log").string() + ": ")) << run.err;
    EXPECT_TRUE(mentions(run.err, "No space left on device")) << run.err;
}

// A correct run ended by a signal, in a child process: the log and the
// corrected dictionary of the earlier run keep their bytes, no new file is
// left beside them, and the process ends by that signal after saying so.
// The dictionary comes through a FIFO, so that the signal lands while the
// run waits for more of it.
TEST(CheckerFaults, AnInterruptedRunKeepsTheEarlierOutputs)
{
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        WorkFolder work;
        fs::create_directory(work / "a");
        writeFile(work / "a/a.txt", "earlier corrected dictionary");
        writeFile(work / "a/a.log", "earlier log");
        ASSERT_EQ(::mkfifo((work / "a.txt").c_str(), 0600), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            cli::settleOutputsWhenInterrupted(cli::Messages());
            const int err = ::open((work / "err.txt").c_str(), O_WRONLY | O_CREAT, 0600);
            ::dup2(err, STDERR_FILENO);
            std::ostringstream out, errors;
            ::_exit(cli::runChecker({"--correct", (work / "a.txt").string()}, out, errors));
        }
        {
            std::ofstream fifo(work / "a.txt", std::ios::binary);
            for (int i = 0; i < 2000; ++i)
                fifo << gbk("Open " + std::to_string(i) + "\r\n打开\r\n");
            fifo.flush();
            // Both new files are made before the run reads; it then waits.
            for (int tries = 0; tries < 2000 && listTree(work / "a").size() < 4; ++tries)
                ::usleep(5000);
            EXPECT_EQ(listTree(work / "a").size(), 4u) << "the new files were made";
            ::kill(child, signal);
            int waited = 0;
            ::waitpid(child, &waited, 0);
            EXPECT_TRUE(WIFSIGNALED(waited) && WTERMSIG(waited) == signal) << waited;
        }
        EXPECT_EQ(readFile(work / "a/a.txt"), "earlier corrected dictionary");
        EXPECT_EQ(readFile(work / "a/a.log"), "earlier log");
        EXPECT_EQ(listTree(work / "a"), (std::vector<std::string> {"a.log", "a.txt"}));
        EXPECT_TRUE(mentions(readFile(work / "err.txt"), "corvel-check: interrupted"));
    }
}

TEST(CheckerFaults, AReadOnlyOutputFolderIsReportedAndNothingIsWritten)
{
    WorkFolder work;
    writeClean(work / "a.txt");
    fs::create_directory(work / "a");
    auto mount = TmpfsMount::mount(work / "a", "1m", true);
    auto immutable = mount ? nullptr : ImmutableFolder::set(work / "a");
    if (!mount && !immutable)
        GTEST_SKIP() << "can neither mount a read-only tmpfs nor set the immutable attribute";

    CliRun run = check({"--correct", (work / "a.txt").string()});

    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(mentions(run.err, "a.log")) << run.err;
    EXPECT_TRUE(fs::is_empty(work / "a"));
}

TEST(CheckerFaults, ASeriousErrorStopWritesItsLogAndTheNextDictionaryIsChecked)
{
    WorkFolder work;
    std::string rows;
    for (int i = 0; i < 12; ++i)
        rows += gbk("Save 文件\r\n保存\r\n");
    writeFile(work / "a.txt", rows);
    writeClean(work / "b.txt");

    CliRun run = check({(work / "a.txt").string(), (work / "b.txt").string()});

    EXPECT_EQ(run.status, 1);
    std::string log = readFile(work / "a/a.log");
    EXPECT_TRUE(mentions(log, gbk("严重错误发生于第 1 行。")));
    EXPECT_EQ(log.substr(log.size() - 4), "\r\n\r\n") << "the trailer is complete";
    EXPECT_TRUE(fs::exists(work / "b/b.log"));
    EXPECT_TRUE(mentions(run.out, "b.txt")) << run.out;
}

}  // namespace
}  // namespace corvel::robustness
