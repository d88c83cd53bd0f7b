// Qt .ts files: a planted defect is reported at its translation's line;
// unfinished, vanished and obsolete messages give no content finding;
// numerus forms are each weighed; a broken file names its place.
#include "formats_support.h"
#include "ts_reader.h"

#include <gtest/gtest.h>

namespace corvel::test {
namespace {

std::string ts(const std::string& messages)
{
    // Lines 1-5 before the messages: the first message starts at line 6.
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
           "<TS version=\"2.1\" language=\"zh_CN\">\n<context>\n    <name>Main</name>\n" +
           messages + "</context>\n</TS>\n";
}

struct TsCase {
    const char* name;
    std::string messages;
    std::vector<std::string> findings;
};

class TsTable : public FormatTest, public ::testing::WithParamInterface<TsCase> {};

TEST_P(TsTable, FindsWhatIsPlantedAndNothingElse)
{
    const TsCase& c = GetParam();
    EntryReport r = reportOf(FileFormat::Ts, ts(c.messages));
    EXPECT_FALSE(r.error) << r.error.describe();
    EXPECT_EQ(r.brief(), c.findings);
}

const TsCase kTsCases[] = {
    {"clean", "<message>\n<source>Open %1</source>\n<translation>打开 %1</translation>\n</message>\n", {}},
    {"placeholder_fires",
     "<message>\n<source>Open %1</source>\n<translation>打开 %2</translation>\n</message>\n",
     {"placeholder-mismatch@8"}},
    {"unfinished_not_checked",
     "<message>\n<source>Open %1</source>\n<translation type=\"unfinished\">打开</translation>\n</message>\n",
     {}},
    {"vanished_not_checked",
     "<message>\n<source>Open %1</source>\n<translation type=\"vanished\">打开</translation>\n</message>\n",
     {}},
    {"obsolete_not_checked",
     "<message>\n<source>Open %1</source>\n<translation type=\"obsolete\">打开</translation>\n</message>\n",
     {}},
    {"empty_is_untranslated",
     "<message>\n<source>Open</source>\n<translation></translation>\n</message>\n",
     {"untranslated@8"}},
    {"numerus_each_form",
     "<message numerus=\"yes\">\n<source>%n file(s)</source>\n<translation>\n"
     "<numerusform>个文件</numerusform>\n</translation>\n</message>\n",
     {"placeholder-mismatch@9"}},
    {"numerus_clean",
     "<message numerus=\"yes\">\n<source>%n file(s)</source>\n<translation>\n"
     "<numerusform>%n 个文件</numerusform>\n</translation>\n</message>\n",
     {}},
    {"comments_are_not_texts",
     "<message>\n<source>Open</source>\n<comment>%1 %2</comment>\n"
     "<translation>打开</translation>\n</message>\n",
     {}},
    // A line break inside a text is compared as the rules read \n.
    {"line_break_kept",
     "<message>\n<source>One\nTwo</source>\n<translation>一\n二</translation>\n</message>\n", {}},
};

INSTANTIATE_TEST_SUITE_P(Ts, TsTable, ::testing::ValuesIn(kTsCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormatTest, TsFindingNamesContextAndSource)
{
    EntryReport r = reportOf(
        FileFormat::Ts,
        ts("<message>\n<source>Open %1</source>\n<translation>打开 %2</translation>\n</message>\n"));
    ASSERT_EQ(r.findings.size(), 1u);
    EXPECT_EQ(r.findings[0].entry, "Main::Open %1");
    EXPECT_EQ(r.findings[0].line, 8);
    EXPECT_EQ(r.findings[0].column, 14);  // where the text starts, after "<translation>"
}

TEST_F(FormatTest, TsCountsUnfinishedAndObsolete)
{
    EntryReport r = reportOf(
        FileFormat::Ts,
        ts("<message><source>a b</source><translation type=\"unfinished\"/></message>\n"
           "<message><source>c d</source><translation type=\"vanished\">丙</translation></message>\n"
           "<message><source>e f</source><translation>戊</translation></message>\n"));
    EXPECT_EQ(r.entries.entries, 3);
    EXPECT_EQ(r.entries.unfinished, 1);
    EXPECT_EQ(r.entries.obsolete, 1);
    EXPECT_EQ(r.entries.checked, 1);
}

TEST_F(FormatTest, TsWithEntitiesOfItsOwnIsRefused)
{
    const std::string bomb =
        "<?xml version=\"1.0\"?>\n<!DOCTYPE TS [\n<!ENTITY a \"aaaaaaaaaa\">\n"
        "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">\n]>\n<TS version=\"2.1\"><context>"
        "<name>M</name><message><source>x</source><translation>&b;</translation></message>"
        "</context></TS>\n";
    EntryReport r = reportOf(FileFormat::Ts, bomb);
    ASSERT_TRUE(r.error);
    EXPECT_EQ(r.entries.entries, 0);
}

TEST_F(FormatTest, TsBrokenFileNamesItsPlace)
{
    EntryReport r = reportOf(FileFormat::Ts, ts("<message>\n<source>a</translation>\n"));
    ASSERT_TRUE(r.error);
    EXPECT_NE(r.error.describe().find("translation.file:7:"), std::string::npos)
        << r.error.describe();
}

}  // namespace
}  // namespace corvel::test
