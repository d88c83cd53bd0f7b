// Java .properties against their source: keys paired, a missing key
// reported once, a key only the translation has reported once, escapes
// and continued lines read.
#include "formats_support.h"

#include <gtest/gtest.h>

namespace corvel::test {
namespace {

const std::string kSource =
    "# Messages\n"
    "greeting = Hello, {0}!\n"
    "files: {0} files\n"
    "long = First part \\\n"
    "       second part\n"
    "ok=OK\n";

struct PropertiesCase {
    const char* name;
    std::string translation;
    std::vector<std::string> findings;
};

class PropertiesTable : public FormatTest,
                        public ::testing::WithParamInterface<PropertiesCase> {};

TEST_P(PropertiesTable, PairsByKeyAndFindsWhatIsPlanted)
{
    const PropertiesCase& c = GetParam();
    EntryReport r = reportOf(FileFormat::Properties, c.translation, kSource);
    EXPECT_FALSE(r.error) << r.error.describe();
    EXPECT_EQ(r.brief(), c.findings);
}

const PropertiesCase kCases[] = {
    {"clean",
     "greeting=\\u4F60\\u597D\\uFF0C{0}\\uFF01\nfiles={0} \\u4E2A\\u6587\\u4EF6\n"
     "long=\\u7B2C\\u4E00\\u90E8\\u5206\\uFF0C\\u7B2C\\u4E8C\\u90E8\\u5206\nok=OK\n",
     {}},
    {"utf8_clean", "greeting = 你好，{0}！\nfiles: {0} 个文件\nlong 第一部分，第二部分\nok=OK\n", {}},
    {"placeholder_fires", "greeting=你好，{1}！\nfiles={0} 个文件\nlong=第一部分\nok=OK\n",
     {"placeholder-mismatch@1"}},
    // A continued line: the entry is at the line its key starts on.
    {"continued_value",
     "files={0} 个文件\nlong=第一 \\\n   部分\ngreeting=你好，{0}\\\n  ！\nok=OK\n", {}},
    {"missing_key_is_untranslated", "greeting=你好，{0}！\nfiles={0} 个文件\nok=OK\n",
     {"untranslated@3"}},
    {"unknown_key_once",
     "greeting=你好，{0}！\nfiles={0} 个文件\nlong=第一部分\nok=OK\ngreting=你好\ngreting=你好\n",
     {"unknown-key@5"}},
    {"empty_value_is_untranslated", "greeting=\nfiles={0} 个文件\nlong=第一部分\nok=OK\n",
     {"untranslated@1"}},
    {"escaped_separator_in_key_near_miss",
     "greeting=你好，{0}！\nfiles={0} 个文件\nlong=第一部分\nok=OK\nmy\\=key=x\n",
     {"unknown-key@5"}},
};

INSTANTIATE_TEST_SUITE_P(Properties, PropertiesTable, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormatTest, PropertiesFindingNamesTheKeyAndItsValuesColumn)
{
    EntryReport r = reportOf(FileFormat::Properties, "# zh\n键  =  你好，{1}！\n",
                             "键 = Hello, {0}!\n");
    ASSERT_EQ(r.findings.size(), 1u);
    EXPECT_EQ(r.findings[0].entry, "键");
    EXPECT_EQ(r.findings[0].line, 2);
    EXPECT_EQ(r.findings[0].translation, "你好，{1}！");
}

// A finding inside a value is at its column only where the value is the
// file's bytes; past a decoded escape it is at the value's start.
TEST_F(FormatTest, PropertiesColumnsInsideValuesOnlyWhereVerbatim)
{
    const struct {
        const char* translation;
        int column;
    } cases[] = {
        {"k=你好，{1}！\n", 12},            // "k=" then 9 bytes: {1} at byte 12
        {"k=\\u4F60\\u597D\\uFF0C{1}\\uFF01\n", 3},  // escapes: the value's start
    };
    for (const auto& c : cases) {
        EntryReport r = reportOf(FileFormat::Properties, c.translation, "k=Hello, {0}!\n");
        ASSERT_EQ(r.findings.size(), 1u) << c.translation;
        EXPECT_EQ(r.findings[0].column, c.column) << c.translation;
    }
}

TEST_F(FormatTest, PropertiesWithoutSourceIsRefused)
{
    EntryReport r = reportOf(FileFormat::Properties, "a=b\n");
    ASSERT_TRUE(r.error);
    EXPECT_NE(r.error.describe().find("--source"), std::string::npos);
}

TEST_F(FormatTest, PropertiesBrokenEscapeNamesItsLine)
{
    EntryReport r = reportOf(FileFormat::Properties, "a=\\u4F6\n", "a=b\n");
    ASSERT_TRUE(r.error);
    EXPECT_EQ(r.error.describe(), displayPath(root() / "translation.file") +
                                      ":1:1: expected four hexadecimal digits after \\u");
}

}  // namespace
}  // namespace corvel::test
