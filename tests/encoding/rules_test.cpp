// Each rule on the case that decides it and on its nearest false positive.
#include "scan_support.h"

#include "corvel/report/rule_catalogue.h"

#include <gtest/gtest.h>

namespace corvel::encoding::test {
namespace {

using namespace std::string_literals;
using Briefs = std::vector<std::string>;

ReadingOptions read(EncodingChoice encoding, LineEnds ends = LineEnds::CrLf,
                    Layout layout = Layout::LinePairs, Charset charset = Charset::Any)
{
    return {encoding, ends, charset, layout};
}

const ReadingOptions kGbk = read(EncodingChoice::Gbk);
const ReadingOptions kGb18030 = read(EncodingChoice::Gb18030);
const ReadingOptions kUtf8 = read(EncodingChoice::Utf8);
const ReadingOptions kAuto = read(EncodingChoice::Auto);
const ReadingOptions kAnyEnds = read(EncodingChoice::Gbk, LineEnds::Any);
const ReadingOptions kEquals = read(EncodingChoice::Gbk, LineEnds::CrLf, Layout::Equals);
const ReadingOptions kGb2312 =
    read(EncodingChoice::Gbk, LineEnds::CrLf, Layout::LinePairs, Charset::Gb2312);
const ReadingOptions kGb2312Equals =
    read(EncodingChoice::Gbk, LineEnds::CrLf, Layout::Equals, Charset::Gb2312);
const ReadingOptions kUtf8Gb2312 =
    read(EncodingChoice::Utf8, LineEnds::CrLf, Layout::LinePairs, Charset::Gb2312);

struct Case {
    const char* name;
    std::string bytes;
    ReadingOptions options;
    Briefs expected;
};

// An English line and its translation (GBK from UTF-8, plus raw bytes).
std::string pair(std::string_view english, std::string_view translation)
{
    return std::string(english) + "\r\n" + std::string(translation) + "\r\n";
}

const std::string kBom = "\xEF\xBB\xBF";

std::vector<Case> cases()
{
    const std::string jia = gbk("甲"), yi = gbk("乙");
    return {
        // What the file is.
        {"bom read as gbk", kBom + pair("Open", "OK"), kGbk, {"utf8-bom@1:1"}},
        {"bom read as utf-8", kBom + pair("Open", "OK"), kUtf8, {"utf8-bom@1:1"}},
        {"no bom: EF BB is a GBK character", "\xEF\xBB" + pair("Open", gbk("打开")), kGbk, {}},
        {"utf-16 LE with mark", "\xFF\xFEO\0p\0\r\0\n\0"s, kGbk, {"utf16@1:1"}},
        {"utf-16 LE without mark", "O\0p\0e\0n\0\r\0\n\0\x53\x62\x00\x5F\r\0\n\0"s, kAuto,
         {"utf16@1:1"}},
        {"utf-16 BE without mark", "\0O\0p\0e\0n\0\r\0\n"s, kGbk, {"utf16@1:1"}},
        {"one NUL in a source is no utf-16", pair("Op\0en"s, gbk("打开")), kGbk, {}},
        {"utf-8 read as gbk", pair("Open", "打开"), kGbk, {"utf8-text@2:1"}},
        {"utf-8 read as auto", pair("Open", "打开"), kAuto, {}},
        {"gbk is no utf-8", pair("Open", gbk("打开")), kGbk, {}},
        {"ascii is no utf-8 text", pair("Open", "OK"), kGbk, {}},

        // Bytes that are not characters.
        {"0x80", pair("Open", gbk("打") + "\x80"), kGbk, {"invalid-gbk@2:3"}},
        {"lead before a space", pair("Open", gbk("打") + "\xB4 x"), kGbk, {"invalid-gbk@2:3"}},
        {"lead at the line end", pair("Open", gbk("打") + "\xB4"), kGbk, {"invalid-gbk@2:3"}},
        {"trails 0x40 and 0x80 are valid", pair("Open", "\x81\x40\x81\x80\xFE\xFE"), kGbk, {}},
        {"gb18030 four bytes read as gbk", pair("Open", "\x81\x30\x81\x30"), kGbk,
         {"invalid-gbk@2:1"}},
        {"gb18030 four bytes", pair("Open", "\x81\x30\x81\x30\x90\x30\x81\x30"), kGb18030, {}},
        {"gb18030 four bytes beyond its ranges", pair("Open", "\x84\x31\xA5\x30"), kGb18030,
         {"invalid-gbk@2:1"}},
        {"gbk read as utf-8", pair("Open", gbk("中")), kUtf8, {"invalid-utf8@2:1"}},

        // Marks of an earlier wrong conversion.
        {"锟斤拷", pair("Open", gbk("文") + "\xEF\xBF\xBD\xEF\xBF\xBD"), kGbk, {"mojibake@2:3"}},
        {"one U+FFFD read as gbk", pair("Open", gbk("文") + "\xEF\xBF\xBD" "a"), kGbk,
         {"mojibake@2:3"}},
        {"锟 before another character", pair("Open", gbk("锟打")), kGbk, {}},
        {"烫烫烫", pair("Open", gbk("好烫烫烫")), kGbk, {"mojibake@2:3"}},
        {"烫烫 is a word", pair("Open", gbk("烫烫的")), kGbk, {}},
        {"屯屯屯", pair("Open", gbk("屯屯屯屯")), kGbk, {"mojibake@2:1"}},
        {"?? inside Chinese", pair("Open", gbk("中") + "??" + gbk("文")), kGbk,
         {"mojibake@2:3"}},
        {"one ? inside Chinese", pair("Open", gbk("是吗") + "?" + gbk("对")), kGbk, {}},
        {"?? after Chinese", pair("Open", gbk("真的吗") + "??"), kGbk, {}},
        {"?? in English", pair("What??", gbk("中文") + " ??"), kGbk, {}},
        {"U+FFFD in utf-8", pair("Open", "文\xEF\xBF\xBD"), kUtf8, {"mojibake@2:4"}},
        {"锟斤拷 in utf-8", pair("Open", "锟斤拷"), kAuto, {"mojibake@2:1"}},
        {"烫烫烫 in utf-8", pair("Open", "烫烫烫"), kUtf8, {"mojibake@2:1"}},
        {"U+FFFD in gb18030", pair("Open", "\x84\x31\xA4\x37"), kGb18030, {"mojibake@2:1"}},

        // Control bytes.
        {"control byte in source and translation", pair("A\x02" "B", jia + "\x02" + yi), kGbk,
         {}},
        {"control byte only in the translation", pair("AB", jia + "\x03"), kGbk,
         {"control-char@2:3"}},
        {"another control byte than the source's", pair("A\x02", jia + "\x03"), kGbk,
         {"control-char@2:3"}},
        {"DEL", pair("A", jia + "\x7F"), kGbk, {"control-char@2:3"}},
        {"tab", pair("A", jia + "\t" + yi), kGbk, {}},
        {"equals: control byte on both sides", "A\x02=" + jia + "\x02\r\n", kEquals, {}},
        {"equals: control byte after '=' only", "A=" + jia + "\x03\r\n", kEquals,
         {"control-char@1:5"}},
        {"equals: '=' and the control byte blocks apart",
         std::string("A") + std::string(90, 'x') + "=" + jia + std::string(80, 'y') + "\x02\r\n", kEquals,
         {"control-char@1:175"}},
        {"equals: '=' blocks after the source's control byte",
         "A\x02" + std::string(90, 'x') + "=" + jia + std::string(80, 'y') + "\x02\r\n", kEquals,
         {}},
        {"one LF in a translation", pair("A", jia + "\n" + yi), kGbk, {"control-char@2:3"}},

        // Line ends.
        {"LF only", "Open\nOK\n", kGbk, {"lf-line-ends@1:5"}},
        {"LF only, read with any", "Open\nOK\n", kAnyEnds, {}},
        {"one LF in a source", pair("A\nB", jia), kGbk, {}},
        {"several LFs in a line", pair("A", jia) + pair("B\nC\nD", yi), kGbk,
         {"lf-line-ends@3:2"}},
        {"CR LF then a lone CR", "A\r\n" + jia + "\rB\r\n" + yi + "\r\n", kGbk,
         {"mixed-line-ends@2:3"}},
        {"lone CRs only", "A\r" + jia + "\rB\r" + yi + "\r", kGbk, {}},
        {"any: LF then CR LF", "A\n" + jia + "\r\n", kAnyEnds, {"mixed-line-ends@2:3"}},

        // GB2312, for translations only.
        {"GBK-only character", pair("A", "\x81\x40"), kGb2312, {"outside-charset@2:1"}},
        {"GBK-only symbol", pair("A", "\xA2\xA1"), kGb2312, {"outside-charset@2:1"}},
        {"GB2312 row edges", pair("A", "\xA2\xB1\xD7\xF9\xF7\xFE"), kGb2312, {}},
        {"empty end of row 0xD7", pair("A", "\xD7\xFA"), kGb2312, {"outside-charset@2:1"}},
        {"GBK-only character in a source", pair("A\x81\x40", jia), kGb2312, {}},
        {"equals: before '='", "A\x81\x40=" + jia + "\r\n", kGb2312Equals, {}},
        {"equals: after '='", "A=\x81\x40\r\n", kGb2312Equals, {"outside-charset@1:3"}},
        {"no charset asked for", pair("A", "\x81\x40"), kGbk, {}},
        {"utf-8 outside GB2312", pair("A", "丂"), kUtf8Gb2312, {"outside-charset@2:1"}},
        {"utf-8 inside GB2312", pair("A", "中文"), kUtf8Gb2312, {}},

        // Several in a line: by column; columns after a byte-order mark.
        {"by column", pair("A", "\x03" + jia + "\x80"), kGbk,
         {"control-char@2:1", "invalid-gbk@2:4"}},
        {"column after the mark, utf-8", kBom + "\xFF\r\n", kUtf8,
         {"utf8-bom@1:1", "invalid-utf8@1:1"}},
        {"column counts the mark, gbk", kBom + "\xFF\r\n", kGbk,
         {"utf8-bom@1:1", "invalid-gbk@1:4"}},
    };
}

TEST(EncodingRules, DecideEachCaseAndLeaveItsNearestLookAlike)
{
    for (const Case& c : cases())
        EXPECT_EQ(scanBrief(c.bytes, c.options), c.expected) << c.name;
}

TEST(EncodingRules, OneFindingOfARulePerLineCountsTheRest)
{
    std::vector<report::Finding> found =
        scanBytes(pair("Open", gbk("打") + "\x80\xFF\x80"), kGbk);
    ASSERT_EQ(brief(found), (Briefs {"invalid-gbk@2:3"}));
    EXPECT_NE(found[0].message.find("(3 in this line)"), std::string::npos) << found[0].message;
}

// What each rule of the bytes says of what the scan noted, hints naming
// the option to use included.
TEST(EncodingRules, EachRuleSaysWhatItNoted)
{
    const std::string bom = "\xEF\xBB\xBF";
    const std::string cannotRead = ": its lines cannot be read; save it as GBK or UTF-8";
    struct Said {
        std::string bytes;
        ReadingOptions options;
        std::string rule;
        std::string message;
    };
    const Said cases[] = {
        {pair("Open", "打开"), kGbk, "utf8-text",
         "the file is UTF-8 (its multibyte characters start here) but is read as GBK; use "
         "--encoding utf-8"},
        {"Open\nOK\n", kGbk, "lf-line-ends",
         "lone LF bytes end the lines here, but a line ends only at CR LF or CR, so these lines "
         "are read as one; use --line-ends any"},
        {"A\r\nB\rC\r\n", kGbk, "mixed-line-ends",
         "this line ends with a lone CR, the lines before with CR LF"},
        {"A\rB\r\nC\r", kGbk, "mixed-line-ends",
         "this line ends with CR LF, the lines before with a lone CR"},
        {pair("Open", "\x81\x30\x81\x30"), kGbk, "invalid-gbk",
         "0x81 0x30 0x81 0x30 is a GB18030 four-byte character, not GBK; use --encoding gb18030"},
        {pair("Open", "\xFF"), kGbk, "invalid-gbk", "byte 0xFF is not GBK"},
        {pair("Open", "\xFF"), kGb18030, "invalid-gbk", "byte 0xFF is not GB18030"},
        {pair("Open", "\x81\x20"), kGbk, "invalid-gbk", "0x81 0x20 is not a GBK character"},
        {pair("Open", "\xC3\x28"), kUtf8, "invalid-utf8", "0xC3 is not valid UTF-8"},
        {pair("Open", "OK\x01"), kGbk, "control-char",
         "control byte 0x01 in the translation, which its source does not hold"},
        {pair("Open", gbk("打锟斤拷")), kGbk, "mojibake",
         "'锟斤拷': the UTF-8 bytes of U+FFFD read as GBK, text an earlier conversion lost"},
        {pair("Open", gbk("烫烫烫")), kGbk, "mojibake",
         "'烫烫烫': bytes 0xCC of uninitialized memory read as text"},
        {pair("Open", "\x81\x40"), kGb2312, "outside-charset",
         "0x81 0x40 is not in GB2312: a font of GB2312 only shows it as a box or '?'"},
        {pair("Open", "\xE4\xB8\x82"), kUtf8Gb2312, "outside-charset",
         "U+4E02 is not in GB2312: a font of GB2312 only shows it as a box or '?'"},
        {bom + "Open\r\n", kGbk, "utf8-bom",
         "the file starts with a UTF-8 byte-order mark, which read as GBK is text of line 1; "
         "use --encoding utf-8"},
        {bom + "Open\r\n", kUtf8, "utf8-bom",
         "the file starts with a UTF-8 byte-order mark (not part of line 1); programs that "
         "expect none read it as text"},
        {"\xFF\xFEO\0\r\0\n\0"s, kGbk, "utf16",
         "the file is UTF-16 (little-endian, byte-order mark FF FE)" + cannotRead},
        {"\xFE\xFF\0O\0\r\0\n"s, kGbk, "utf16",
         "the file is UTF-16 (big-endian, byte-order mark FE FF)" + cannotRead},
        {"O\0p\0e\0n\0\r\0\n\0"s, kGbk, "utf16",
         "the file looks like UTF-16 (little-endian: NUL bytes between its ASCII bytes)" +
             cannotRead},
        {"\0O\0p\0e\0n\0\r\0\n"s, kGbk, "utf16",
         "the file looks like UTF-16 (big-endian: NUL bytes before its ASCII bytes)" +
             cannotRead},
    };
    for (const Said& c : cases) {
        std::vector<std::string> said;
        for (const report::Finding& f : scanBytes(c.bytes, c.options))
            if (report::ruleInfo(f.rule).name == c.rule)
                said.push_back(f.message);
        EXPECT_EQ(said, std::vector<std::string> {c.message}) << c.rule;
    }
}

TEST(EncodingRules, LfLineEndsAndMixedLineEndsAreReportedOnce)
{
    EXPECT_EQ(scanBrief(pair("A", "B\nC\nD") + pair("E\nF\nG", "H"), kGbk),
              (Briefs {"lf-line-ends@2:2"}));
    EXPECT_EQ(scanBrief("A\r\nB\rC\r\nD\rE\r\n", kGbk), (Briefs {"mixed-line-ends@2:2"}));
}

// Once the sink says stop, nothing more is noted: not the rest of the
// line's notes, not the lines after, whichever path and pieces read them.
TEST(EncodingRules, NothingIsNotedAfterTheSinkSaysStop)
{
    const std::string faults = pair("A", gbk("甲") + "\x80\x01" + gbk("锟斤拷")) +
                               pair("B", "\xFF") + pair("C", "D\nE\nF");
    const struct {
        const char* name;
        std::string bytes;
        ReadingOptions options;
    } files[] = {
        {"gbk", faults, kGbk},
        {"bom", kBom + faults, kGbk},
        {"utf-8", kBom + pair("A", "\xE6\x89\x01") + pair("B", "\xFF"), kUtf8},
    };
    for (const auto& file : files) {
        const Briefs all = scanBrief(file.bytes, file.options);
        ASSERT_GE(all.size(), 3u) << file.name;
        for (std::size_t stopAt = 1; stopAt < all.size(); ++stopAt)
            EXPECT_EQ(scanBrief(file.bytes, file.options, stopAt),
                      Briefs(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(stopAt)))
                << file.name << ", stop at " << stopAt;
    }
}

TEST(EncodingRules, Utf16FileGetsNoLineFindings)
{
    // As GBK its NULs would be control bytes and its pairs odd characters.
    EXPECT_EQ(scanBrief("\xFF\xFE\x02\0\x80\0\r\0\n\0"s, kGbk), (Briefs {"utf16@1:1"}));
}

}  // namespace
}  // namespace corvel::encoding::test
