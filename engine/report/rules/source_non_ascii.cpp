#include "../line_rules.h"

namespace corvel::report::rules {

namespace {

// In place of source-has-chinese.
void check(const LineRuleContext& line, std::vector<Finding>& out)
{
    if (!line.cut && !line.sourceHoldsCjk())
        out.push_back(line.finding(RuleId::SourceNonAscii,
                                   "the source line " + quote(line.source()) +
                                       " holds characters beyond ASCII but no Chinese; the check "
                                       "reads it as Chinese"));
}

}  // namespace

constexpr RuleExample kSourceNonAsciiExamples[] {
    {true, "Türkiye", "土耳其", ExampleFile::LinePairs, "--enable source-non-ascii"},
    {false, "Turkey", "土耳其", ExampleFile::LinePairs, "--enable source-non-ascii"},
};

constinit const RuleInfo SourceNonAscii {
    RuleId::SourceNonAscii, "source-non-ascii", Severity::Warning, false, kOnErroneous,
    "The source holds characters beyond ASCII but no Chinese.",
    "An odd line of a line-pair dictionary holds characters beyond ASCII, but only "
    "punctuation, symbols or letters such as \u00fc, \u00e9 or \u221e, no CJK character "
    "(T\u00fcrkiye, Stack Limit: \u221e). The check log counts such a line as erroneous, as "
    "it does every source beyond ASCII; the report keeps source-has-chinese for sources that "
    "hold CJK characters. Off by default: typographic marks (\u2026, \u2014, \u2019, \u00b0) "
    "and accented letters are normal English.",
    kSourceNonAsciiExamples,
    nullptr, check};

}  // namespace corvel::report::rules
