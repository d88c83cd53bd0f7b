// Texts of the report: GBK to UTF-8 with \xNN for what does not convert,
// quoting, exact JSON string escaping, one-line text and URIs of paths.
#include "report/json_text.h"
#include "report/sarif_writer.h"
#include "report/text_writer.h"

#include "report/byte_scan.h"
#include "report/line_kinds.h"
#include "report/pair_text.h"
#include "corvel/report/text_decoder.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace corvel {
namespace {

TEST(TextDecoder, GbkToUtf8WritesBytesThatDoNotConvertAsHex)
{
    report::TextDecoder gbk;
    const std::pair<std::string, std::string> cases[] = {
        {"plain ASCII", "plain ASCII"},
        {test::gbk("打开 ％ｓ §a"), "打开 ％ｓ §a"},
        {"\xFF", "\\xFF"},                   // never a GBK byte
        {"\xB4\xF2\xFF", "打\\xFF"},
        {"\xB4\x7F" "a", "\\xB4\x7F" "a"},   // 0x7F is no trail byte: the lead alone
        {"\xB4", "\\xB4"},                   // a lead byte at the end
        {"a\x01\n", "a\x01\n"},              // control characters stay (the writers escape them)
        {"\xA2\xA0", "\\xA2\\xA0"},          // a GBK code with no character
    };
    for (const auto& [bytes, utf8] : cases)
        EXPECT_EQ(gbk.toUtf8(bytes), utf8) << utf8;
}

TEST(TextDecoder, Utf8IsCheckedNotTrusted)
{
    report::TextDecoder utf8(report::TextEncoding::Utf8);
    EXPECT_EQ(utf8.toUtf8("ok 中文"), "ok 中文");
    EXPECT_EQ(utf8.toUtf8("\xE4\xB8"), "\\xE4\\xB8");           // cut short
    EXPECT_EQ(utf8.toUtf8("\xC0\xAF"), "\\xC0\\xAF");           // overlong
    EXPECT_EQ(utf8.toUtf8("\xED\xA0\x80"), "\\xED\\xA0\\x80");  // a surrogate
    EXPECT_EQ(utf8.toUtf8("\xF4\x90\x80\x80"), "\\xF4\\x90\\x80\\x80");
}

// The quick byte tests read short texts in overlapping pieces: every
// length and every position must give what a byte-by-byte look gives.
TEST(ByteScan, AgreesWithAPlainLookAtEveryLengthAndPosition)
{
    for (std::size_t n = 0; n <= 70; ++n) {
        for (std::size_t at = 0; at < std::max<std::size_t>(n, 1); ++at) {
            for (char special : {'7', '%', '\xA3', '{', '\x80', '\xA0', '\xA1', '\x7F'}) {
                std::string text(n, 'x');
                if (n > 0)
                    text[at] = special;
                unsigned kinds = report::byteKinds(text);
                EXPECT_EQ((kinds & report::kDigit) != 0, n > 0 && special == '7') << n << " " << at;
                EXPECT_EQ((kinds & report::kPlaceholderStart) != 0,
                          n > 0 && (special == '%' || special == '{'));
                EXPECT_EQ((kinds & report::kFullwidthLead) != 0, n > 0 && special == '\xA3');
                EXPECT_EQ(report::holdsByteFrom80ToA0(text),
                          n > 0 && (special == '\x80' || special == '\xA0'))
                    << n << " " << at;
                if (n > 64)
                    continue;
                report::ShortTextMasks masks = report::shortTextMasks(text);
                std::uint64_t bit = n > 0 ? std::uint64_t {1} << at : 0;
                EXPECT_EQ(masks.digits, special == '7' ? bit : 0) << n << " " << at;
                EXPECT_EQ(masks.fullwidthLeads, special == '\xA3' ? bit : 0) << n << " " << at;
            }
        }
    }
}

// Each kind a pair's test decides, on a pair that holds it: its test says
// so, and no test says it of a plain pair. Every such kind has its row.
TEST(LineKinds, EachTestFindsItsKind)
{
    using namespace report;
    struct Tested {
        unsigned kind;
        KindTest test;
    };
    const Tested tests[] = {
#define CORVEL_KIND_TEST(kind, name, test) {k##kind, test},
        CORVEL_LINE_KINDS(CORVEL_KIND_TEST)
#undef CORVEL_KIND_TEST
    };
    struct Holds {
        unsigned kind;
        std::string_view source;
        std::string_view translation;
        TextEncoding encoding = TextEncoding::Gbk;
    };
    const Holds cases[] = {
        {kOnPlaceholder, "Open", "%s \xB4\xF2"},
        {kOnBlankEnd, "Open ", "\xB4\xF2"},
        {kOnSourceNumber, "Open 2", "\xB4\xF2"},
        {kOnMarks, "Open", "\xB4\x81\xA0"},
        {kOnMarks, "Cafe", "Caf\xC3\xA9", TextEncoding::Utf8},
        {kOnEndMark, "Open?", "\xB4\xF2"},
        {kOnEndMark, "Open", "\xB4\xF2?"},
        {kOnBracket, "Open (file)", "\xB4\xF2"},
        {kOnQuote, "Open \"file\"", "\xB4\xF2"},
        {kOnAddress, "me@host", "\xB4\xF2"},
        {kOnOption, "--open", "\xB4\xF2"},
        {kOnPath, "C:\\open", "\xB4\xF2"},
        {kOnInnerSpace, "Open", "\xB4\xF2 \xB4\xF2"},
        {kOnLongSource, "Open the file that the last session of this program left", "\xB4\xF2"},
        {kOnAttribute, "<a href=x>", "\xB4\xF2"},
        {kOnDollar, "$HOME", "\xB4\xF2"},
        {kOnSourceControl, "Open\x01", "\xB4\xF2"},
        {kOnDoubleSpace, "Open", "\xB4\xF2  \xB4\xF2"},
    };
    auto facts = [](std::string_view source, std::string_view translation, TextEncoding e) {
        return PairFacts {source, translation, byteKinds(source, e), byteKinds(translation, e), e};
    };
    unsigned covered = 0;
    for (const Holds& c : cases) {
        covered |= c.kind;
        for (const Tested& t : tests)
            if (t.kind == c.kind) {
                ASSERT_NE(t.test, nullptr) << c.source;
                EXPECT_NE(t.test(facts(c.source, c.translation, c.encoding)) & c.kind, 0u)
                    << c.source << " / " << c.translation;
            }
    }
    for (const Tested& t : tests) {
        if (t.test == nullptr)
            continue;
        EXPECT_NE(covered & t.kind, 0u) << "no pair holds kind " << t.kind;
        EXPECT_EQ(t.test(facts("Save", "\xB1\xA3\xB4\xE6", TextEncoding::Gbk)) & t.kind, 0u)
            << "a plain pair holds kind " << t.kind;
    }
}

TEST(Quote, CutsLongTextsAtCharacters)
{
    EXPECT_EQ(report::quote("short"), "\"short\"");
    std::string chinese;
    for (int i = 0; i < 70; ++i)
        chinese += "中";
    std::string quoted = report::quote(chinese);
    std::string expected = chinese.substr(0, 60 * 3);
    expected.insert(expected.begin(), '"');
    expected += "\u2026\"";
    EXPECT_EQ(quoted, expected);
}

TEST(JsonString, EscapesExactly)
{
    const std::pair<std::string, std::string> cases[] = {
        {"plain", "\"plain\""},
        {"q\"b\\s/", "\"q\\\"b\\\\s/\""},
        {"\n\r\t\b\f", "\"\\n\\r\\t\\b\\f\""},
        {std::string("\x00\x01\x1f\x7f", 4), "\"\\u0000\\u0001\\u001f\\u007f\""},
        {"中文 ％ｓ", "\"中文 ％ｓ\""},
        {"\u2028\u2029", "\"\\u2028\\u2029\""},
        {"a\u0085b\u009Bc", "\"a\\u0085b\\u009bc\""},  // C1 controls
        {"\u202Egnp.exe\u2066\u200F", "\"\\u202egnp.exe\\u2066\\u200f\""},  // bidi
        {"\u00A0\u00A9\u2026", "\"\u00A0\u00A9\u2026\""},  // near misses stay
        {"bad \xFF\xE4\xB8", "\"bad \\\\xFF\\\\xE4\\\\xB8\""},  // stays UTF-8
    };
    for (const auto& [text, json] : cases)
        EXPECT_EQ(cli::jsonString(text), json);
}

TEST(TextWriter, OneLineEscapesEverythingThatBreaksALine)
{
    EXPECT_EQ(cli::oneLine("a\nb\rc\td"), "a\\nb\\rc\\td");
    EXPECT_EQ(cli::oneLine(std::string("\x01\x7f", 2)), "\\x01\\x7F");
    EXPECT_EQ(cli::oneLine("x\u2028y\u2029"), "x\\u2028y\\u2029");
    EXPECT_EQ(cli::oneLine("a\u0085b\u009Bc"), "a\\u0085b\\u009Bc");
    EXPECT_EQ(cli::oneLine("\u202Egnp.exe\u200E"), "\\u202Egnp.exe\\u200E");
    EXPECT_EQ(cli::oneLine("\u00A9 \u201C\u2026\u201D"), "\u00A9 \u201C\u2026\u201D");
    EXPECT_EQ(cli::oneLine("目录/字典.txt"), "目录/字典.txt");
    EXPECT_EQ(cli::oneLine("\xFF"), "\\xFF");
}

TEST(SarifWriter, PathsBecomeUriReferences)
{
    EXPECT_EQ(cli::uriOfPath("game.txt"), "game.txt");
    EXPECT_EQ(cli::uriOfPath("dir/my game.txt"), "dir/my%20game.txt");
    EXPECT_EQ(cli::uriOfPath("a:b.DAT"), "a%3Ab.DAT");  // no part reads as a scheme
    EXPECT_EQ(cli::uriOfPath("字典.txt"), "%E5%AD%97%E5%85%B8.txt");
    EXPECT_EQ(cli::uriOfPath("/work/d 1/x#y%.txt"), "file:///work/d%201/x%23y%25.txt");
    EXPECT_EQ(cli::uriOfPath("C:\\Games\\zh.txt"), "file:///C:/Games/zh.txt");
    EXPECT_EQ(cli::uriOfPath("dir\\zh.txt"), "dir/zh.txt");
    EXPECT_EQ(cli::uriOfPath("/srv/main/../data/./zh.txt"), "file:///srv/data/zh.txt");
    EXPECT_EQ(cli::uriOfPath("./a/../zh.txt"), "zh.txt");
    EXPECT_EQ(cli::uriOfPath("../zh.txt"), "../zh.txt");
}

}  // namespace
}  // namespace corvel
