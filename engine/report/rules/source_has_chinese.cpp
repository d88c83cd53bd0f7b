#include "../line_rules.h"

namespace corvel::report::rules {

namespace {

// The check log reads every byte beyond ASCII as Chinese; the report tells
// a source with CJK from one with only accents or punctuation
// (source-non-ascii).
void check(const LineRuleContext& line, std::vector<Finding>& out)
{
    if (line.cut || line.sourceHoldsCjk())
        out.push_back(line.finding(RuleId::SourceHasChinese,
                                   "the source line " + quote(line.source()) +
                                       " holds characters beyond ASCII, which the check reads as "
                                       "Chinese"));
}

}  // namespace

constexpr RuleExample kSourceHasChineseExamples[] {
    {true, "打开", "打开"},
    {false, "Türkiye", "土耳其"},
};

constinit const RuleInfo SourceHasChinese {
    RuleId::SourceHasChinese, "source-has-chinese", Severity::Error, true, kOnErroneous,
    "The source line of a pair holds Chinese characters.",
    "An odd line of a line-pair dictionary, which should hold the English source, holds a "
    "character beyond ASCII. The check log lists it as an erroneous line. Often the first "
    "sign that the pairs are out of step (see pair-shift).",
    kSourceHasChineseExamples,
    nullptr, check};

}  // namespace corvel::report::rules
