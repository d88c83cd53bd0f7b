// whitespace-mismatch, number-mismatch, the consistency index and the
// equals-line split, each on the cases that decide it.
#include "report/consistency_index.h"
#include "report/rules/support/number_rule.h"
#include "report/pair_text.h"
#include "report/rules/support/placeholder_rules.h"
#include "corvel/report/text_decoder.h"
#include "report/rules/support/whitespace_rule.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>

namespace corvel::report {
namespace {

using test::gbk;

TEST(WhitespaceMismatch, LeadingAndTrailingBlanks)
{
    struct Case {
        const char* source;
        const char* translation;
        bool leading;
        bool trailing;
    };
    const Case cases[] = {
        {"Name", "名称", false, false},
        {"  Indented", "缩进", true, false},
        {"  Indented", "  缩进", false, false},
        {"  Indented", "    缩进", true, false},   // a different amount
        {"\tTab", " 制表", true, false},           // tab against space
        {" has been built", "已构建", false, false},  // Chinese needs no space
        {" min", "分钟", false, false},
        {" (old)", "（旧的）", false, false},
        {" (old)", "(旧的)", true, false},
        {" %s left", "%s 离开", true, false},
        // Ideographic spaces are blanks too.
        {"Name", "名称　", false, true},
        {"Name", "　名称", true, false},
        {"Name ", "名称　", false, true},
        {"啊　", "啊　", false, false},
        {"Loading ", "加载中", false, true},
        {"Done", "完成 ", false, true},
        {"Loading... ", "加载中…", false, true},  // not one of the five marks
        // A full-width mark carries its own spacing.
        {"Name: ", "名称：", false, false},
        {"Done. ", "完成。", false, false},
        {"First, ", "首先，", false, false},
        {"Stop! ", "停！", false, false},
        {"Why? ", "为什么？", false, false},
        {"Name:  ", "名称：", false, false},
        {"Name: ", "名称。", false, true},         // not the matching mark
        {"Name:\t", "名称：", false, true},
        {"Name: ", "名称：  ", false, true},
        {"Name: ", "名称:", false, true},          // half-width, space dropped
        // Through the tags that close the mark.
        {"<b>Warning:</b> ", "<b>警告：</b>", false, false},
        {"<b>Warning:</b> ", "<b>警告</b>", false, true},
        {"<i>Done.</i></b> ", "<i>完成。</i></b>", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " => " + c.translation);
        std::optional<WhitespaceDifference> d = compareWhitespace(gbk(c.source), gbk(c.translation));
        EXPECT_EQ(d && d->leading, c.leading);
        EXPECT_EQ(d && d->trailing, c.trailing);
        d = compareWhitespace(c.source, c.translation, TextEncoding::Utf8);
        EXPECT_EQ(d && d->leading, c.leading) << "UTF-8";
        EXPECT_EQ(d && d->trailing, c.trailing) << "UTF-8";
    }
}

TEST(WhitespaceMismatch, DescribesTheBlanks)
{
    EXPECT_EQ(describeWhitespace(""), "none");
    EXPECT_EQ(describeWhitespace(" "), "1 space");
    EXPECT_EQ(describeWhitespace("\t\t"), "2 tabs");
    EXPECT_EQ(describeWhitespace("  \t"), "2 spaces and 1 tab");
    EXPECT_EQ(describeWhitespace(gbk("　")), "1 ideographic space");
    EXPECT_EQ(describeWhitespace(" 　　"), "1 space and 2 ideographic spaces");
}

TEST(NumberMismatch, NumbersOfTheSourceMissingFromTheTranslation)
{
    struct Case {
        const char* source;
        const char* translation;
        std::vector<std::string> missing;
    };
    const Case cases[] = {
        {"Level 42", "等级 42", {}},
        {"Level 42", "等级", {"42"}},
        {"Level 42", "等级 ４２", {}},             // full-width digits
        {"Level ４２", "等级 42", {}},
        {"Level 42", "等级 4", {"42"}},
        {"Level 4", "等级 42", {"4"}},            // not inside another number
        {"Costs 1,000 gold", "花费 1000 金币", {}},
        {"Costs 1000 gold", "花费 1,000 金币", {}},
        {"Pick 1,2,3", "选 1、2、3", {}},
        {"Version 2.5", "版本 2.5", {}},
        {"Version 2.5", "版本 2", {"2.5"}},
        {"Two 2 and 2", "两个2和两", {}},
        {"Page 3 of 10", "第三页，共十页", {}},     // Chinese numerals 1..10
        {"2 apples", "两个苹果", {}},
        {"11 apples", "十一个苹果", {}},          // numerals with units
        {"11 apples", "十个苹果", {"11"}},
        {"Score 85", "得分八十五", {}},
        {"10000 gold", "一万金币", {}},
        {"12000 gold", "一万两千金币", {}},
        {"Amount 375", "金额叁柒伍", {}},          // digit by digit, financial forms
        {"Amount 375", "金额叁佰柒拾伍", {}},
        {"Amount 375", "金额叁柒", {"375"}},
        {"105 items", "一百零五项", {}},
        {"4x speed", "四倍速度", {}},
        {"2x damage", "双倍伤害", {}},
        {"2x damage", "伤害翻倍", {}},              // doubled
        {"2x damage", "伤害翻三倍", {"2"}},
        {"+5 gold for 1 sec", "每秒 +5 金币", {}},     // "per one"
        {"+5 gold for 2 sec", "每秒 +5 金币", {"2"}},
        {"Reduced to 0", "归零", {}},
        {"0.5 seconds", "半秒", {}},
        {"3 seconds", "半秒", {"3"}},
        {"21st July 2025", "2025.7.21", {}},         // a date with dots
        {"21st July 2025", "2025.7.20", {"21"}},
        {"Agent 007", "特工 7", {}},                 // leading zeros
        {"Channel 01", "频道 1", {}},
        {"Run E2E tests", "运行端到端测试", {}},      // digits inside words
        {"Play MP3 and H.264", "播放音频和视频", {}},
        {"x64 build 3", "64 位构建", {"3"}},
        {"Players: %1$s of 5", "玩家：%1$s", {"5"}},
        {"Arg %1$s", "参数 %1$s", {}},             // digits of placeholders
        {"Arg {0}", "参数 {0}", {}},
        {"\u00a71Blue", "\u00a71蓝", {}},
        {"Ends with 7.", "以7结尾。", {}},
        {"No digits", "没有", {}},
        {"Missing 3 and 4", "缺少", {"3", "4"}},
        {"Repeated 3, 3", "重复", {"3"}},
        // Counted, not only found: each number of the translation stands for one.
        {"3 files, 3x faster", "3 个文件，快4倍", {"3 (2 x in the source, 1 x in the translation)"}},
        {"3 files, 3x faster", "3 个文件，快三倍", {}},
        {"Page 1 of 1", "第 1 页，共 1 页", {}},
        {"Page 1 of 1", "第 1 页", {}},   // said once: rephrased
        {"UTF-8 off; select UTF-8 to force UTF-8", "禁用 UTF-8；请强制选择 UTF-8", {}},
        {"Page 1 of 1", "第 1 页，共 2 页", {"1 (2 x in the source, 1 x in the translation)"}},
        // Decades and centuries may become words; 10000 cut to 1000 may not.
        {"In the 1400s", "在 15 世纪", {}},
        {"Popular in the 1970's", "流行于 20 世纪 70 年代", {}},
        {"From the 900s to the 1400s", "从 10 世纪到 15 世纪", {}},
        {"In 1400 steps", "分 15 步", {"1400"}},
        {"Founded in the 1400s by Henry", "由亨利建立", {"1400"}},  // dropped, not rewritten
        {"1400seconds", "秒", {"1400"}},
        {"A line over 10000 characters", "超过 1000 个字符的行", {"10000"}},
        // An hour of the 24-hour clock is the 12-hour clock's.
        {"Open 8am-8pm", "营业时间 8:00~20:00", {}},
        {"Open 8am-9pm", "营业时间 8:00~20:00", {"9"}},
        {"Wait 20 seconds", "等待 8 秒", {"20"}},
        {"3 files", "3 个文件（共 3 个）", {}},     // more in the translation is no loss
        {"Arg %1$s", "参数 1", {}},
        {"Take 1", "取 %1$s", {"1"}},             // a placeholder holds no number
        {"12%d3 items", "12%d3 项", {}},
        {"12%d3 items", "123 %d 项", {"12", "3"}},  // a placeholder ends a number
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " => " + c.translation);
        EXPECT_EQ(missingNumbers(gbk(c.source), gbk(c.translation)), c.missing);
    }
}

// The quick answer for the usual pair may only say "present" where the
// full reading finds nothing missing; tried on texts built from the pieces
// that make numbers hard.
TEST(NumberMismatch, TheQuickAnswerNeverHidesAMissingNumber)
{
    const char* pieces[] = {"1", "12", "3", ".", ",", "000", " ", "a", "%1$s", "{0}", "§1",
                            "１", "２", "三", "十", "数", "%d", ".5", ",5"};
    std::mt19937 random(7);
    PlaceholderRules placeholderRules;
    NumberRule rule;
    int quick = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text[2];
        for (std::string& t : text) {
            int n = 1 + static_cast<int>(random() % 5);
            for (int k = 0; k < n; ++k)
                t += pieces[random() % std::size(pieces)];
            t = gbk(t);
        }
        PlaceholderComparison placeholders;
        placeholderRules.compare(text[0], text[1], placeholders);
        if (!NumberRule::plainNumbersPresent(text[0], placeholders.source, text[1],
                                             placeholders.translation))
            continue;
        ++quick;
        std::vector<std::string> missing;
        rule.readMissing(text[0], placeholders.source, text[1], placeholders.translation, missing);
        ASSERT_TRUE(missing.empty()) << TextDecoder().toUtf8(text[0]) << " => "
                                     << TextDecoder().toUtf8(text[1]);
    }
    EXPECT_GT(quick, 2000);  // the quick answer was given often enough to mean something
}

TEST(ConsistencyIndex, KeepsFingerprintsForAllAndTextsOnlyForInconsistentSources)
{
    ConsistencyIndex index;
    const int n = 100000;
    for (int i = 0; i < n; ++i)
        index.count("source " + std::to_string(i), std::to_string(i), i + 1);
    // Every 997th source gets a second translation, on two lines.
    for (int i = 0; i < n; i += 997)
        for (int k = 0; k < 2; ++k)
            index.count("source " + std::to_string(i), "other", n + 1 + i + k);
    index.settle();
    EXPECT_EQ(index.distinctSources(), static_cast<std::size_t>(n));
    EXPECT_EQ(index.inconsistentSources(), static_cast<std::size_t>(n / 997 + 1));
    // 24 bytes a slot, the table at most 70% and at least 35% full, and a
    // little for each inconsistent source.
    const std::size_t slots = n * 24 * 10 / 7;
    EXPECT_GE(index.memoryBytes(), slots);
    EXPECT_LE(index.memoryBytes(), 2 * slots + 200 * index.inconsistentSources());
    // "other" (2 lines) is the most used translation of those sources; the
    // first one is told so, the text of "other" kept from the census.
    const auto source = ConsistencyIndex::sourceFingerprint("source 997");
    auto verdict = index.look(source, "997");
    ASSERT_TRUE(verdict);
    EXPECT_EQ(verdict->lines, 1);
    EXPECT_EQ(verdict->major, "other");
    EXPECT_EQ(verdict->majorLines, 2);
    EXPECT_EQ(verdict->majorFirst, n + 1 + 997);
    EXPECT_EQ(index.look(source, "other"), std::nullopt);
    EXPECT_EQ(index.look(ConsistencyIndex::sourceFingerprint("source 998"), "998"), std::nullopt);
}

TEST(EqualsPair, SplitsAtTheSeparatingEquals)
{
    struct Case {
        const char* line;
        const char* source;
        const char* translation;
    };
    const Case cases[] = {
        {"Open=打开", "Open", "打开"},
        {"Open=", "Open", ""},
        {"No equals", "No equals", ""},
        {"a=b=Untranslated", "a", "b=Untranslated"},     // no Chinese: the first "="
        {"eg: au = australia=比如 :cn = 中国", "eg: au = australia", "比如 :cn = 中国"},
        {"x=1 sets=设置", "x=1 sets", "设置"},
        {"%n=Nick name\\n%u=User=%n=昵称\\n%u=用户", "%n=Nick name\\n%u=User",
         "%n=昵称\\n%u=用户"},
        {"-maxcps=# file=-maxcps=# 文件", "-maxcps=# file", "-maxcps=# 文件"},
        {"中文=中文", "中文", "中文"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        std::string line = gbk(c.line);
        PairText pair = equalsPair(line, 7);
        EXPECT_EQ(pair.source, gbk(c.source));
        EXPECT_EQ(pair.translation, gbk(c.translation));
        EXPECT_EQ(pair.translationLine, 7);
        if (line.find('=') != std::string::npos) {
            EXPECT_EQ(line[pair.translationColumn - 1], '=');
        }
    }
}

}  // namespace
}  // namespace corvel::report
