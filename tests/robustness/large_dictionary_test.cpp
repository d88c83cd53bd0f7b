// A 1 GiB dictionary streams through a run without its size showing in
// memory. The dictionary is a FIFO fed by a thread, so nothing large is
// ever on disk; CORVEL_STREAM_MIB sets another size.
#include "robustness_support.h"
#include "test_support.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <thread>

#include <gtest/gtest.h>

namespace corvel::robustness {
namespace {

constexpr std::size_t kMiB = 1024 * 1024;

std::size_t streamBytes()
{
    const char* mib = std::getenv("CORVEL_STREAM_MIB");
    return (mib ? std::strtoull(mib, nullptr, 10) : 1024) * kMiB;
}

// A kibibyte-sized block of whole line pairs, one of them untranslated.
struct Block {
    std::string bytes;
    std::int32_t lines = 0;
};

Block makeBlock()
{
    Block b;
    b.bytes = "Exit\r\nExit\r\n";
    b.lines = 2;
    const std::string pair = gbk("Open the file\r\n打开文件\r\n");
    const std::string last = gbk("好\r\n");
    while (b.bytes.size() + pair.size() + 3 + last.size() <= 1024) {
        b.bytes += pair;
        b.lines += 2;
    }
    b.bytes.append(1024 - 2 - last.size() - b.bytes.size(), 'x');  // a good English line...
    b.bytes += "\r\n";
    b.bytes += last;  // ...and its translation
    b.lines += 2;
    return b;
}

// Kilobytes of the process's peak and current resident set.
long statusField(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = -1;
    while (status >> key) {
        if (key == field) {
            status >> value;
            return value;
        }
        status.ignore(1 << 12, '\n');
    }
    return value;
}

bool resetPeak()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    return static_cast<bool>(clear);
}

// Writes `blocks` copies of the block into the FIFO, then closes it.
void feed(const fs::path& fifo, const std::string& block, std::size_t blocks)
{
    int fd = ::open(fifo.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    std::string chunk;
    for (int i = 0; i < 64; ++i)
        chunk += block;
    std::size_t left = blocks;
    while (left > 0) {
        std::size_t n = std::min<std::size_t>(left, 64);
        const char* p = chunk.data();
        std::size_t size = n * block.size();
        while (size > 0) {
            ssize_t written = ::write(fd, p, size);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {  // the reader went away
                ::close(fd);
                return;
            }
            p += written;
            size -= static_cast<std::size_t>(written);
        }
        left -= n;
    }
    ::close(fd);
}

TEST(LargeDictionary, AGigabyteStreamsThroughTheRunInSmallMemory)
{
    ::signal(SIGPIPE, SIG_IGN);  // a reader that gives up must not kill the test
    WorkFolder work;
    fs::path fifo = work / "big.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    Block block = makeBlock();
    ASSERT_EQ(block.bytes.size(), 1024u);
    std::size_t blocks = streamBytes() / block.bytes.size();
    ScriptedRun run(Layout::LinePairs, fifo);
    run.host.keepsEveryLine = false;

    long rssBefore = statusField("VmRSS:");
    bool peakReset = resetPeak();
    std::thread writer(feed, fifo, block.bytes, blocks);
    RunReport report = run.run();
    writer.join();
    long peak = statusField("VmHWM:");

    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_EQ(report.lines, static_cast<std::int32_t>(blocks) * block.lines);
    EXPECT_EQ(report.untranslated, static_cast<std::int32_t>(blocks));
    EXPECT_EQ(report.erroneous, 0);
    EXPECT_EQ(run.host.lineDoneCalls, report.lines);
    EXPECT_EQ(run.host.findingCount, report.untranslated);
    std::string log = readFile(work / "big/big.log");
    EXPECT_NE(log.find(gbk("总共处理了 ") + std::to_string(report.lines) + gbk(" 行。")),
              std::string::npos);
    if (!peakReset)
        GTEST_SKIP() << "the peak resident set cannot be reset here; memory not measured";
    RecordProperty("peak_growth_kib", std::to_string(peak - rssBefore));
    // The log (about 40 bytes an entry) is written as it grows, not kept.
    EXPECT_LT(peak - rssBefore, 64 * 1024) << "peak grew by " << (peak - rssBefore) << " KiB";
}

// One line of a gibibyte (CORVEL_STREAM_MIB), English with a translation
// character at its very end, and its Chinese line: erroneous, so quoted
// whole into the log, and in correct mode dropped or kept with its pair.
// The line is read again for the log and the copy: from the file, or
// through a pipe from a spill file; in blocks as the command-line checker
// reads, or line by line as the windows do. Memory stays small in each.
struct LongLineCase {
    const char* name;
    Mode mode;
    bool deleteErroneous;
    bool follows;
    bool piped;
};

TEST(LargeDictionary, ALineOfAGibibyteIsCheckedAndCorrectedInSmallMemory)
{
    WorkFolder work;
    const fs::path file = work / "line.txt";
    const std::string tail = gbk("好");
    const std::string chinese = gbk("好") + "\r\n";
    const std::size_t size = streamBytes();
    {
        std::ofstream out(file, std::ios::binary);
        const std::string chunk(kMiB, 'a');
        for (std::size_t written = 0; written + kMiB <= size - tail.size(); written += kMiB)
            out << chunk;
        out << std::string((size - tail.size()) % kMiB, 'a') << tail << "\r\n" << chinese;
        ASSERT_TRUE(out.good());
    }
    const LongLineCase cases[] = {
        {"check", Mode::Check, true, false, false},
        {"correct", Mode::Correct, true, false, false},
        {"correct, keeping erroneous lines", Mode::Correct, false, false, false},
        {"check through a pipe", Mode::Check, true, false, true},
        {"correct through a pipe, keeping erroneous lines", Mode::Correct, false, false, true},
        {"check line by line", Mode::Check, true, true, false},
        {"correct line by line through a pipe, keeping erroneous lines", Mode::Correct, false,
         true, true},
    };
    for (const LongLineCase& c : cases) {
        fs::remove_all(work / "pipe");
        fs::remove_all(work / "line");
        fs::create_directory(work / "pipe");
        const fs::path dictionary = c.piped ? work / "pipe/line.txt" : file;
        const fs::path outputs = dictionary.parent_path() / "line";
        std::optional<test::PipeFeed> feed;
        if (c.piped)
            feed.emplace(dictionary, file);
        ScriptedRun run(Layout::LinePairs, dictionary, c.mode);
        run.options.on[Option::DeleteErroneous] = c.deleteErroneous;
        run.request.linePath = c.follows ? LinePath::EveryLine : LinePath::FlaggedLines;
        run.host.keepsEveryLine = false;
        const long rssBefore = statusField("VmRSS:");
        const bool peakReset = resetPeak();
        const RunReport report = run.run();
        const long peak = statusField("VmHWM:");
        feed.reset();

        EXPECT_EQ(report.ending, RunEnding::Finished) << c.name;
        EXPECT_EQ(report.lines, 2) << c.name;
        EXPECT_EQ(report.erroneous, 1) << c.name;
        // The entry quotes the whole line: the log is longer than the line.
        EXPECT_GT(fs::file_size(outputs / "line.log"), size) << c.name;
        if (c.mode == Mode::Correct) {  // the pair is dropped, or kept as it stands
            EXPECT_EQ(fs::file_size(outputs / "line.txt"),
                      c.deleteErroneous ? 0 : fs::file_size(file)) << c.name;
        }
        if (!peakReset)
            GTEST_SKIP() << "the peak resident set cannot be reset here; memory not measured";
        RecordProperty(std::string("peak_growth_kib, ") + c.name, std::to_string(peak - rssBefore));
        EXPECT_LT(peak - rssBefore, 32 * 1024) << c.name << ": peak grew by "
                                               << (peak - rssBefore) << " KiB";
    }
}

}  // namespace
}  // namespace corvel::robustness
