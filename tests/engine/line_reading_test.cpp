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

// The facts of a long line give the class the rules give the whole line,
// in both layouts, as an English and a Chinese line, in every encoding.
void expectSameClass(const LineFacts& facts, const std::string& line, const std::string& where)
{
    using scan::LineFlag;
    for (const TextEncoding encoding : {TextEncoding::Gbk, TextEncoding::Utf8}) {
        for (const std::int32_t number : {1, 2}) {
            const LineClass pair = classifyPairLine(line, number, encoding);
            const LineFlag pairFlag = pair == LineClass::Empty ? LineFlag::Empty
                : pair == LineClass::Erroneous                ? LineFlag::Erroneous
                : pair == LineClass::Untranslated             ? LineFlag::Untranslated
                                                              : LineFlag::None;
            EXPECT_EQ(facts.flag(scan::Layout::LinePairs, number, encoding), pairFlag)
                << where << " as line " << number;
        }
        const EqualsClass equals = classifyEqualsLine(line, encoding);
        const LineFlag equalsFlag = equals == EqualsClass::SeriousError ? LineFlag::NoEquals
            : equals == EqualsClass::Untranslated                      ? LineFlag::Untranslated
                                                                       : LineFlag::None;
        EXPECT_EQ(facts.flag(scan::Layout::EqualsLines, 1, encoding), equalsFlag) << where;
    }
}

// A bounded reader (as a run reads) hands out a line longer than its buffer
// as a long line: its pieces are exactly the line's bytes and its facts
// give the class the rules give the whole line; every other line comes as
// without the bound. From a file and through a pipe, for both kinds of line
// end, with long lines ending at, before and after the buffer's end.
TEST_F(LineReading, ABoundedReaderGivesLongLinesAgainInPieces)
{
    const std::string cn = gbk("打开");
    const std::string bytes = "a\r\n" + std::string(kReaderBuffer - 1, 'b') + "\r" + cn + "\r\n"
        + std::string(kReaderBuffer - 1, 'c') + "\r\n" + std::string(3 * kReaderBuffer, ' ')
        + "\n" + cn + "\r\n" + std::string(kReaderBuffer, 'd') + "=" + std::string(kReaderBuffer, 'e')
        + "\r\nx=" + cn + "\r" + std::string(kReaderBuffer, 'g') + "=\x80\r\n"
        + std::string(2 * kReaderBuffer, 'f') + cn;
    const fs::path source = makeFile("source.txt", bytes);
    struct Way {
        const char* name;
        bool piped;
        LineEnds ends;
    };
    const Way ways[] = {{"file", false, LineEnds::CrLf},
                        {"file, any line end", false, LineEnds::Any},
                        {"pipe", true, LineEnds::CrLf},
                        {"pipe, any line end", true, LineEnds::Any}};
    auto read = [](LineReader& reader, LineEnds ends) {
        return ends == LineEnds::Any ? reader.nextAnyEnds() : reader.next();
    };
    for (const Way& way : ways) {
        Error error;
        LineReader whole(File::open(source, File::Access::Read, error));
        std::vector<std::string> expected;
        while (!whole.atEnd())
            expected.emplace_back(read(whole, way.ends));

        const fs::path dictionary = root() / (std::string(way.name) + ".txt");
#ifndef _WIN32
        std::optional<PipeFeed> feed;
        if (way.piped)
            feed.emplace(dictionary, source);
        else
            fs::copy_file(source, dictionary);
#else
        if (way.piped)
            continue;
        fs::copy_file(source, dictionary);
#endif
        const Folder folder = Folder::open(root(), error);
        LineReader reader(File::open(dictionary, File::Access::Read, error));
        reader.boundLines(&folder);
        std::size_t n = 0;
        int longLines = 0;
        for (; !reader.atEnd(); ++n) {
            const std::string_view line = read(reader, way.ends);
            ASSERT_LT(n, expected.size()) << way.name;
            const LongLine* longLine = reader.takeLongLine();
            if (longLine == nullptr) {
                EXPECT_EQ(line, expected[n]) << way.name << ", line " << n + 1;
                continue;
            }
            ++longLines;
            std::string pieces;
            EXPECT_TRUE(reader.pieces(longLine->start, longLine->end,
                                      [](void* to, std::string_view piece) {
                                          static_cast<std::string*>(to)->append(piece);
                                      },
                                      &pieces));
            EXPECT_TRUE(pieces == expected[n]) << way.name << ", line " << n + 1;
            expectSameClass(longLine->facts, expected[n], std::string(way.name) + ", line "
                                                                + std::to_string(n + 1));
        }
        EXPECT_EQ(n, expected.size()) << way.name;
        EXPECT_EQ(longLines, 6) << way.name;
        EXPECT_FALSE(reader.error()) << reader.error().describe();
    }
}

// The spill file of a pipe: written, read at offsets, cut back and written
// again, and it leaves no file behind.
TEST_F(LineReading, ATemporaryFileIsReadAtOffsetsAndLeavesNothing)
{
    const fs::path folderPath = makeFolder("spill");
    Error error;
    const Folder folder = Folder::open(folderPath, error);
    File file = File::openTemporary(&folder, error);
    ASSERT_FALSE(error) << error.describe();
    EXPECT_TRUE(listTree(folderPath).empty()) << "a spill file has no name in the output folder";
    EXPECT_FALSE(file.writeAll("abcdef", 6));
    char bytes[4] = {};
    EXPECT_EQ(file.readAt(2, bytes, 3, error), 3u);
    EXPECT_EQ(std::string(bytes, 3), "cde");
    EXPECT_FALSE(file.truncate(0));
    EXPECT_FALSE(file.writeAll("xy", 2));
    EXPECT_EQ(file.size(error), 2u);
    EXPECT_EQ(file.readAt(0, bytes, 4, error), 2u);
    EXPECT_EQ(std::string(bytes, 2), "xy");
    EXPECT_FALSE(error) << error.describe();
    const fs::path where = file.path();
    EXPECT_FALSE(file.close());
    EXPECT_TRUE(fs::is_directory(where) || !fs::exists(where)) << where;
}

// Staged output: a staged line reaches the file only when committed, also
// when it is longer than the write buffer (64 KiB) and went to the file
// ahead of its commit. Each script stages, commits, drops and writes runs
// of bytes; the file must hold exactly what a plain string model keeps.
TEST_F(LineReading, StagedOutputBeyondTheBufferIsKeptOrCutBack)
{
    enum class Op { Stage, Commit, Drop, Write };
    struct Step {
        Op op;
        std::size_t size = 0;
    };
    constexpr std::size_t kBig = 200 * 1024;
    const std::vector<std::vector<Step>> scripts = {
        {{Op::Write, 10}, {Op::Stage, kBig}, {Op::Drop}, {Op::Write, 5}},
        {{Op::Write, 10}, {Op::Stage, kBig}, {Op::Commit}, {Op::Stage, 7}, {Op::Drop}},
        {{Op::Stage, 60000}, {Op::Stage, 9000}, {Op::Stage, 30}, {Op::Drop}, {Op::Stage, 3}},
        {{Op::Stage, 60000}, {Op::Stage, 9000}, {Op::Commit}, {Op::Stage, kBig}, {Op::Drop}},
        {{Op::Stage, kBig}, {Op::Stage, kBig}, {Op::Drop}, {Op::Stage, kBig}, {Op::Commit}},
        {{Op::Stage, kBig}, {Op::Write, 3}, {Op::Stage, 40}, {Op::Drop}},
        {{Op::Write, 70000}, {Op::Stage, kBig}, {Op::Stage, 10}},  // closed while staged
    };
    int n = 0;
    for (const std::vector<Step>& script : scripts) {
        const fs::path folderPath = root() / ("out" + std::to_string(n++));
        fs::create_directory(folderPath);
        Error error;
        const Folder folder = Folder::open(folderPath, error);
        ASSERT_FALSE(error) << error.describe();
        OutputFile out;
        ASSERT_FALSE(out.open(folder, "o.txt", File::Access::Write));
        std::string committed;
        std::string staged;
        char fill = 'a';
        for (const Step& step : script) {
            const std::string bytes(step.size, fill);
            fill = fill == 'z' ? 'a' : static_cast<char>(fill + 1);
            switch (step.op) {
            case Op::Stage:
                out.stageBytes(bytes.data(), bytes.size());
                staged += bytes;
                break;
            case Op::Commit:
                out.commit();
                committed += staged;
                staged.clear();
                break;
            case Op::Drop:
                out.discardStaged();
                staged.clear();
                break;
            case Op::Write:
                out.writeBytes(bytes.data(), bytes.size());
                committed += staged + bytes;
                staged.clear();
                break;
            }
        }
        EXPECT_FALSE(out.close());
        EXPECT_TRUE(readBytes(folderPath / "o.txt") == committed) << "script " << n;
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
