// How a dictionary is cut into lines: CR LF or a lone CR ends a line, a
// lone LF stays in the line, a last line needs no terminator, and none of
// this depends on where the reader's 256 KiB buffer happens to end. And how
// staged output lines are kept or dropped.
#include "equals_log.h"
#include "pair_rules.h"
#include "run_test.h"
#include "text_files.h"

#include <optional>

namespace corvel::test {
namespace {

constexpr std::size_t kReaderBuffer = 256 * 1024;

class LineReading : public TempFolderTest {
protected:
    std::vector<std::string> linesOf(const std::string& bytes)
    {
        fs::path file = makeFile("lines.txt", bytes);
        Error error;
        LineReader reader(File::open(file, File::Access::Read, error));
        EXPECT_FALSE(error) << error.describe();
        std::vector<std::string> lines;
        while (!reader.atEnd())
            lines.emplace_back(reader.next());
        EXPECT_FALSE(reader.error()) << reader.error().describe();
        return lines;
    }
    using Lines = std::vector<std::string>;
};

TEST_F(LineReading, CrLfAndLoneCrEndALine)
{
    EXPECT_EQ(linesOf("a\r\nb\rc\r\n"), (Lines {"a", "b", "c"}));
}

TEST_F(LineReading, LoneLfIsPartOfTheLine)
{
    EXPECT_EQ(linesOf("a\nb\r\nc\n"), (Lines {"a\nb", "c\n"}));
    EXPECT_EQ(linesOf("\n\r\n"), (Lines {"\n"}));
}

TEST_F(LineReading, LastLineWithoutTerminatorIsALine)
{
    EXPECT_EQ(linesOf("a\r\nb"), (Lines {"a", "b"}));
    EXPECT_EQ(linesOf("a\r\nb\r"), (Lines {"a", "b"}));
    EXPECT_EQ(linesOf("a\r\nb\r\n"), (Lines {"a", "b"})) << "no empty line after the last CR LF";
}

TEST_F(LineReading, EmptyLinesAreLinesAndAnEmptyFileHasNone)
{
    EXPECT_EQ(linesOf("\r\n\r\n"), (Lines {"", ""}));
    EXPECT_EQ(linesOf("\r\r\n\r"), (Lines {"", "", ""}));
    EXPECT_EQ(linesOf(""), Lines {});
}

TEST_F(LineReading, CrLfSplitAcrossTheBufferBoundaryEndsOneLine)
{
    // The CR is the last byte of the first buffer, its LF the first of the
    // next. Other buffer sizes are tried too, so the case stays covered if
    // the reader's buffer changes.
    for (std::size_t boundary = 4096; boundary <= 4 * kReaderBuffer; boundary *= 2) {
        std::string first = std::string(1000, 'a') + "\r\n";
        std::string second(boundary - first.size() - 1, 'b');
        std::string bytes = first + second + "\r\n" + "c\r\n";
        ASSERT_EQ(bytes[boundary - 1], '\r');
        ASSERT_EQ(bytes[boundary], '\n');
        EXPECT_EQ(linesOf(bytes), (Lines {std::string(1000, 'a'), second, "c"}))
            << "CR LF split at " << boundary;
    }
}

TEST_F(LineReading, CrLfSplitAfterALineAsLongAsTheBuffer)
{
    for (std::size_t boundary = 4096; boundary <= 4 * kReaderBuffer; boundary *= 2) {
        std::string first(boundary - 1, 'a');
        EXPECT_EQ(linesOf(first + "\r\nb\r\n"), (Lines {first, "b"})) << boundary;
    }
}

TEST_F(LineReading, LoneCrAtTheBufferBoundaryEndsALine)
{
    for (std::size_t boundary = 4096; boundary <= 4 * kReaderBuffer; boundary *= 2) {
        std::string first(boundary - 1, 'a');
        EXPECT_EQ(linesOf(first + "\rb\r\n"), (Lines {first, "b"})) << boundary;
        EXPECT_EQ(linesOf(first + "\r"), (Lines {first})) << "a CR as the file's last byte";
    }
}

TEST_F(LineReading, LinesLongerThanTheBufferAreReadWhole)
{
    std::string longLine(3 * kReaderBuffer + 17, 'x');
    longLine[kReaderBuffer] = '\n';
    EXPECT_EQ(linesOf("a\r\n" + longLine + "\r\nb"), (Lines {"a", longLine, "b"}));
}

// A bounded reader (as a run reads) hands out a line longer than its buffer
// as a long line: its pieces are the line's bytes and its facts give the
// class the rules give the whole line (both layouts, English and Chinese,
// GBK and UTF-8); other lines come as without the bound. Long lines end at,
// before and after the buffer's end; read from a file, and through a pipe
// with any line end.
TEST_F(LineReading, ABoundedReaderGivesLongLinesAgainInPieces)
{
    const std::string cn = gbk("打开");
    const std::string bytes = "a\r\n" + std::string(kReaderBuffer - 1, 'b') + "\r" + cn + "\r\n"
        + std::string(3 * kReaderBuffer, ' ') + "\n" + cn + "\r\n" + std::string(kReaderBuffer, 'd')
        + "=" + std::string(kReaderBuffer, 'e') + "\r\n" + std::string(kReaderBuffer, 'g') + "=\x80\r\n"
        + std::string(2 * kReaderBuffer, 'f') + cn;
    const fs::path source = makeFile("source.txt", bytes);
    for (const LineEnds ends : {LineEnds::CrLf, LineEnds::Any}) {
        auto read = [ends](LineReader& r) { return ends == LineEnds::Any ? r.nextAnyEnds() : r.next(); };
        Error error;
        LineReader whole(File::open(source, File::Access::Read, error));
        std::vector<std::string> expected;
        while (!whole.atEnd())
            expected.emplace_back(read(whole));
        const fs::path dictionary = root() / (ends == LineEnds::Any ? "piped.txt" : "file.txt");
#ifndef _WIN32
        std::optional<PipeFeed> feed;
        if (ends == LineEnds::Any)
            feed.emplace(dictionary, source);
        else
#endif
            fs::copy_file(source, dictionary);
        const Folder folder = Folder::open(root(), error);
        LineReader reader(File::open(dictionary, File::Access::Read, error));
        reader.boundLines(&folder);
        std::size_t n = 0;
        int longLines = 0;
        for (; !reader.atEnd() && n < expected.size(); ++n) {
            const std::string_view line = read(reader);
            const std::string& want = expected[n];
            const LongLine* longLine = reader.takeLongLine();
            if (longLine == nullptr) {
                EXPECT_EQ(line, want) << "line " << n + 1;
                continue;
            }
            ++longLines;
            std::string pieces;
            EXPECT_TRUE(reader.pieces(longLine->start, longLine->end,
                                      [](void* to, std::string_view piece) {
                                          static_cast<std::string*>(to)->append(piece);
                                      },
                                      &pieces));
            EXPECT_TRUE(pieces == want) << "line " << n + 1;
            for (const TextEncoding encoding : {TextEncoding::Gbk, TextEncoding::Utf8}) {
                for (const std::int32_t number : {1, 2}) {
                    const LineClass c = classifyPairLine(want, number, encoding);
                    const LineClass flag = c == LineClass::Empty ? LineClass::Empty
                        : c == LineClass::Erroneous            ? LineClass::Erroneous
                        : c == LineClass::Untranslated         ? LineClass::Untranslated
                                                               : LineClass::Good;
                    EXPECT_EQ(longLine->facts.flag(scan::Layout::LinePairs, number, encoding), flag)
                        << "line " << n + 1 << " as line " << number;
                }
                const LineClass c = classifyEqualsLine(want, encoding);
                const LineClass flag = c == LineClass::MissingEquals ? LineClass::MissingEquals
                    : c == LineClass::Untranslated                ? LineClass::Untranslated
                                                                    : LineClass::Good;
                EXPECT_EQ(longLine->facts.flag(scan::Layout::Equals, 1, encoding), flag)
                    << "line " << n + 1;
            }
        }
        EXPECT_EQ(n, expected.size());
        EXPECT_EQ(longLines, 5);
        EXPECT_FALSE(reader.error()) << reader.error().describe();
    }
}

// A staged line reaches the file only when committed, also when it is
// longer than the write buffer (64 KiB) and went to the file before its
// commit. Each script stages (+), commits (c), drops (d) or writes (w) runs
// of bytes; the file must hold what a plain string model keeps.
TEST_F(LineReading, StagedOutputBeyondTheBufferIsKeptOrCutBack)
{
    const std::size_t big = 200 * 1024;
    const std::vector<std::vector<std::pair<char, std::size_t>>> scripts = {
        {{'w', 10}, {'+', big}, {'d', 0}, {'w', 5}},
        {{'w', 10}, {'+', big}, {'c', 0}, {'+', 7}, {'d', 0}},
        {{'+', 60000}, {'+', 9000}, {'+', 30}, {'d', 0}, {'+', 3}, {'c', 0}},
        {{'+', big}, {'+', big}, {'d', 0}, {'+', big}, {'c', 0}},
        {{'+', big}, {'w', 3}, {'+', 40}, {'d', 0}},
        {{'w', 70000}, {'+', big}, {'+', 10}},  // closed while staged
    };
    for (std::size_t i = 0; i < scripts.size(); ++i) {
        const fs::path folderPath = makeFolder("out" + std::to_string(i));
        Error error;
        const Folder folder = Folder::open(folderPath, error);
        OutputFile out;
        ASSERT_FALSE(out.open(folder, "o.txt", File::Access::Write));
        std::string committed, staged;
        char fill = 'a';
        for (const auto& [op, size] : scripts[i]) {
            const std::string bytes(size, fill++);
            if (op == '+') {
                out.stageBytes(bytes.data(), bytes.size());
                staged += bytes;
            } else if (op == 'w') {
                out.writeBytes(bytes.data(), bytes.size());
                committed += staged + bytes;
            } else if (op == 'c') {
                out.commit();
                committed += staged;
            } else {
                out.discardStaged();
            }
            if (op != '+')
                staged.clear();
        }
        EXPECT_FALSE(out.close());
        EXPECT_TRUE(readBytes(folderPath / "o.txt") == committed) << "script " << i + 1;
    }
}

// The same rules seen through a run: line numbers and quoted texts.

class LineEndsInARun : public RunTest {};

TEST_F(LineEndsInARun, LoneCrEndsALineAndLoneLfIsQuotedInTheEntry)
{
    // Line 1 "Open", line 2 "OK\nDone" (untranslated), line 3 "x".
    chooseDictionary("e.txt", "Open\rOK\nDone\r\nx");
    RunReport report = runPairs();
    EXPECT_EQ(report.lines, 3);
    EXPECT_TRUE(sameBytes(output("e/e.log"),
                          pairCheckHeader() + entryLine("  第 2 行没有翻译。", "OK\nDone") +
                              pairCheckSummary(3, 1, 0, 0)));
}

TEST_F(LineEndsInARun, LastLineWithoutTerminatorIsHandled)
{
    chooseDictionary("e.txt", crlfLines({"Open"}) + "OK");
    RunReport report = runPairs();
    EXPECT_EQ(report.lines, 2);
    EXPECT_EQ(report.untranslated, 1);
    EXPECT_EQ(host.linesDone, (std::vector<std::int32_t> {1, 2}));
}

TEST_F(LineEndsInARun, CorrectedDictionaryEndsEveryLineWithCrLf)
{
    request.mode = Mode::Correct;
    chooseDictionary("e.txt", "Open\r" + gbk("打开") + "\nx\r\nSave\r\n" + gbk("保存"));
    (void)runPairs();
    EXPECT_EQ(output("e/e.txt"),
              "Open\r\n" + gbk("打开") + "\nx\r\nSave\r\n" + gbk("保存") + "\r\n");
}

}  // namespace
}  // namespace corvel::test
