// Faults of the input side: the dictionary is gone when the run starts, it
// is a folder, or reading it fails half-way.
#include "failing_reads.h"
#include "robustness_support.h"

#include <gtest/gtest.h>

namespace corvel::robustness {
namespace {

struct Case {
    Layout layout;
    std::string fileName;
    std::string base;
};

const Case kCases[] = {{Layout::LinePairs, "game.txt", "game"}, {Layout::Equals, "menu.DAT", "menu"}};

TEST(DictionaryFaults, ADictionaryDeletedAfterChoosingIsReportedAndTheHostWaitsAgain)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.fileName);
        WorkFolder work;
        writeFile(work / c.fileName, "Open\r\n");
        ScriptedRun run(c.layout, work / c.fileName);  // chosen while it existed
        fs::remove(work / c.fileName);

        RunReport report = run.run();

        EXPECT_EQ(report.ending, RunEnding::FileNotFound);
        EXPECT_FALSE(run.ended());
        EXPECT_EQ(run.host.questions, std::vector<Question> {Question::DictionaryMissing});
        // Waiting again, without having shown any line.
        EXPECT_EQ(run.host.statusEvents(), (std::vector<std::string> {"runStarting", "waiting"}));
        EXPECT_FALSE(run.host.busy());
        EXPECT_TRUE(listTree(work.path()).empty()) << "nothing may be created";
    }
}

TEST(DictionaryFaults, AFolderNamedLikeADictionaryEndsTheRunBeforeAnythingIsCreated)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.fileName);
        WorkFolder work;
        fs::create_directory(work / c.fileName);
        ScriptedRun run(c.layout, work / c.fileName);

        RunReport report = run.run();

        EXPECT_EQ(report.ending, RunEnding::UnknownError);
        EXPECT_TRUE(run.ended());
        ASSERT_FALSE(run.host.questions.empty());
        EXPECT_EQ(run.host.questions.back(), Question::UnknownError);
        EXPECT_EQ(listTree(work.path()), std::vector<std::string> {c.fileName});
    }
}

TEST(DictionaryFaults, AReadFailureEndsTheRunWithoutASummary)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.fileName);
        WorkFolder work;
        // Opens like any file; its first read fails (address 0 is unmapped).
        fs::create_symlink("/proc/self/mem", work / c.fileName);
        ScriptedRun run(c.layout, work / c.fileName);

        RunReport report = run.run();

        EXPECT_EQ(report.ending, RunEnding::UnknownError);
        EXPECT_TRUE(run.ended());
        EXPECT_EQ(report.error.op(), FileOp::Read);
        EXPECT_EQ(report.lines, 0);
        std::string log = readFile(work / c.base / (c.base + ".log"));
        EXPECT_FALSE(log.empty()) << "the header written before the failure is kept";
        EXPECT_EQ(log.find(gbk("总共处理了")), std::string::npos);
    }
}

TEST(DictionaryFaults, AReadFailureInTheMiddleOfALineNeitherCountsNorReportsIt)
{
    // Read in 4-byte pieces; the fifth read fails after 16 bytes, inside the
    // line that starts with "Save".
    struct Cut {
        Case c;
        std::string bytes;
        std::int32_t wholeLines;
    };
    const Cut cuts[] = {{kCases[0], gbk("Open\r\n打开\r\nSave 文件\r\n保存\r\n"), 2},
                        {kCases[1], gbk("Open=打开\r\nSave=保存\r\n"), 1}};
    for (const Cut& cut : cuts) {
        SCOPED_TRACE(cut.c.fileName);
        WorkFolder work;
        writeFile(work / cut.c.fileName, cut.bytes);
        ScriptedRun run(cut.c.layout, work / cut.c.fileName, Mode::Correct);

        RunReport report;
        {
            FailingReads device(4, 5);
            report = run.run();
        }

        EXPECT_EQ(report.ending, RunEnding::UnknownError);
        EXPECT_EQ(report.error.op(), FileOp::Read);
        EXPECT_EQ(report.lines, cut.wholeLines);
        EXPECT_FALSE(report.flagged()) << "the cut-short line was taken for a line";
        std::string log = readFile(work / cut.c.base / (cut.c.base + ".log"));
        EXPECT_EQ(log.find("Save"), std::string::npos) << "the cut-short line was logged";
        EXPECT_EQ(readFile(work / cut.c.base / cut.c.fileName).find("Save"), std::string::npos);
    }
}

// Correct mode: wherever a read fails (at a line's start, inside it, right
// after a CR), the block path of corvel-check and the line-by-line loop of
// the windows leave the same corrected dictionary and log: every line pair
// read whole before the failure, kept or dropped by the same rules; an
// English line whose Chinese line was cut short stays out.
TEST(DictionaryFaults, AReadFailureLeavesTheSameOutputsOnBothPaths)
{
    const std::pair<Layout, std::string> dictionaries[] = {
        {Layout::LinePairs, gbk("Open\r\n打开\r\nSave\r\n保存\r\nQuit\r\nQuit\r\nOK\r\n好\r\n"
                                "文\r\n件\r\nNew\r\n新\rCut\r\n剪\r\n")},
        {Layout::Equals, gbk("Open=打开\r\nSave=保存\r\nQuit=Quit\r\nOK=好\rNew\r\nCut=剪\r\n")},
    };
    for (const auto& [layout, bytes] : dictionaries) {
        for (const bool keepErroneous : {false, layout == Layout::LinePairs}) {
            for (const std::size_t piece : {3u, 4u, 7u}) {
                for (int failAt = 1; failAt <= static_cast<int>(bytes.size() / piece) + 1; ++failAt) {
                    WorkFolder work;
                    std::string outputs[2];
                    for (const bool follows : {false, true}) {
                        const fs::path folder = work / (follows ? "lines" : "blocks");
                        fs::create_directory(folder);
                        writeFile(folder / "d.txt", bytes);
                        ScriptedRun run(layout, folder / "d.txt", Mode::Correct);
                        run.options.on[Option::DeleteErroneous] = !keepErroneous;
                        run.request.linePath = follows ? LinePath::EveryLine : LinePath::FlaggedLines;
                        RunReport report;
                        {
                            FailingReads device(piece, failAt);
                            report = run.run();
                        }
                        EXPECT_EQ(report.ending, RunEnding::UnknownError);
                        outputs[follows] = std::to_string(report.lines) + "\n"
                            + readFile(folder / "d/d.log") + "\n" + readFile(folder / "d/d.txt");
                    }
                    EXPECT_EQ(outputs[0], outputs[1])
                        << (layout == Layout::LinePairs ? "pairs" : "equals")
                        << (keepErroneous ? ", keeping erroneous" : "") << ", reads of " << piece
                        << ", read " << failAt << " fails";
                }
            }
        }
    }
}

}  // namespace
}  // namespace corvel::robustness
