// The Android strings.xml reader: keys of strings, plurals and arrays,
// Android's escapes, quotes and whitespace, markup, and places.
#include "formats/android_reader.h"
#include "reader_support.h"

#include <gtest/gtest.h>

namespace corvel::test {
namespace {

using Strings = std::vector<std::string>;

std::string resources(const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<resources xmlns:xliff=\"urn:oasis:names:tc:xliff:document:1.2\">\n" +
           body + "\n</resources>\n";
}

struct Case {
    const char* name;
    std::string document;
    Strings expected;
};

std::vector<Case> cases()
{
    return {
        {"a string, its text placed",
         resources("    <string name=\"app_name\">记事本</string>"),
         {"app_name: 记事本 @{记事本}"}},
        {"translatable=\"false\" handed on as not translatable",
         resources("<string name=\"brand\" translatable=\"false\">Corvel</string>"),
         {"brand: Corvel @{Corvel} no"}},
        {"plurals by quantity, arrays by index",
         resources("<plurals name=\"files\">\n  <item quantity=\"one\">%d 个文件</item>\n"
                   "  <item quantity=\"other\">%d 个文件</item></plurals>\n"
                   "<string-array name=\"days\"><item>一</item><item>二</item></string-array>"),
         {"files#one: %d 个文件 @{%d}", "files#other: %d 个文件 @{%d#2}", "days[0]: 一 @{一}",
          "days[1]: 二 @{二}"}},
        {"Android's escapes: quote, apostrophe, at, question, backslash, \\u; \\n and \\t kept as escapes",
         resources("<string name=\"e\">It\\'s \\\"on\\\" \\@home\\? a\\\\b \\u4E2D\\n\\tx</string>"),
         {"e: It's \"on\" @home? a\\b 中\\n\\tx @{It}"}},
        {"a surrogate pair in two escapes is one character, half a pair a replacement",
         resources("<string name=\"s\">\\uD83D\\uDE00 \\uD83Dx</string>"),
         {"s: \U0001F600 \uFFFDx @{\\uD83D}"}},
        {"whitespace outside quotes one space, none at the ends; kept inside quotes",
         resources("<string name=\"w\">\n   a   b\n  c  </string>\n<string name=\"q\">\"  a   b  \"</string>"),
         {"w: a b c @{a   b}", "q:   a   b   @{\"  a}"}},
        {"a line break inside quotes handed on as an escape",
         resources("<string name=\"q\">\"a\nb\"</string>"),
         {"q: a\\nb @{\"a}"}},
        {"CDATA read as text",
         resources("<string name=\"c\"><![CDATA[<b>粗</b> & 细]]></string>"),
         {"c: <b>粗</b> & 细 @{<b>}"}},
        {"markup kept as tags, xliff:g and annotation only their text",
         resources("<string name=\"m\">共 <xliff:g id=\"n\" example=\"3\">%1$d</xliff:g> 个<b>文件</b>"
                   "<font color=\"red\">!</font><annotation font=\"x\">注</annotation></string>"),
         {"m: 共 %1$d 个<b>文件</b><font color=\"red\">!</font>注 @{共}"}},
        {"other resources and nameless strings are not texts",
         resources("<color name=\"red\">#f00</color><integer-array name=\"n\"><item>1</item></integer-array>"
                   "<string>no name</string><string name=\"s\">有</string>"),
         {"s: 有 @{有}"}},
        {"an empty string",
         resources("<string name=\"e\"></string><string name=\"f\"/>"),
         {"e:  @{<string name=\"e\">}", "f:  @{<string name=\"f\"/>}"}},
        {"a broken \\u escape",
         resources("<string name=\"u\">\\u12G4</string>"),
         {"ERROR @{\\u12}: four hexadecimal digits after \\u"}},
        {"a root that is not resources",
         "<xliff version=\"1.2\"/>", {"ERROR @{<xliff}: <resources> as the root element"}},
    };
}

Strings read(const std::string& document, std::size_t pieceSize)
{
    KeepEntries keep;
    formats::ReadOutcome outcome = formats::readAndroidStringsBytes(document, keep, {}, pieceSize);
    Strings out = briefs(keep.entries);
    if (outcome.parse)
        out.push_back("ERROR @" + failureOf(outcome));
    return out;
}

TEST(AndroidReader, Table)
{
    for (const Case& c : cases()) {
        Strings expected;
        for (const std::string& e : c.expected)
            expected.push_back(placed(e, c.document));
        EXPECT_EQ(read(c.document, 64 * 1024), expected) << c.name;
        EXPECT_EQ(read(c.document, 1), expected) << c.name << " (one byte at a time)";
    }
}

TEST(AndroidReader, PluralFormsCountFromZeroInTheirOrder)
{
    KeepEntries keep;
    (void)formats::readAndroidStringsBytes(
        resources("<plurals name=\"p\"><item quantity=\"one\">a</item><item quantity=\"other\">b</item></plurals>"),
        keep);
    ASSERT_EQ(keep.entries.size(), 2u);
    EXPECT_EQ(keep.entries[0].pluralForm, 0);
    EXPECT_EQ(keep.entries[1].pluralForm, 1);
}

}  // namespace
}  // namespace corvel::test
