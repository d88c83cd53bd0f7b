// LineReader's reading options: any line end, a UTF-8 byte-order mark kept
// out of line 1, and an observer that sees every byte read. (The default
// reading is tested with the engine.)
#include "scan_support.h"
#include "test_support.h"
#include "text_files.h"

#include <gtest/gtest.h>

namespace corvel::encoding::test {
namespace {

using Lines = std::vector<std::string>;
constexpr std::size_t kReaderBuffer = 256 * 1024;

TEST(AnyLineEnds, CrLfLoneCrAndLoneLfEachEndALine)
{
    struct Case {
        std::string bytes;
        Lines any;
        Lines crlf;
    };
    const std::vector<Case> cases = {
        {"a\nb", {"a", "b"}, {"a\nb"}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}, {"a", "b", "c\nd"}},
        {"\n\n", {"", ""}, {"\n\n"}},
        {"a\n\r\n", {"a", ""}, {"a\n"}},
        {"a\r\r\n", {"a", ""}, {"a", ""}},
        {"a\n\rb", {"a", "", "b"}, {"a\n", "b"}},
        {"a\r\n", {"a"}, {"a"}},
        {"", {}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(readerLines(c.bytes, LineEnds::Any), c.any) << c.bytes;
        EXPECT_EQ(readerLines(c.bytes, LineEnds::CrLf), c.crlf) << c.bytes;
    }
}

TEST(AnyLineEnds, LineEndsAtTheBufferBoundary)
{
    for (std::size_t boundary = 4096; boundary <= 2 * kReaderBuffer; boundary *= 2) {
        std::string first(boundary - 1, 'a');
        EXPECT_EQ(readerLines(first + "\nb\n", LineEnds::Any), (Lines {first, "b"})) << boundary;
        EXPECT_EQ(readerLines(first + "\r\nb", LineEnds::Any), (Lines {first, "b"})) << boundary;
        EXPECT_EQ(readerLines(first + "\r\rb", LineEnds::Any), (Lines {first, "", "b"}))
            << boundary;
        EXPECT_EQ(readerLines(first + "\n\nb", LineEnds::Any), (Lines {first, "", "b"}))
            << boundary;
    }
}

TEST(Utf8Mark, IsNoPartOfLineOneWhenSkipped)
{
    const std::string mark = "\xEF\xBB\xBF";
    EXPECT_EQ(readerLines(mark + "a\r\nb", LineEnds::CrLf, true), (Lines {"a", "b"}));
    EXPECT_EQ(readerLines(mark + "a\r\nb", LineEnds::CrLf, false), (Lines {mark + "a", "b"}));
    EXPECT_EQ(readerLines(mark, LineEnds::Any, true), Lines {});
    EXPECT_EQ(readerLines("\xEF\xBB", LineEnds::Any, true), (Lines {"\xEF\xBB"}));
    EXPECT_EQ(readerLines("a" + mark, LineEnds::Any, true), (Lines {"a" + mark}))
        << "only a mark at the start";
}

class Observer : public ReadObserver {
public:
    void bytesRead(const char* data, std::size_t size) override
    {
        seen.append(data, size);
        ++reads;
    }
    std::string seen;
    int reads = 0;
};

class ReadObserving : public corvel::test::TempFolderTest {};

TEST_F(ReadObserving, SeesEveryByteOnceInOrderPerRead)
{
    std::string bytes;
    std::size_t written = 0;
    for (; bytes.size() < 3 * kReaderBuffer; ++written)
        bytes += "line " + std::to_string(written) + (written % 7 == 0 ? "\n" : "\r\n");
    Error error;
    LineReader reader(File::open(makeFile("d.txt", bytes), File::Access::Read, error));
    Observer observer;
    reader.observe(&observer);
    std::size_t lines = 0;
    while (!reader.atEnd()) {
        (void)reader.nextAnyEnds();
        ++lines;
        EXPECT_GE(observer.seen.size(), 1u) << "bytes are seen before their lines";
    }
    EXPECT_EQ(observer.seen, bytes);
    EXPECT_LE(observer.reads, 5) << "once per read, not per line";
    EXPECT_EQ(lines, written);
}

}  // namespace
}  // namespace corvel::encoding::test
