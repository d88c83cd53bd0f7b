// gettext catalogues: a planted defect is reported at its line, with the
// entry's name; clean, fuzzy and obsolete entries give no content
// finding; a malformed catalogue names its line and what was expected.
#include "formats_support.h"
#include "po_reader.h"

#include <gtest/gtest.h>

namespace corvel::test {
namespace {

const std::string kHeader =
    "# A catalogue.\n"
    "msgid \"\"\n"
    "msgstr \"\"\n"
    "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
    "\n";  // lines 1-5: an entry after it starts at line 6

struct PoCase {
    const char* name;
    std::string body;  // after kHeader: its first line is line 6
    std::vector<std::string> findings;
};

class PoTable : public FormatTest, public ::testing::WithParamInterface<PoCase> {};

TEST_P(PoTable, FindsWhatIsPlantedAndNothingElse)
{
    const PoCase& c = GetParam();
    EntryReport r = reportOf(FileFormat::Po, kHeader + c.body);
    EXPECT_FALSE(r.error) << r.error.describe();
    EXPECT_EQ(r.brief(), c.findings);
}

const PoCase kPoCases[] = {
    {"clean", "msgid \"Open %s\"\nmsgstr \"打开 %s\"\n", {}},
    {"placeholder_fires", "#, c-format\nmsgid \"Open %s\"\nmsgstr \"打开 %d\"\n",
     {"placeholder-mismatch@8"}},
    {"fuzzy_is_not_checked", "#, fuzzy, c-format\nmsgid \"Open %s\"\nmsgstr \"打开\"\n", {}},
    {"obsolete_is_not_checked", "#~ msgid \"Open %s\"\n#~ msgstr \"打开\"\n", {}},
    {"empty_is_untranslated", "msgid \"Open\"\nmsgstr \"\"\n", {"untranslated@7"}},
    {"kept_source_is_untranslated", "msgid \"Open file\"\nmsgstr \"Open file\"\n",
     {"untranslated@7"}},
    {"kept_name_is_not", "msgid \"GNOME\"\nmsgstr \"GNOME\"\n", {}},
    // no-c-format: a percent sign is text, not a placeholder.
    {"no_c_format_near_miss", "#, no-c-format\nmsgid \"100% done %d\"\nmsgstr \"完成 100%\"\n",
     {}},
    {"without_flags_percent_is_printf", "msgid \"100% done %d\"\nmsgstr \"完成 100%\"\n",
     {"placeholder-mismatch@7"}},
    {"qt_format_reads_qt_only", "#, qt-format\nmsgid \"%1 of %2\"\nmsgstr \"%2 中的 %1\"\n", {}},
    {"qt_format_fires", "#, qt-format\nmsgid \"%1 of %2\"\nmsgstr \"%1 中的\"\n",
     {"placeholder-mismatch@8"}},
    {"python_brace_fires",
     "#, python-brace-format\nmsgid \"Hello {name}\"\nmsgstr \"你好 {nom}\"\n",
     {"placeholder-mismatch@8"}},
    // The plural's translation is weighed against msgid_plural.
    {"plural_against_msgid_plural",
     "msgid \"One file\"\nmsgid_plural \"%d files\"\nmsgstr[0] \"%d 个文件\"\n", {}},
    {"plural_fires",
     "#, c-format\nmsgid \"One file\"\nmsgid_plural \"%d files\"\nmsgstr[0] \"个文件\"\n",
     {"placeholder-mismatch@9"}},
    // A continued translation is reported at its first non-empty piece.
    {"continued_at_its_text",
     "#, c-format\nmsgid \"\"\n\"Open \"\n\"%s\"\nmsgstr \"\"\n\"打开\"\n\"文件\"\n",
     {"placeholder-mismatch@11"}},
    // An escaped quote is the file's syntax, not a placeholder; \n is.
    {"escaped_quote_is_text", "msgid \"Say 'hi'\"\nmsgstr \"说\\\"你好\\\"\"\n", {}},
    {"escapes_kept_for_line_breaks",
     "msgid \"Line one\\n\"\nmsgstr \"第一行\\n\"\n", {}},
    {"context_keeps_entries_apart",
     "msgctxt \"a\"\nmsgid \"Open\"\nmsgstr \"打开\"\n\nmsgctxt \"b\"\nmsgid \"Open\"\nmsgstr \"\"\n",
     {"untranslated@12"}},
    {"inconsistent_across_entries",
     "msgctxt \"a\"\nmsgid \"Close the current window\"\nmsgstr \"关闭当前窗口\"\n\n"
     "msgctxt \"b\"\nmsgid \"Close the current window\"\nmsgstr \"关闭当前窗口\"\n\n"
     "msgctxt \"c\"\nmsgid \"Close the current window\"\nmsgstr \"关掉当前窗口\"\n",
     {"inconsistent-translation@16"}},
};

INSTANTIATE_TEST_SUITE_P(Po, PoTable, ::testing::ValuesIn(kPoCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormatTest, PoFindingNamesTheEntryAndTheColumnOfItsText)
{
    EntryReport r = reportOf(FileFormat::Po, kHeader +
                                                 "msgctxt \"menu\"\n#, c-format\n"
                                                 "msgid \"Open %s\"\nmsgstr \"打开 %d\"\n");
    ASSERT_EQ(r.findings.size(), 1u);
    const report::Finding& f = r.findings.front();
    EXPECT_EQ(f.entry, "menu::Open %s");
    EXPECT_EQ(f.line, 9);
    // msgstr "打开 %d": the text starts at byte 9; %d is 7 bytes and 3
    // characters into it.
    EXPECT_EQ(f.column, 16);
    EXPECT_EQ(f.characterColumn, 12);
    EXPECT_EQ(f.source, "Open %s");
    EXPECT_EQ(f.translation, "打开 %d");
}

TEST_F(FormatTest, PoCountsFuzzyObsoleteAndUntranslatedEntries)
{
    EntryReport r = reportOf(FileFormat::Po,
                             kHeader + "#, fuzzy\nmsgid \"a b\"\nmsgstr \"甲\"\n\n"
                                       "msgid \"c d\"\nmsgstr \"\"\n\n"
                                       "msgid \"e f\"\nmsgstr \"乙\"\n\n"
                                       "#~ msgid \"g\"\n#~ msgstr \"丙\"\n");
    EXPECT_EQ(r.entries.entries, 4);
    EXPECT_EQ(r.entries.fuzzy, 1);
    EXPECT_EQ(r.entries.obsolete, 1);
    EXPECT_EQ(r.entries.untranslated, 1);
    EXPECT_EQ(r.entries.checked, 1);
}

TEST_F(FormatTest, PoCharsetHeaderIsDecoded)
{
    // "打开 %d" in GBK: B4 F2 BF AA.
    const std::string po = "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=GBK\\n\"\n\n"
                           "#, c-format\nmsgid \"Open %s\"\nmsgstr \"\xB4\xF2\xBF\xAA %d\"\n";
    EntryReport r = reportOf(FileFormat::Po, po);
    ASSERT_EQ(r.findings.size(), 1u);
    EXPECT_EQ(r.findings.front().translation, "打开 %d");
    EXPECT_EQ(r.findings.front().line, 6);
}

struct MalformedCase {
    const char* name;
    std::string po;
    std::string where;  // ":LINE:COLUMN" after the file's name
    std::string expected;
};

class MalformedPo : public FormatTest, public ::testing::WithParamInterface<MalformedCase> {};

TEST_P(MalformedPo, NamesTheFileTheLineAndWhatWasExpected)
{
    const MalformedCase& c = GetParam();
    EntryReport r = reportOf(FileFormat::Po, c.po);
    ASSERT_TRUE(r.error);
    EXPECT_EQ(r.error.describe(),
              displayPath(root() / "translation.file") + c.where + ": " + c.expected);
}

const MalformedCase kMalformed[] = {
    {"unquoted", "msgid \"a\"\nmsgstr b\n", ":2:8", "expected a quoted string"},
    {"unclosed", "msgid \"a\"\nmsgstr \"b\n", ":2:10", "expected a closing quote"},
    {"two_msgids", "msgid \"a\"\nmsgid \"b\"\nmsgstr \"\"\n", ":2:1",
     "expected msgstr before the next msgid"},
    {"index_without_plural", "msgid \"a\"\nmsgstr[0] \"b\"\n", ":2:1",
     "expected msgstr without an index after msgid"},
    {"plural_index_skipped", "msgid \"a\"\nmsgid_plural \"as\"\nmsgstr[1] \"b\"\n", ":3:8",
     "expected msgstr[0]"},
    {"stray_word", "msgid \"a\"\nmsgstr \"b\"\nmsgtext \"c\"\n", ":3:1",
     "expected msgctxt, msgid, msgstr, a continued string or a comment"},
    {"truncated", "msgid \"a\"\nmsgstr \"b\"\nmsgid \"c\"\n", ":4:1",
     "expected msgstr before the end of the file"},
    {"text_after_string", "msgid \"a\" x\nmsgstr \"b\"\n", ":1:11",
     "expected the end of the line after the string"},
    {"unknown_charset", "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=KOI8-R\\n\"\n",
     ":2:1", "expected a charset of UTF-8, GBK, GB18030 or Big5, not KOI8-R"},
};

INSTANTIATE_TEST_SUITE_P(Po, MalformedPo, ::testing::ValuesIn(kMalformed),
                         [](const auto& info) { return std::string(info.param.name); });

struct FlagsCase {
    const char* flags;
    bool declared;
    bool printf, qt, brace, escape;
};

TEST(PoFlags, DecideThePlaceholderSyntaxes)
{
    using report::PlaceholderSyntax;
    const FlagsCase cases[] = {
        {"fuzzy", false, true, true, true, true},
        {"c-format", true, true, false, false, true},
        {"fuzzy, python-format", true, true, false, false, true},
        {"qt-format", true, false, true, false, true},
        {"python-brace-format", true, false, false, true, true},
        {"no-c-format", true, false, true, true, true},
        {"sh-format", true, false, false, false, true},
        {"unknown-format", false, true, true, true, true},
    };
    for (const FlagsCase& c : cases) {
        auto s = formats::syntaxesOfFlags(c.flags);
        EXPECT_EQ(s.has_value(), c.declared) << c.flags;
        report::PlaceholderSyntaxes all;
        const report::PlaceholderSyntaxes& got = s ? *s : all;
        EXPECT_EQ(got.has(PlaceholderSyntax::Printf), c.printf) << c.flags;
        EXPECT_EQ(got.has(PlaceholderSyntax::Qt), c.qt) << c.flags;
        EXPECT_EQ(got.has(PlaceholderSyntax::Brace), c.brace) << c.flags;
        EXPECT_EQ(got.has(PlaceholderSyntax::Escape), c.escape) << c.flags;
    }
}

}  // namespace
}  // namespace corvel::test

namespace corvel::test {
namespace {

// A string longer than the reader holds is refused at its line, not held.
TEST_F(FormatTest, PoLineLongerThanTheReaderHoldsIsRefused)
{
    std::string po = "msgid \"a\"\nmsgstr \"b\"\n\nmsgid \"c\"\nmsgstr \"";
    po.append(17u << 20, 'x');
    po += "\"\n";
    EntryReport r = reportOf(FileFormat::Po, po);
    ASSERT_TRUE(r.error);
    EXPECT_EQ(r.error.describe(), displayPath(root() / "translation.file") +
                                      ":5:1: expected a line shorter than 16 MiB");
    EXPECT_EQ(r.entries.entries, 1);  // the entry before it was read
}

}  // namespace
}  // namespace corvel::test
