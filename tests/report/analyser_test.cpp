// The analyser: the check log's classes as findings, where pair findings
// sit and in which order, pair shifts, the log's stop, rule selection and
// reading a dictionary file.
#include "report_test_support.h"

#include "report/consistency_index.h"
#include "report/line_rules.h"
#include "report/pair_shift_tracker.h"
#include "corvel/report/rule_catalogue.h"
#include "corvel/report/rule_selection.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace corvel::report {
namespace {

using test::analyseLines;
using test::ruleLines;
using Lines = std::vector<std::string>;

TEST(Analyser, LinePairClassesAtTheirLines)
{
    auto findings = analyseLines(Layout::LinePairs,
                                 {"Open", "打开", "", "保存", "打开", "Untranslated", "Save", "  "});
    EXPECT_EQ(ruleLines(findings), (Lines {"empty-line@3", "source-has-chinese@5",
                                           "untranslated@6", "empty-line@8"}));
    // Class findings carry the texts of their pair, converted to UTF-8.
    EXPECT_EQ(findings[1].source, "打开");
    EXPECT_EQ(findings[1].translation, "Untranslated");
    EXPECT_EQ(findings[1].severity, Severity::Error);
}

TEST(Analyser, EqualsLineClasses)
{
    auto findings = analyseLines(Layout::Equals, {"Open=打开", "No equals", "Key=", "Key=Value"});
    EXPECT_EQ(ruleLines(findings),
              (Lines {"missing-equals@2", "untranslated@3", "untranslated@4"}));
    EXPECT_EQ(findings[0].source, "No equals");
    EXPECT_EQ(findings[2].translation, "Value");
}

TEST(Analyser, PairFindingsSitAtTheTranslationInRuleOrder)
{
    auto findings = analyseLines(
        Layout::LinePairs, {"Level 42 %s ", "Level", "Open", "打开", "Open", "开启", "Go", "走 "});
    EXPECT_EQ(ruleLines(findings),
              (Lines {"untranslated@2", "placeholder-mismatch@2", "whitespace-mismatch@2",
                      "number-mismatch@2", "inconsistent-translation@6",
                      "whitespace-mismatch@8"}));
    EXPECT_EQ(findings[4].message, "translated \"开启\" here and \"打开\" at line 4, 1 line each: "
                                   "either may be the one to change");
}

// inconsistent-translation reports at the lines of the less used
// translations, whichever comes first; of translations on as many lines,
// the one met first stands.
TEST(Consistency, TheLessUsedTranslationsAreReportedQuotingTheMostUsed)
{
    struct Case {
        Layout layout;
        std::vector<std::string_view> lines;
        Lines expected;
        std::string message;  // of the last finding
    };
    const std::vector<Case> cases = {
        // The first translation has the typo: it alone is reported.
        {Layout::LinePairs,
         {"Open", "开启", "Save", "保存", "Open", "打开", "Open", "打开"},
         {"inconsistent-translation@2"},
         "translated \"开启\" here (1 line) and \"打开\" on 2 lines (first at line 6)"},
        {Layout::LinePairs,
         {"Open", "打开", "Open", "打开", "Open", "开启"},
         {"inconsistent-translation@6"},
         "translated \"开启\" here (1 line) and \"打开\" on 2 lines (first at line 2)"},
        // A tie: reported at the later line, neither called the odd one.
        {Layout::LinePairs, {"Name:", "名称：", "Name:", "姓名："}, {"inconsistent-translation@4"},
         "translated \"姓名：\" here and \"名称：\" at line 2, 1 line each: either may be the "
         "one to change"},
        // A short word in two senses shares few characters between them;
        // one sense written two ways shares most.
        {Layout::LinePairs, {"Back", "后面", "Back", "返回", "Back", "返回"}, {}, ""},
        {Layout::LinePairs, {"Search", "搜索", "Search", "Search"}, {"inconsistent-translation@4"},
         "translated \"Search\" here and \"搜索\" at line 2, 1 line each: either may be the one "
         "to change"},
        {Layout::LinePairs, {"Rose", "玫瑰图", "Rose", "夜莺图", "Rose", "玫瑰图"},
         {"inconsistent-translation@4"},
         "translated \"夜莺图\" here (1 line) and \"玫瑰图\" on 2 lines (first at line 2)"},
        {Layout::LinePairs, {"Stacked", "堆叠", "Stacked", "堆积", "Stacked", "堆叠"},
         {"inconsistent-translation@4"},
         "translated \"堆积\" here (1 line) and \"堆叠\" on 2 lines (first at line 2)"},
        {Layout::LinePairs, {"&to", "到(&T)", "&to", "到(%T)", "&to", "到(&T)"},
         {"inconsistent-translation@4"},
         "translated \"到(%T)\" here (1 line) and \"到(&T)\" on 2 lines (first at line 2)"},
        {Layout::LinePairs,
         {"Click the button", "点击按钮", "Click the button", "确定"}, {"inconsistent-translation@4"},
         "translated \"确定\" here and \"点击按钮\" at line 2, 1 line each: either may be the one "
         "to change"},
        // Three translations; the minority on two lines is reported at both.
        {Layout::LinePairs,
         {"Open", "开启", "Open", "打开", "Open", "打开", "Open", "开", "Open", "打开", "Open",
          "开启"},
         {"inconsistent-translation@2", "inconsistent-translation@8",
          "inconsistent-translation@12"},
         "translated \"开启\" here (2 lines) and \"打开\" on 3 lines (first at line 4); 3 "
         "translations in all"},
        // Two sources, each with its own most used translation.
        {Layout::LinePairs,
         {"Open", "打开", "Open", "打开", "Open", "开启", "Open", "打开", "Save", "保存", "Save",
          "存储", "Save", "保存"},
         {"inconsistent-translation@6", "inconsistent-translation@12"},
         "translated \"存储\" here (1 line) and \"保存\" on 2 lines (first at line 10)"},
        {Layout::Equals,
         {"Open=开启", "Save=保存", "Open=打开", "Open=打开"},
         {"inconsistent-translation@1"},
         "translated \"开启\" here (1 line) and \"打开\" on 2 lines (first at line 3)"},
        // Near misses: another source (a trailing space), the same
        // translation, an empty translation line, an equals line's empty
        // translation and a line without "=".
        {Layout::LinePairs, {"Open", "打开", "Open ", "开启", "Open", "打开"}, {}, ""},
        {Layout::LinePairs, {"Open", "打开", "Open", "  ", "Open", "打开"}, {}, ""},
        {Layout::Equals, {"Open=打开", "Open=", "Open=  ", "Open", "Open=打开"}, {}, ""},
    };
    AnalysisOptions options;
    std::string error;
    options.rules = RuleSelection::fromLists({"inconsistent-translation"}, {}, error);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.lines[0]) + "|" + std::string(c.lines[1]));
        std::vector<std::string> gbkLines;
        for (std::string_view l : c.lines)
            gbkLines.push_back(test::gbk(l));
        ConsistencyIndex census;
        options.layout = c.layout;
        DictionaryAnalyser counting(options, census);
        for (const std::string& l : gbkLines)
            counting.addLine(l);
        counting.finish();
        test::CollectFindings collect;
        DictionaryAnalyser analyser(options, collect, &census);
        for (const std::string& l : gbkLines)
            analyser.addLine(l);
        analyser.finish();
        EXPECT_EQ(ruleLines(collect.findings), c.expected);
        if (!c.expected.empty()) {
            EXPECT_EQ(collect.findings.back().message, c.message);
        }
    }
}

// Inside a shifted region the pairs are not weighed, so they count for no
// translation of their "source": "帮助" at line 3 is its only weighed pair.
TEST(Consistency, PairsInAShiftedRegionAreNotCounted)
{
    auto findings = analyseLines(Layout::LinePairs,
                                 {"OK", "确定", "帮助", "Helper", "Go", "走", "帮助", "Help",
                                  "打开", "Open", "帮助", "Help"});
    EXPECT_EQ(ruleLines(test::ofRule(findings, "pair-shift")), (Lines {"pair-shift@7"}));
    EXPECT_EQ(test::ofRule(findings, "inconsistent-translation").size(), 0u);
}

TEST(Analyser, ColumnsOfEqualsLinesCountTheSourceAndTheEquals)
{
    auto findings = analyseLines(Layout::Equals, {"Open %s=打开 ％ｓ"});
    ASSERT_EQ(ruleLines(findings), (Lines {"fullwidth-placeholder@1"}));
    EXPECT_EQ(findings[0].column, 14);          // bytes: "Open %s=" 8, "打开 " 5
    EXPECT_EQ(findings[0].characterColumn, 12);  // characters: 8 + 3
    EXPECT_EQ(findings[0].message, "full-width look-alike in the translation: \"％ｓ\" for \"%s\"");
}

// Lines 1-4 in step; "退出" was lost after line 5, so from line 7 odd lines
// hold translations.
const std::initializer_list<std::string_view> kShifted = {
    "Open", "打开", "Save", "保存", "Exit", "Help", "帮助", "File 3", "文件",
    "Edit", "编辑", "View", "视图"};

TEST(PairShift, ReportedOnceAtTheFirstShiftedPairNamingTheLastGoodLine)
{
    auto findings = analyseLines(Layout::LinePairs, kShifted);
    EXPECT_EQ(ruleLines(findings),
              (Lines {"untranslated@6", "pair-shift@7", "source-has-chinese@7", "untranslated@8",
                      "source-has-chinese@9", "untranslated@10", "source-has-chinese@11",
                      "untranslated@12", "source-has-chinese@13"}));
    EXPECT_EQ(findings[1].message,
              "the line pairs are out of step from here: odd lines hold translations and even "
              "lines sources; line 4 is the last that still paired correctly");
}

TEST(PairShift, PairRulesSkipTheRegionWhetherTheRuleIsOnOrOff)
{
    // "Exit" lost its translation; read as pairs, "帮助 3" and "File" would
    // be a number-mismatch.
    const std::initializer_list<std::string_view> lines = {
        "Open", "打开", "Exit", "Help", "帮助 3", "File", "文件 4", "Edit", "编辑 5", "View", "视图"};
    auto tracked = analyseLines(Layout::LinePairs, lines);
    EXPECT_EQ(ruleLines(test::ofRule(tracked, "pair-shift")), (Lines {"pair-shift@5"}));
    EXPECT_EQ(test::ofRule(tracked, "number-mismatch").size(), 0u);
    AnalysisOptions options;
    options.rules.set(RuleId::PairShift, false);
    auto untracked = analyseLines(Layout::LinePairs, lines, options);
    EXPECT_EQ(test::ofRule(untracked, "pair-shift").size(), 0u);
    EXPECT_EQ(test::ofRule(untracked, "number-mismatch").size(), 0u);
    // The pairs in step still are weighed.
    auto inStep = analyseLines(Layout::LinePairs, {"Open 3", "打开", "Save", "保存"}, options);
    EXPECT_EQ(ruleLines(test::ofRule(inStep, "number-mismatch")), (Lines {"number-mismatch@2"}));
}

TEST(PairShift, FewerThanThreeShiftedPairsAreNoRegion)
{
    // Two shifted pairs, then a pair in step: the held pairs are ordinary
    // ones again, their findings in line order, the pair rules included.
    auto findings = analyseLines(Layout::LinePairs, {"Open", "打开", "帮助 5", "Help", "文件",
                                                     "File", "Edit 2", "编辑", "Zoom 7", "缩放"});
    EXPECT_EQ(ruleLines(findings),
              (Lines {"source-has-chinese@3", "untranslated@4", "number-mismatch@4",
                      "source-has-chinese@5", "untranslated@6", "number-mismatch@8",
                      "number-mismatch@10"}));
}

TEST(PairShift, EachRegionIsReportedAndNeitherPairsContinueIt)
{
    auto findings = analyseLines(
        Layout::LinePairs,
        {"A", "甲", "乙", "B", "OK", "OK", "丙", "C", "丁", "D",  // a region, a neither pair inside
         "E", "戊",                                          // back in step at line 12
         "己", "F", "庚", "G", "辛", "H"});                   // a second region
    EXPECT_EQ(ruleLines(test::ofRule(findings, "pair-shift")),
              (Lines {"pair-shift@3", "pair-shift@13"}));
    EXPECT_NE(test::ofRule(findings, "pair-shift")[1].message.find("line 12 is the last"),
              std::string::npos);
}

TEST(PairShift, ALongRunOfNeitherPairsEndsTheCandidate)
{
    std::vector<std::string> lines = {"甲", "A"};
    for (int i = 0; i <= PairShiftTracker::kNeitherInARow; ++i) {
        lines.push_back("Same");
        lines.push_back("Same");
    }
    for (const char* l : {"乙", "B", "丙", "C"})
        lines.push_back(l);
    test::CollectFindings collect;
    AnalysisOptions options;
    DictionaryAnalyser analyser(options, collect);
    for (const std::string& l : lines)
        analyser.addLine(test::gbk(l));
    analyser.finish();
    EXPECT_EQ(test::ofRule(collect.findings, "pair-shift").size(), 0u);
    // The held pairs came out in line order.
    for (std::size_t i = 1; i < collect.findings.size(); ++i)
        EXPECT_LE(collect.findings[i - 1].line, collect.findings[i].line);
}

TEST(PairShift, AShiftAtTheStartHasNoGoodLineAbove)
{
    auto findings = analyseLines(Layout::LinePairs, {"甲", "A", "乙", "B", "丙", "C"});
    ASSERT_EQ(ruleLines(test::ofRule(findings, "pair-shift")), (Lines {"pair-shift@1"}));
    EXPECT_NE(findings[0].message.find("no line above paired correctly"), std::string::npos);
}

TEST(Analyser, TheLogsStopIsReportedAfterTheClassOfItsLine)
{
    AnalysisOptions options;
    options.logStop = LogStop {RuleId::StoppedAtEmptyLine, 3};
    auto findings = analyseLines(Layout::LinePairs, {"Open", "打开", "", "保存", "Save", "x"},
                                 options);
    EXPECT_EQ(ruleLines(findings), (Lines {"empty-line@3", "stopped-at-empty-line@3",
                                           "untranslated@6"}));
    options.logStop = LogStop {RuleId::RowOfErrors, 6};
    findings = analyseLines(Layout::LinePairs, {"Open", "打开", "", "保存", "Save", "x"}, options);
    EXPECT_EQ(ruleLines(findings), (Lines {"empty-line@3", "untranslated@6", "row-of-errors@6"}));
}

TEST(Analyser, OnlyTheSelectedRulesReport)
{
    std::string error;
    AnalysisOptions options;
    options.rules = RuleSelection::fromLists({"placeholder-mismatch,number-mismatch"},
                                             {"number-mismatch"}, error);
    ASSERT_EQ(error, "");
    auto findings = analyseLines(Layout::Equals, {"Level %d 5=等级", "No equals", "Open=Open"},
                                 options);
    EXPECT_EQ(ruleLines(findings), (Lines {"placeholder-mismatch@1"}));
}

// With every rule on, a line calls the rules of its kind, and the one that
// decides it (of two alternatives, exactly one) says what it found.
TEST(LineRules, EachLineGetsTheFindingOfTheRuleThatDecidesIt)
{
    std::string error;
    const RuleSelection all = RuleSelection::fromLists(
        {"empty-line,untranslated,source-has-chinese,row-of-errors,missing-equals,"
         "stopped-at-empty-line,pair-shift,pair-not-checked,source-non-ascii,kept-in-english,"
         "unknown-key"},
        {}, error);
    ASSERT_EQ(error, "");
    const LineRules rules(all);
    const TextDecoder decoder(TextEncoding::Utf8);
    struct Line {
        LineKind kind;
        Layout layout;
        std::int32_t line;
        std::string_view source;
        std::string_view translation;
        void (*set)(LineRuleContext&);
        std::string said;  // rule: the start of its message
    };
    auto none = [](LineRuleContext&) {};
    const Line cases[] = {
        {kOnEmpty, Layout::LinePairs, 3, "", "x", none, "empty-line: empty source line"},
        {kOnEmpty, Layout::LinePairs, 4, "x", "", none, "empty-line: empty translation line"},
        {kOnErroneous, Layout::LinePairs, 1, "中文", "", none,
         "source-has-chinese: the source line \"中文\" holds"},
        {kOnErroneous, Layout::LinePairs, 1, "Türkiye", "", none,
         "source-non-ascii: the source line \"Türkiye\" holds"},
        {kOnErroneous, Layout::LinePairs, 1, "Türkiye", "", [](LineRuleContext& c) { c.cut = true; },
         "source-has-chinese: the source line \"Türkiye\" holds"},
        {kOnUntranslated, Layout::LinePairs, 2, "Open", "Open", none,
         "untranslated: the translation \"Open\" holds no Chinese"},
        {kOnUntranslated, Layout::LinePairs, 2, "USB", "USB", none,
         "kept-in-english: the translation keeps the source \"USB\""},
        {kOnUntranslated, Layout::Equals, 1, "Open", "", none,
         "untranslated: nothing after \"=\""},
        {kOnNoEquals, Layout::Equals, 1, "Open", "", none, "missing-equals: no \"=\""},
        {kOnLogStop, Layout::LinePairs, 6, "Open", "x",
         [](LineRuleContext& c) { c.stop = RuleId::RowOfErrors; },
         "row-of-errors: the check log stops here after a row"},
        {kOnLogStop, Layout::LinePairs, 3, "", "x",
         [](LineRuleContext& c) { c.stop = RuleId::StoppedAtEmptyLine; },
         "stopped-at-empty-line: the check log stops at this empty line"},
        {kOnLongLine, Layout::LinePairs, 2, "a", "b",
         [](LineRuleContext& c) { c.sourceLength = 300000; c.translationLength = 400000; },
         "pair-not-checked: the source is 300000 and the translation 400000 bytes long"},
        {kOnLongLine, Layout::LinePairs, 2, "a", "b",
         [](LineRuleContext& c) { c.translationLength = 400000; },
         "pair-not-checked: the translation is 400000 bytes long"},
        {kOnLongLine, Layout::Equals, 1, "a", "b",
         [](LineRuleContext& c) { c.sourceLength = 300000; },
         "pair-not-checked: the line is 300000 bytes long"},
        {kOnPairRun, Layout::LinePairs, 1, "打开", "Open", none,
         "pair-shift: the line pairs are out of step from here"},
        {kOnPairRun, Layout::LinePairs, 9, "打开", "Open",
         [](LineRuleContext& c) { c.lastInStep = 6; },
         "pair-shift: the line pairs are out of step from here: odd lines hold translations and "
         "even lines sources; line 6 is the last"},
    };
    // In a translation file paired with its source.
    static const std::string key = "menu.open";
    auto inFile = [](LineRuleContext& c) {
        c.key = &key;
        c.sourceFile = "en.json";
    };
    const Line inFiles[] = {
        {kOnUntranslated, Layout::Equals, 7, "Open", "", inFile,
         "untranslated: the translation is empty"},
        {kOnUntranslated, Layout::Equals, 7, "Open", "Open", inFile,
         "untranslated: the translation is the source \"Open\" kept as it is"},
        {kOnUntranslated, Layout::Equals, 7, "USB", "USB", inFile,
         "kept-in-english: the translation keeps the source \"USB\""},
        {kOnUntranslated, Layout::Equals, 7, "Open", "",
         [](LineRuleContext& c) {
             c.key = &key;
             c.sourceFile = "en.json";
             c.sourceLine = 3;
         },
         "untranslated: the key \"menu.open\" (line 3 of en.json) has no translation"},
        {kOnPair, Layout::Equals, 7, "Open", "Opne", inFile,
         "unknown-key: the key \"menu.open\" is not in the source en.json"},
    };
    std::vector<Line> lines(std::begin(cases), std::end(cases));
    lines.insert(lines.end(), std::begin(inFiles), std::end(inFiles));
    for (const Line& c : lines) {
        const PairText pair {c.source, c.translation, c.line, c.line, 0};
        QuotedPair quoted(pair, decoder);
        LineRuleContext context(c.kind, c.line, quoted, c.layout, TextEncoding::Utf8);
        c.set(context);
        ASSERT_TRUE(rules.any(c.kind)) << c.said;
        std::vector<Finding> found;
        rules.check(context, found);
        ASSERT_EQ(found.size(), 1u) << c.said;
        const std::string said =
            std::string(ruleInfo(found[0].rule).name) + ": " + found[0].message;
        EXPECT_EQ(said.substr(0, c.said.size()), c.said) << said;
        EXPECT_EQ(found[0].line, c.line) << c.said;
    }
    // Off, a rule is not called: a kept source with kept-in-english off is
    // no finding (untranslated leaves it alone).
    const LineRules untranslatedOnly(RuleSelection::fromLists({"untranslated"}, {}, error));
    EXPECT_FALSE(untranslatedOnly.any(kOnEmpty));
    const PairText kept {"USB", "USB", 1, 2, 0};
    QuotedPair quoted(kept, decoder);
    std::vector<Finding> found;
    untranslatedOnly.check(LineRuleContext(kOnUntranslated, 2, quoted, Layout::LinePairs,
                                           TextEncoding::Utf8),
                           found);
    EXPECT_TRUE(found.empty());
}

TEST(Analyser, ALoneLastOddLineIsAClassOnly)
{
    auto findings = analyseLines(Layout::LinePairs, {"Open", "打开", "中文"});
    EXPECT_EQ(ruleLines(findings), (Lines {"source-has-chinese@3"}));
    EXPECT_EQ(findings[0].translation, "");
}

class AnalyseFile : public test::TempFolderTest {};

TEST_F(AnalyseFile, StreamsEveryLineAndQuotesBytesThatDoNotConvert)
{
    // A lone LF stays in its line; the last line has no line end.
    auto path = makeFile("d.txt", test::gbk("Open\r\n打开\r\nLine\none %d\r\n") +
                                      "\xB4\xF2\xFF\r\n" + test::gbk("中 5"));
    test::CollectFindings collect;
    AnalysisStats stats;
    Error error = analyseDictionary(path, AnalysisOptions {}, collect, &stats);
    EXPECT_FALSE(error);
    EXPECT_EQ(stats.lines, 5);
    EXPECT_EQ(ruleLines(collect.findings),
              (Lines {"placeholder-mismatch@4", "source-has-chinese@5"}));
    EXPECT_EQ(collect.findings[0].source, "Line\none %d");
    EXPECT_EQ(collect.findings[0].translation, "打\\xFF");
}

// A sink that says stop (its output failed) ends the analysis at once: it
// is handed no finding after it said so and the lines after are not read,
// with or without the byte scan's findings merged in.
TEST_F(AnalyseFile, ASinkThatSaysStopEndsTheAnalysis)
{
    std::string pairs;
    for (int i = 0; i < 5000; ++i)  // every pair untranslated; every 7th with a bad byte
        pairs += "Open " + std::to_string(i) + "\r\nOpen" + (i % 7 == 0 ? "\x80" : "") + "\r\n";
    const auto file = makeFile("many.txt", pairs);
    struct Stopping : FindingSink {
        std::size_t allowed = 0;
        std::size_t got = 0;
        bool add(Finding) override { return ++got < allowed; }
    };
    for (const std::size_t allowed : {1u, 3u, 100u}) {
        SCOPED_TRACE(allowed);
        Stopping direct;
        direct.allowed = allowed;
        AnalysisStats stats;
        EXPECT_FALSE(analyseDictionary(file, AnalysisOptions {}, direct, &stats));
        EXPECT_EQ(direct.got, allowed);
        EXPECT_LT(stats.lines, 2000) << "the rest of the dictionary is not read";

        Stopping merged;
        merged.allowed = allowed;
        FindingCounts counts;
        EXPECT_FALSE(analyseForReport({"many.txt", Layout::LinePairs}, file, ReportSettings {},
                                      std::nullopt, {}, merged, counts, &stats));
        EXPECT_EQ(merged.got, allowed);
        EXPECT_LT(stats.lines, 2000);
    }
}

// Lines longer than the reader holds: their classes as the check log has
// them, their first bytes as text, and instead of the pair rules a
// pair-not-checked finding that says so (not a silent pass).
TEST_F(AnalyseFile, LinesTooLongToHoldKeepTheirClassesAndQuoteTheirStart)
{
    const std::string longEnglish(600 * 1024, 'a');
    const std::string chinese = test::gbk("中");
    auto pairs = makeFile("p.txt", longEnglish + chinese + "\r\n" + chinese + "\r\nOpen %s\r\n" +
                                       longEnglish + "\r\nSave\r\n" + chinese + longEnglish);
    auto equals = makeFile("e.txt", longEnglish + "\r\nKey %d=" + longEnglish + chinese +
                                        "\r\nKey=" + longEnglish + "\r\n");
    struct Case {
        std::filesystem::path file;
        Layout layout;
        Lines expected;
    };
    const std::vector<Case> cases = {
        {pairs, Layout::LinePairs,
         {"source-has-chinese@1", "pair-not-checked@2", "untranslated@4", "pair-not-checked@4",
          "pair-not-checked@6"}},
        {equals, Layout::Equals,
         {"missing-equals@1", "pair-not-checked@2", "untranslated@3", "pair-not-checked@3"}},
    };
    for (const Case& c : cases) {
        test::CollectFindings collect;
        AnalysisOptions options;
        options.layout = c.layout;
        EXPECT_FALSE(analyseDictionary(c.file, options, collect));
        EXPECT_EQ(ruleLines(collect.findings), c.expected) << c.file;
        for (const Finding& f : collect.findings)
            EXPECT_LE(f.source.size() + f.translation.size(), 2 * 4096u) << ruleInfo(f.rule).name;
    }
    test::CollectFindings collect;
    EXPECT_FALSE(analyseDictionary(pairs, AnalysisOptions {}, collect));
    EXPECT_EQ(test::ofRule(collect.findings, "pair-not-checked").at(0).message,
              "the source is 614402 bytes long, more than the report holds of a line with its "
              "end (262144 bytes): placeholders, numbers, spaces and consistency were not "
              "checked");
    // At the boundary: a line fires exactly when it and its end are more
    // than the 262144 bytes its message names.
    const struct {
        std::size_t length;
        const char* end;
        LineEnds ends;
        bool fires;
    } edges[] = {
        {262142, "\r\n", LineEnds::CrLf, false},
        {262143, "\r\n", LineEnds::CrLf, true},
        {262143, "\n", LineEnds::Any, false},
        {262144, "\n", LineEnds::Any, true},
    };
    for (const auto& e : edges) {
        SCOPED_TRACE(std::to_string(e.length) + (e.ends == LineEnds::Any ? " LF" : " CR LF"));
        auto file = makeFile("edge.txt", std::string(e.length, 'a') + e.end + chinese + e.end);
        test::CollectFindings found;
        AnalysisOptions options;
        options.lineEnds = e.ends;
        EXPECT_FALSE(analyseDictionary(file, options, found));
        const auto fired = test::ofRule(found.findings, "pair-not-checked");
        ASSERT_EQ(fired.size(), e.fires ? 1u : 0u);
        if (e.fires) {
            const std::string expected = "the source is " + std::to_string(e.length) +
                                         " bytes long, more than the report holds of a line "
                                         "with its end (262144 bytes)";
            EXPECT_EQ(fired[0].message.rfind(expected, 0), 0u) << fired[0].message;
        }
    }
}

// The marks of a wrong conversion and the invisible controls in a
// translation, which the byte scan of the file cannot tell: "rule@character
// column" of each finding, for pairs in GBK (written here in UTF-8) or in
// UTF-8.
TEST(TextMarks, WrongConversionsAndInvisibleControlsInTranslations)
{
    struct Case {
        TextEncoding encoding;
        const char* source;
        const char* translation;
        Lines expected;
    };
    const Case cases[] = {
        // UTF-8 read as GBK: 文件 and 编辑 as they come out.
        {TextEncoding::Gbk, "File", "鏂囦欢", {"mojibake@1"}},
        {TextEncoding::Gbk, "Edit file", "请缂栬緫鏂囦欢", {"mojibake@2"}},
        {TextEncoding::Gbk, "File", "文件", {}},
        {TextEncoding::Gbk, "Open failed, try again", "打开文件失败，请重试。", {}},
        {TextEncoding::Gbk, "Edit", "编辑器（已修改）", {}},
        // UTF-8 read as Latin-1 or Windows-1252.
        {TextEncoding::Utf8, "Café", "CafÃ©", {"mojibake@4"}},
        {TextEncoding::Utf8, "It's", "Itâ€™s", {"mojibake@3"}},
        {TextEncoding::Utf8, "Café", "咖啡馆 Café", {}},
        {TextEncoding::Utf8, "Copyright ©", "版权所有 © “Corvel”", {}},
        {TextEncoding::Utf8, "À la carte", "À la carte 菜单", {}},
        // C1 and bidi controls the source does not hold.
        {TextEncoding::Utf8, "Name", "名字\u202Egnp.exe", {"control-char@3"}},
        {TextEncoding::Utf8, "Next", "下一个\u0085", {"control-char@4"}},
        {TextEncoding::Utf8, "A\u202Eb", "甲\u202E乙", {}},
        {TextEncoding::Utf8, "Dash", "破折号——“是”", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " => " + c.translation);
        AnalysisOptions options;
        options.encoding = c.encoding;
        std::string error;
        options.rules = RuleSelection::fromLists({"mojibake,control-char"}, {}, error);
        test::CollectFindings collect;
        DictionaryAnalyser analyser(options, collect);
        const bool utf8 = c.encoding == TextEncoding::Utf8;
        analyser.addLine(utf8 ? std::string(c.source) : test::gbk(c.source));
        analyser.addLine(utf8 ? std::string(c.translation) : test::gbk(c.translation));
        analyser.finish();
        Lines got;
        for (const Finding& f : collect.findings)
            got.push_back(std::string(ruleInfo(f.rule).name) + "@" + std::to_string(f.characterColumn.value_or(0)));
        EXPECT_EQ(got, c.expected);
    }
}

// The report reads the check log's erroneous and untranslated lines
// finer: a source with only accents or symbols, and a translation that
// keeps a name, acronym, address or placeholders. Each rule fires on some
// and passes the near misses.
TEST(FinerClasses, SourcesBeyondAsciiAndTranslationsKeptInEnglish)
{
    struct Case {
        std::string source;
        std::string translation;
        Lines expected;
    };
    const std::vector<Case> cases = {
        {"Türkiye", "土耳其", {"source-non-ascii@1"}},
        {"Stack Limit: ∞", "堆叠上限：∞", {"source-non-ascii@1"}},
        {"Saint Barthélemy…", "圣巴泰勒米", {"source-non-ascii@1"}},
        {"打开", "打开", {"source-has-chinese@1"}},
        {"Open 文件", "打开文件", {"source-has-chinese@1"}},
        {"ひらがな", "平假名", {"source-has-chinese@1"}},
        {"USB", "USB", {"kept-in-english@2"}},
        {"HexChat", "HexChat", {"kept-in-english@2"}},
        {"Wi-Fi", "Wi-Fi", {"kept-in-english@2"}},
        {"SOCKS5", "SOCKS5", {"kept-in-english@2"}},
        {"https://example.com/help", "https://example.com/help", {"kept-in-english@2"}},
        {"*!*user@*.host", "*!*user@*.host", {"kept-in-english@2"}},
        {"%5d %8.1f %7d  %s\\n", "%5d %8.1f %7d  %s\\n", {"kept-in-english@2"}},
        {"<tt><b>%-11s</b></tt> %s", "<tt><b>%-11s</b></tt> %s", {"kept-in-english@2"}},
        {"A-Z", "A-Z", {"kept-in-english@2"}},
        {"Shift", "Shift", {"kept-in-english@2"}},
        {"Ctrl+Alt+Delete", "Ctrl+Alt+Delete", {"kept-in-english@2"}},
        {"Ctrl++", "Ctrl++", {"kept-in-english@2"}},
        {"yyyy-MM-dd HH:mm", "yyyy-MM-dd HH:mm", {"kept-in-english@2"}},
        {"{1} of {2}", "{1}/{2}", {"kept-in-english@2"}},
        {"%{done} of %{total}", "%{done} / %{total}", {"kept-in-english@2"}},
        {"!", "=!=", {"kept-in-english@2"}},
        {"Delete", "Delete", {"untranslated@2"}},
        {"Ctrl+Save", "Ctrl+Save", {"untranslated@2"}},
        {"Mad Max", "Mad Max", {"untranslated@2"}},
        {"Open {0}", "{0}", {"untranslated@2"}},
        {"Open {0}", "...", {"untranslated@2"}},
        {"Open", "Open", {"untranslated@2"}},
        {"USB drive", "USB drive", {"untranslated@2"}},
        {"\"@1\" by @2", "\"@1\" by @2", {"untranslated@2"}},
        {"URLs", "URL", {"kept-in-english@2"}},  // an acronym has no plural in Chinese
        // Units, numbers written as digits, words that only join placeholders.
        {"%d Hz", "%d Hz", {"kept-in-english@2"}},
        {"110-150 kbps", "110-150 kbps", {"kept-in-english@2"}},
        {"120 mm RHA", "120 mm RHA", {"kept-in-english@2"}},
        {"for %1$s", "%1$s", {"kept-in-english@2"}},
        {"{0} of {1}", "{0}{1}", {"untranslated@2"}},  // the numbers run together
        {"eight", "8", {"kept-in-english@2"}},
        {"ace", "A", {"kept-in-english@2"}},
        {"30 - 300 beats/minute", "30 ~ 300 BPM", {"kept-in-english@2"}},
        {"Research speed", "{$Mods.Tech.Speed}", {"kept-in-english@2"}},
        {"Open %1$s", "%1$s", {"untranslated@2"}},
        {"(0 to 100):", "(0 to 100):", {"untranslated@2"}},
        {"Hz filter", "Hz filter", {"untranslated@2"}},
        {"Research speed", "{Tech.Speed}", {"untranslated@2"}},
        {"Midi file", "MIDI file", {"untranslated@2"}},
        // A message ID and a qualifier alone carry no text.
        {"translator-credits", "Yang Zhang <z@example.com>", {"kept-in-english@2"}},
        {"gnome-aisleriot", "gnome-aisleriot", {"kept-in-english@2"}},
        {"?techhelp:", "?techhelp:", {"kept-in-english@2"}},
        {"?unit:Settlers", "?unit:Settlers", {"untranslated@2"}},
        {"save-as", "save as", {"kept-in-english@2"}},
        {"Save-As", "Save As", {"untranslated@2"}},
        {"PDF", "pdf", {"untranslated@2"}},
    };
    std::string error;
    AnalysisOptions options;
    options.rules = RuleSelection::fromLists({"source-has-chinese,source-non-ascii,untranslated,"
                                              "kept-in-english"},
                                             {}, error);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source + " => " + c.translation);
        EXPECT_EQ(ruleLines(analyseLines(Layout::LinePairs, {c.source, c.translation}, options)),
                  c.expected);
    }
    // kept-in-english is off by default: those lines are then quiet.
    EXPECT_EQ(ruleLines(analyseLines(Layout::Equals, {"USB=USB", "Open=Open"})),
              (Lines {"untranslated@2"}));
}

// Line breaks are a warning of their own; a repeated placeholder is
// counted in one message.
TEST(LineBreakMismatch, ItsOwnWarningAndRepeatsCounted)
{
    struct Case {
        std::string source;
        std::string translation;
        Lines expected;  // "rule: message"
    };
    const std::vector<Case> cases = {
        {"Line\\nbreak", "换行",
         {"line-break-mismatch: line breaks missing from the translation: \"\\n\""}},
        {"One line", "第一行\\n第二行<br>",
         {"line-break-mismatch: line breaks not in the source: \"\\n\", \"<br>\""}},
        {"a\\nb\\nc\\nd %s", "甲乙",
         {"placeholder-mismatch: missing from the translation: \"%s\"",
          "line-break-mismatch: line breaks missing from the translation: 3 x \"\\n\""}},
        {"%s and %s", "和", {"placeholder-mismatch: missing from the translation: 2 x \"%s\""}},
        {"a\\nb", "甲\\n乙", {}},
        {"a<br/>b", "甲<br/>乙", {}},
        {"a\\nb\\n", "甲\\r\\n乙\\r\\n", {}},  // CR LF for LF: the same breaks
        {"a\\r\\nb", "甲\\n乙", {}},
        {"a\\nb", "甲\\r乙", {"line-break-mismatch: line breaks missing from the translation: "
                               "\"\\n\"; line breaks not in the source: \"\\r\""}},
    };
    // Off by default: turned on here with the placeholder rule.
    std::string error;
    AnalysisOptions options;
    options.rules = RuleSelection::fromLists({"placeholder-mismatch,line-break-mismatch"}, {}, error);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source + " => " + c.translation);
        Lines got;
        for (const Finding& f :
             analyseLines(Layout::LinePairs, {c.source, c.translation}, options))
            got.push_back(std::string(ruleInfo(f.rule).name) + ": " + f.message);
        EXPECT_EQ(got, c.expected);
    }
}

TEST_F(AnalyseFile, AMissingDictionaryIsAnError)
{
    test::CollectFindings collect;
    Error error = analyseDictionary(root() / "missing.txt", AnalysisOptions {}, collect);
    EXPECT_EQ(error.kind(), ErrorKind::FileNotFound);
    EXPECT_TRUE(collect.findings.empty());
}

}  // namespace
}  // namespace corvel::report
