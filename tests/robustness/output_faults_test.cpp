// Faults of the output side: the output folder cannot be entered or written,
// the disk fills up half-way through the log, the corrected dictionary
// cannot be written. Each ends the application through the unknown-error
// path, never touches the dictionary, and keeps what was written before.
#include "robustness_support.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace corvel::robustness {
namespace {

const std::string kGameUtf8 = "Open\r\n打开\r\nSave 文件\r\n保存\r\nExit\r\nExit\r\n\r\n帮助\r\n";
const std::string kMenuUtf8 = "Open=打开\r\nSave=\r\nExit\r\n帮助=Help\r\n";

struct Case {
    Layout layout;
    std::string fileName;
    std::string base;
    std::string bytes;
};

std::vector<Case> bothLayouts()
{
    return {{Layout::LinePairs, "game.txt", "game", gbk(kGameUtf8)},
            {Layout::Equals, "menu.DAT", "menu", gbk(kMenuUtf8)}};
}

// The run ended the application through the unknown-error question.
void expectUnknownErrorEnd(const RunReport& report, const ScriptedRun& run)
{
    EXPECT_EQ(report.ending, RunEnding::UnknownError);
    EXPECT_TRUE(run.ended());
    ASSERT_FALSE(run.host.questions.empty());
    EXPECT_EQ(run.host.questions.back(), Question::UnknownError);
    EXPECT_EQ(run.host.calls().back(), "end");
}

// The log and corrected dictionary a run writes into a folder of its own.
struct Reference {
    std::string log;
    std::string corrected;
};

Reference referenceRun(const Case& c, Mode mode)
{
    WorkFolder ref;
    writeFile(ref / c.fileName, c.bytes);
    ScriptedRun run(c.layout, ref / c.fileName, mode);
    run.options.on[Option::StopOnErrors] = false;
    RunReport report = run.run();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    return {readFile(ref / c.base / (c.base + ".log")), readFile(ref / c.base / c.fileName)};
}

TEST(OutputFolderFaults, AFileNamedLikeTheOutputFolderEndsTheRunWithoutWriting)
{
    for (const Case& c : bothLayouts()) {
        SCOPED_TRACE(c.fileName);
        WorkFolder work;
        writeFile(work / c.fileName, c.bytes);
        writeFile(work / c.base, "not a folder");
        ScriptedRun run(c.layout, work / c.fileName);

        RunReport report = run.run();

        expectUnknownErrorEnd(report, run);
        EXPECT_EQ(readFile(work / c.base), "not a folder");
        EXPECT_EQ(readFile(work / c.fileName), c.bytes);
        EXPECT_EQ(listTree(work.path()), (std::vector<std::string> {c.base, c.fileName}));
    }
}

TEST(OutputFolderFaults, AReadOnlyOutputFolderEndsTheRunWithoutWriting)
{
    for (const Case& c : bothLayouts()) {
        SCOPED_TRACE(c.fileName);
        WorkFolder work;
        writeFile(work / c.fileName, c.bytes);
        fs::create_directory(work / c.base);
        // Root ignores permission bits; a read-only mount or the immutable
        // attribute refuses root too.
        auto mount = TmpfsMount::mount(work / c.base, "1m", true);
        auto immutable = mount ? nullptr : ImmutableFolder::set(work / c.base);
        if (!mount && !immutable)
            GTEST_SKIP() << "can neither mount a read-only tmpfs nor set the immutable attribute";
        ScriptedRun run(c.layout, work / c.fileName, Mode::Correct);

        RunReport report = run.run();

        expectUnknownErrorEnd(report, run);
        EXPECT_TRUE(fs::is_empty(work / c.base));
        EXPECT_EQ(readFile(work / c.fileName), c.bytes);
    }
}

TEST(OutputFolderFaults, AFullDiskKeepsEveryByteOfTheLogWrittenBeforeIt)
{
    // Every Chinese line untranslated: about 200 KB of log for a 64 KB disk.
    Case c {Layout::LinePairs, "big.txt", "big", {}};
    for (int i = 0; i < 6000; ++i)
        c.bytes += "Exit\r\nExit\r\n";
    Reference expected = referenceRun(c, Mode::Check);
    ASSERT_GT(expected.log.size(), 128u * 1024);

    WorkFolder work;
    writeFile(work / c.fileName, c.bytes);
    fs::create_directory(work / c.base);
    auto mount = TmpfsMount::mount(work / c.base, "64k", false);
    if (!mount)
        GTEST_SKIP() << "cannot mount a small tmpfs (needs root)";
    ScriptedRun run(c.layout, work / c.fileName);
    run.options.on[Option::StopOnErrors] = false;

    RunReport report = run.run();

    expectUnknownErrorEnd(report, run);
    std::string log = readFile(work / c.base / "big.log");
    EXPECT_GE(log.size(), 60u * 1024) << "the disk was not filled before giving up";
    EXPECT_EQ(log, expected.log.substr(0, log.size()));
    EXPECT_EQ(readFile(work / c.fileName), c.bytes);
}

// A long line read through a pipe goes to a spill file in the output folder;
// when the disk is full there, the failure names that file, on both paths.
TEST(OutputFolderFaults, ASpillFileOnAFullDiskIsNamedInTheFailure)
{
    for (const bool follows : {false, true}) {
        SCOPED_TRACE(follows ? "line by line" : "blocks");
        WorkFolder work;
        writeFile(work / "bytes", std::string(3 << 20, 'a') + gbk("好") + "\r\n");
        fs::create_directory(work / "big");
        auto mount = TmpfsMount::mount(work / "big", "64k", false);
        if (!mount)
            GTEST_SKIP() << "cannot mount a small tmpfs (needs root)";
        test::PipeFeed feed(work / "big.txt", work / "bytes");
        ScriptedRun run(Layout::LinePairs, work / "big.txt");
        run.request.linePath = follows ? LinePath::EveryLine : LinePath::FlaggedLines;

        const RunReport report = run.run();

        expectUnknownErrorEnd(report, run);
        EXPECT_EQ(report.error.path(), (work / "big").string());
        EXPECT_NE(report.error.cause().find("temporary file"), std::string::npos)
            << report.error.describe();
        EXPECT_NE(report.error.cause().find("No space left on device"), std::string::npos)
            << report.error.describe();
    }
}

TEST(OutputFolderFaults, ALogThatCannotBeWrittenEndsTheRunAsAnUnknownError)
{
    for (const Case& c : bothLayouts()) {
        SCOPED_TRACE(c.fileName);
        WorkFolder work;
        writeFile(work / c.fileName, c.bytes);
        fs::create_directory(work / c.base);
        auto full = FullDeviceFile::bind(work / c.base / (c.base + ".log"));
        if (!full)
            GTEST_SKIP() << "cannot bind /dev/full onto a file (needs root)";
        ScriptedRun run(c.layout, work / c.fileName);

        RunReport report = run.run();

        expectUnknownErrorEnd(report, run);
        EXPECT_EQ(report.error.op(), FileOp::Write);
        EXPECT_EQ(readFile(work / c.fileName), c.bytes);
    }
}

TEST(OutputFolderFaults, ACorrectedDictionaryThatCannotBeWrittenKeepsTheWholeLog)
{
    for (const Case& c : bothLayouts()) {
        SCOPED_TRACE(c.fileName);
        Reference expected = referenceRun(c, Mode::Correct);
        // Everything up to the summary: the header and every entry.
        std::string upToSummary =
            expected.log.substr(0, expected.log.find(gbk("\r\n\r\n总共处理了")) + 2);

        WorkFolder work;
        writeFile(work / c.fileName, c.bytes);
        fs::create_directory(work / c.base);
        auto full = FullDeviceFile::bind(work / c.base / c.fileName);
        if (!full)
            GTEST_SKIP() << "cannot bind /dev/full onto a file (needs root)";
        ScriptedRun run(c.layout, work / c.fileName, Mode::Correct);
        run.options.on[Option::StopOnErrors] = false;

        RunReport report = run.run();

        expectUnknownErrorEnd(report, run);
        EXPECT_EQ(readFile(work / c.base / (c.base + ".log")), upToSummary);
        EXPECT_EQ(readFile(work / c.fileName), c.bytes);
    }
}

}  // namespace
}  // namespace corvel::robustness
