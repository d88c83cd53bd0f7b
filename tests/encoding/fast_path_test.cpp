// The fast path gives the findings of the byte-by-byte path, wherever the
// blocks and the pieces of the stream end, and the scanner counts the lines
// LineReader gives.
#include "encoding/encoding_scanner.h"
#include "encoding/file_kind.h"
#include "scan_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include "corvel/report/rule_catalogue.h"

namespace corvel::encoding::test {
namespace {

// Dictionaries of plain lines with now and then something to find, one
// kind of line end each (now and then another).
class DictionaryMaker {
public:
    explicit DictionaryMaker(unsigned seed) : random_(seed) {}

    std::string make(TextEncoding encoding, std::size_t bytes)
    {
        const char* ends[] = {"\r\n", "\r", "\n"};
        const char* end = ends[pick(3)];
        std::string out;
        while (out.size() < bytes) {
            out += pick(2) == 0 ? word() : chinese(encoding);
            if (pick(8) == 0)
                out += pick(2) == 0 ? "=" : " ";
            if (pick(40) == 0)
                out += oddity(encoding);
            if (pick(5) == 0)
                out += pick(60) == 0 ? ends[pick(3)] : end;
        }
        return out;
    }

private:
    unsigned pick(unsigned n) { return std::uniform_int_distribution<unsigned>(0, n - 1)(random_); }

    std::string word()
    {
        const char* words[] = {"Open", "Save", "File", "a", "Exit 12"};
        return words[pick(5)];
    }

    std::string chinese(TextEncoding encoding)
    {
        // 打开 帮助 视图 烫 屯 锟 丂(low trail) 文
        const char* gbkChars[] = {"\xB4\xF2\xBF\xAA", "\xB0\xEF\xD6\xFA", "\xCA\xD3\xCD\xBC",
                                  "\xCC\xCC", "\xCD\xCD", "\xEF\xBF", "\x81\x40", "\xCE\xC4"};
        const char* utf8Chars[] = {"打开", "帮助", "视图", "烫", "屯", "锟", "丂", "文"};
        return encoding == TextEncoding::Utf8 ? utf8Chars[pick(8)] : gbkChars[pick(8)];
    }

    std::string oddity(TextEncoding encoding)
    {
        const char* common[] = {"?", "??", "\t", "\x02", "\x7F", "\x80", "\xFF", "\xB4",
                                "\xBD\xEF", "\xEF\xBF\xBD", "\x81\x30\x81\x30", "\x84\x31\xA4\x37"};
        const char* utf8[] = {"\xEF\xBF\xBD", "\xE0\x80\x80", "\xED\xA0\x80",
                              "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80", "\xC0\xAF",
                              "\xF0\x9F\x98\x80", "锟", "生", "\xE4\xB8"};
        if (encoding == TextEncoding::Utf8 && pick(2) == 0)
            return utf8[pick(10)];
        return common[pick(12)];
    }

    std::mt19937 random_;
};

TEST(FastPath, FindsWhatTheByteByBytePathFinds)
{
    // scanBytes compares every path, instruction set and piece size.
    DictionaryMaker maker(2024);
    const TextEncoding encodings[] = {TextEncoding::Gbk, TextEncoding::Gb18030, TextEncoding::Utf8};
    const EncodingChoice choices[] = {EncodingChoice::Gbk, EncodingChoice::Gb18030,
                                      EncodingChoice::Utf8};
    int withFindings = 0;
    for (int round = 0; round < 12; ++round)
        for (int e = 0; e < 3; ++e) {
            std::string bytes = maker.make(encodings[e], 3000);
            ReadingOptions options;
            options.encoding = choices[e];
            options.lineEnds = round % 2 == 0 ? LineEnds::CrLf : LineEnds::Any;
            options.layout = round % 3 == 0 ? Layout::Equals : Layout::LinePairs;
            options.charset = round % 4 == 3 ? Charset::Gb2312 : Charset::Any;
            withFindings += !scanBytes(bytes, options).empty();
        }
    EXPECT_GT(withFindings, 30) << "the dictionaries should hold things to find";
}

TEST(FastPath, MarksAndLineEndsAcrossBlockBoundaries)
{
    // Each mark placed so that it straddles the 64-byte boundary in every
    // way, in files of each line end and layout: found all the same.
    struct Mark {
        std::string bytes;
        const char* rule;
    };
    const std::string zhong = gbk("中");
    const std::vector<Mark> marks = {
        {zhong + "??" + zhong, "mojibake"},  {gbk("烫烫烫"), "mojibake"},
        {"\xEF\xBF\xBD\xEF", "mojibake"},    {zhong + "\x02", "control-char"},
        {"\xB4 ", "invalid-gbk"},            {"", "mixed-line-ends"},
    };
    struct File {
        const char* end;
        const char* otherEnd;
        LineEnds reading;
    };
    const File files[] = {{"\r\n", "\r", LineEnds::CrLf},
                          {"\r", "\r\n", LineEnds::CrLf},
                          {"\n", "\r\n", LineEnds::Any}};
    for (Layout layout : {Layout::LinePairs, Layout::Equals})
        for (const File& file : files)
            for (const Mark& mark : marks)
                for (std::size_t at = 168; at <= 200; ++at) {
                    // Plain line pairs, so that the blocks before the mark
                    // take the fast path; then the mark in a translation;
                    // then more plain lines.
                    const bool equals = layout == Layout::Equals;
                    const std::string end = file.end;
                    const std::string plain = equals ? "Open=" + gbk("打开") + end
                                                     : "Open" + end + gbk("打开") + end;
                    std::string bytes;
                    int line = 1;
                    for (; bytes.size() < 100; line += equals ? 1 : 2)
                        bytes += plain;
                    bytes += equals ? "K=" : "K" + end;
                    line += equals ? 0 : 1;
                    bytes += std::string(at - bytes.size(), 'x') + mark.bytes;
                    bytes += mark.bytes.empty() ? file.otherEnd : end;
                    for (int i = 0; i < 6; ++i)
                        bytes += plain;
                    ReadingOptions options {EncodingChoice::Gbk, file.reading, Charset::Any,
                                            layout};
                    std::vector<report::Finding> found = scanBytes(bytes, options);
                    ASSERT_FALSE(found.empty()) << mark.rule << " at " << at;
                    EXPECT_EQ(report::ruleInfo(found[0].rule).name, mark.rule) << "at " << at;
                    EXPECT_EQ(found[0].line, line) << mark.rule << " at " << at;
                }
}

TEST(FastPath, ColumnsAfterALineEndAnywhereInABlock)
{
    // The line before the mark's line ends at every place of a block; the
    // mark's column counts from the byte after that line end.
    const std::string plain = "Open=" + gbk("打开");
    for (const char* end : {"\r\n", "\r", "\n"})
        for (Layout layout : {Layout::LinePairs, Layout::Equals})
            for (std::size_t length = 60; length < 140; ++length) {
                const std::string e = end;
                std::string bytes = plain + e + plain + e + std::string(length, 'y') + e;
                const std::size_t lineStart = bytes.size();
                const std::string mark = layout == Layout::Equals ? "K=" : "";
                bytes += mark + std::string(70, 'x') + gbk("中") + "\x02" + e + plain + e;
                ReadingOptions options {EncodingChoice::Gbk,
                                        e == "\n" ? LineEnds::Any : LineEnds::CrLf, Charset::Any,
                                        layout};
                std::vector<report::Finding> found = scanBytes(bytes, options);
                ASSERT_EQ(brief(found),
                          std::vector<std::string> {
                              "control-char@4:" + std::to_string(mark.size() + 70 + 3)})
                    << "line before " << length << " bytes, end " << (e == "\r" ? "CR" : "")
                    << ", layout " << static_cast<int>(layout) << ", line start " << lineStart;
            }
}

TEST(FastPath, EqualsOfAnEarlierLineInTheBlockIsNotTheCurrentLines)
{
    // "K=V" and the start of a line without '=' share a block; the control
    // byte of that line comes blocks later and has no translation to be in.
    for (const char* end : {"\r\n", "\r", "\n"}) {
        const std::string e = end;
        std::string bytes;
        for (int i = 0; i < 8; ++i)
            bytes += "Open=" + gbk("打开") + e;
        for (std::size_t pad = 0; pad < 64; ++pad) {
            std::string withPad = bytes + std::string(pad, 'p') + "=q" + e + "K=V" + e +
                                  std::string(100, 'x') + "\x02" + e;
            ReadingOptions options {EncodingChoice::Gbk,
                                    e == "\n" ? LineEnds::Any : LineEnds::CrLf, Charset::Any,
                                    Layout::Equals};
            EXPECT_EQ(scanBrief(withPad, options), std::vector<std::string> {}) << pad;
        }
    }
}

TEST(FastPath, CountsTheLinesLineReaderGives)
{
    DictionaryMaker maker(99);
    for (int round = 0; round < 16; ++round) {
        const TextEncoding encoding = round % 2 == 0 ? TextEncoding::Gbk : TextEncoding::Utf8;
        std::string bytes = maker.make(encoding, 2000 + 97 * round);
        if (round % 4 == 1)
            bytes = "\xEF\xBB\xBF" + bytes;
        for (LineEnds ends : {LineEnds::CrLf, LineEnds::Any}) {
            FileKindDetector detector;
            detector.feed(bytes.data(), bytes.size());
            ScanSettings settings;
            settings.kind = detector.finish();
            settings.encoding = encoding;
            settings.lineEnds = ends;
            CollectingSink sink;
            EncodingScanner scanner(settings, sink);
            scanner.bytesRead(bytes.data(), bytes.size());
            scanner.finish();
            const bool utf8Bom = settings.kind.utf8Bom && encoding == TextEncoding::Utf8;
            EXPECT_EQ(scanner.lineCount(),
                      static_cast<std::int64_t>(readerLines(bytes, ends, utf8Bom).size()))
                << "round " << round;
        }
    }
}

}  // namespace
}  // namespace corvel::encoding::test
