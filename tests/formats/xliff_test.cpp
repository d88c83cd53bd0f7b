// The XLIFF reader: units, states, translate="no", inline codes and places,
// in 1.2 and 2.x, read whole and in one-byte pieces alike.
#include "formats/xliff_reader.h"
#include "reader_support.h"

#include <gtest/gtest.h>

namespace corvel::test {
namespace {

using Strings = std::vector<std::string>;

std::string v12(const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<xliff version=\"1.2\" xmlns=\"urn:oasis:names:tc:xliff:document:1.2\">\n"
           "<file original=\"a\" source-language=\"en\" target-language=\"zh-CN\"><body>\n" +
           body + "\n</body></file></xliff>\n";
}

std::string v20(const std::string& body)
{
    return "<?xml version=\"1.0\"?>\n"
           "<xliff version=\"2.0\" xmlns=\"urn:oasis:names:tc:xliff:document:2.0\" srcLang=\"en\" trgLang=\"zh\">\n"
           "<file id=\"f\">\n" +
           body + "\n</file></xliff>\n";
}

struct Case {
    const char* name;
    std::string document;
    Strings expected;  // brief() of each entry; the text after "ERROR " a failure
};

std::vector<Case> cases()
{
    return {
        {"1.2 a translated unit, the target's text placed",
         v12("<trans-unit id=\"open\"><source>Open</source>\n  <target state=\"translated\">打开</target></trans-unit>"),
         {"open: Open => 打开 @{打开}"}},
        {"1.2 states: new and needs-translation unfinished, review fuzzy, final translated",
         v12("<trans-unit id=\"a\"><source>A</source><target state=\"new\">甲</target></trans-unit>"
             "<trans-unit id=\"b\"><source>B</source><target state=\"needs-translation\"/></trans-unit>"
             "<trans-unit id=\"c\"><source>C</source><target state=\"needs-review-translation\">丙</target></trans-unit>"
             "<trans-unit id=\"d\"><source>D</source><target state=\"final\">丁</target></trans-unit>"),
         {"a: A => 甲 @{甲} unfinished", "b: B =>  @{<target state=\"needs-translation\"/>} unfinished",
          "c: C => 丙 @{丙} fuzzy", "d: D => 丁 @{丁}"}},
        {"1.2 no target, an empty target without a state, a target without a state",
         v12("<trans-unit id=\"a\"><source>A</source></trans-unit>"
             "<trans-unit id=\"b\"><source>B</source><target></target></trans-unit>"
             "<trans-unit id=\"c\"><source>C</source><target>丙</target></trans-unit>"),
         {"a: A =>  @0:0 unfinished", "b: B =>  @{<target></target>} unfinished", "c: C => 丙 @{丙}"}},
        {"1.2 translate=\"no\" on the unit and inherited from a group, undone by yes",
         v12("<trans-unit id=\"a\" translate=\"no\"><source>A</source><target>Aa</target></trans-unit>"
             "<group translate=\"no\"><trans-unit id=\"b\"><source>B</source><target>Bb</target></trans-unit>"
             "<trans-unit id=\"c\" translate=\"yes\"><source>C</source><target>丙</target></trans-unit></group>"),
         {"a: A => Aa @{Aa} no", "b: B => Bb @{Bb} no", "c: C => 丙 @{丙}"}},
        {"1.2 inline codes kept as tags with their id, native code left out, mrk as text",
         v12("<trans-unit id=\"i\"><source>Hi <x id=\"1\"/><g id=\"2\">you</g><ph id=\"3\">&lt;br/&gt;</ph></source>"
             "<target><bpt id=\"4\">&lt;b&gt;</bpt>你<ept id=\"4\">&lt;/b&gt;</ept><mrk mtype=\"term\">好</mrk><bx id=\"5\"/><ex id=\"5\"/></target></trans-unit>"),
         {"i: Hi <x id=\"1\"/><g id=\"2\">you</g><ph id=\"3\"/> => <bpt id=\"4\"/>你<ept id=\"4\"/>好<bx id=\"5\"/><ex id=\"5\"/> @{<bpt}"}},
        {"1.2 alt-trans and notes are not the unit's texts",
         v12("<trans-unit id=\"a\"><source>A</source><target>甲</target>"
             "<alt-trans><source>A</source><target>乙</target></alt-trans><note>n</note></trans-unit>"),
         {"a: A => 甲 @{甲}"}},
        {"entities decoded, line breaks and tabs handed on as escapes",
         v12("<trans-unit id=\"e\"><source>a &amp; b\tc\nd</source><target>甲 &lt; 乙</target></trans-unit>"),
         {"e: a & b\\tc\\nd => 甲 < 乙 @{甲}"}},
        {"2.0 segments: states, several segments keyed by their ids",
         v20("<unit id=\"u1\"><segment state=\"translated\"><source>One</source><target>一</target></segment></unit>\n"
             "<unit id=\"u2\"><segment id=\"s1\" state=\"initial\"><source>Two</source><target>二</target></segment>"
             "<ignorable><source> </source></ignorable>"
             "<segment id=\"s2\" state=\"final\"><source>Three</source><target>三</target></segment></unit>"),
         {"u1: One => 一 @{一}", "u2#s1: Two => 二 @{二} unfinished", "u2#s2: Three => 三 @{三}"}},
        {"2.0 inline: ph, pc, sc and ec by startRef, cp as its character, markers dropped",
         v20("<unit id=\"u\"><segment><source>Hi<ph id=\"1\"/> <pc id=\"2\">there</pc></source>"
             "<target><sc id=\"3\"/>你<ec startRef=\"3\"/><sm id=\"m\"/>好<em startRef=\"m\"/><cp hex=\"263A\"/><pc id=\"2\">那</pc></target></segment></unit>"),
         {"u: Hi<ph id=\"1\"/> <pc id=\"2\">there</pc> => <sc id=\"3\"/>你<ec startRef=\"3\"/>好☺<pc id=\"2\">那</pc> @{<sc}"}},
        {"2.0 translate=\"no\" on the unit",
         v20("<unit id=\"u\" translate=\"no\"><segment><source>Corvel</source><target>Corvel!</target></segment></unit>"),
         {"u: Corvel => Corvel! @{Corvel!} no"}},
        {"the byte column differs from the character column after Chinese text",
         v12("<trans-unit id=\"c\"><source>中</source><target>文</target></trans-unit>"),
         {"c: 中 => 文 @{文}"}},
        {"a root that is not xliff",
         "<resources><string name=\"a\">A</string></resources>", {"ERROR @{<resources>}: <xliff> as the root element"}},
        {"a bad code point in cp",
         v20("<unit id=\"u\"><segment><source>a</source><target><cp hex=\"zz\"/></target></segment></unit>"),
         {"ERROR @{<cp}: a code point in hexadecimal in <cp hex=\"...\"/>"}},
        {"a mismatched end tag names the one expected",
         v12("<trans-unit id=\"a\"><source>A</source><target>甲</source></trans-unit>"),
         {"ERROR @{source></trans}: </target> (mismatched tag)"}},
    };
}

Strings read(const std::string& document, std::size_t pieceSize)
{
    KeepEntries keep;
    formats::ReadOutcome outcome = formats::readXliffBytes(document, keep, {}, pieceSize);
    Strings out = briefs(keep.entries);
    if (outcome.parse)
        out.push_back("ERROR @" + failureOf(outcome));
    return out;
}

TEST(XliffReader, Table)
{
    for (const Case& c : cases()) {
        Strings expected;
        for (const std::string& e : c.expected)
            expected.push_back(placed(e, c.document));
        EXPECT_EQ(read(c.document, 64 * 1024), expected) << c.name;
        EXPECT_EQ(read(c.document, 1), expected) << c.name << " (one byte at a time)";
    }
}

TEST(XliffReader, ASinkThatStopsGetsNoMoreAndNoFailure)
{
    std::string doc = v12("<trans-unit id=\"a\"><source>A</source><target>甲</target></trans-unit>"
                          "<trans-unit id=\"b\"><source>B</source><target>乙</target></trans-unit>");
    KeepEntries keep(1);
    formats::ReadOutcome outcome = formats::readXliffBytes(doc, keep);
    EXPECT_EQ(keep.entries.size(), 1u);
    EXPECT_FALSE(outcome.parse.has_value());
}

// The encodings an XML declaration or a byte order mark may name.
TEST(XliffReader, ReadsTheDeclaredEncoding)
{
    const std::string unit = "<trans-unit id=\"k\"><source>x</source><target>中文</target></trans-unit>";
    auto with = [&](const std::string& declaration) {
        return declaration + "<xliff version=\"1.2\"><file><body>" + unit + "</body></file></xliff>";
    };
    // 中文 in GBK is D6 D0 CE C4.
    std::string gbk = with("<?xml version=\"1.0\" encoding=\"GBK\"?>");
    gbk.replace(gbk.find("中文"), 6, "\xD6\xD0\xCE\xC4");
    std::string latin1 = with("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>");
    latin1.replace(latin1.find("中文"), 6, "\xE9t\xE9");
    std::string utf16;
    std::string utf8 = with("<?xml version=\"1.0\" encoding=\"UTF-16\"?>");
    utf16 += "\xFF\xFE";
    for (std::size_t i = 0; i < utf8.size();) {  // BMP only: enough for this text
        unsigned char b = static_cast<unsigned char>(utf8[i]);
        char32_t c = b;
        std::size_t n = 1;
        if (b >= 0xE0) {
            c = ((b & 0x0F) << 12) | ((utf8[i + 1] & 0x3F) << 6) | (utf8[i + 2] & 0x3F);
            n = 3;
        }
        utf16 += static_cast<char>(c & 0xFF);
        utf16 += static_cast<char>(c >> 8);
        i += n;
    }
    const std::pair<std::string, std::string> cases[] = {
        {"\xEF\xBB\xBF" + with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"), "中文"},
        {gbk, "中文"},
        {latin1, "été"},
        {utf16, "中文"},
    };
    for (const auto& [document, target] : cases) {
        KeepEntries keep;
        formats::ReadOutcome outcome = formats::readXliffBytes(document, keep);
        EXPECT_EQ(failureOf(outcome), "");
        ASSERT_EQ(keep.entries.size(), 1u);
        EXPECT_EQ(keep.entries[0].target, target);
    }
}

}  // namespace
}  // namespace corvel::test
