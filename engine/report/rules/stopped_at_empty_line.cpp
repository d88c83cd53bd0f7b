#include "../line_rules.h"

namespace corvel::report::rules {

namespace {

void check(const LineRuleContext& line, std::vector<Finding>& out)
{
    if (line.stop == RuleId::StoppedAtEmptyLine)
        out.push_back(line.finding(RuleId::StoppedAtEmptyLine,
                                   "the check log stops at this empty line (--stop-on-empty); "
                                   "the lines after it are not in the log"));
}

}  // namespace

constexpr RuleExample kStoppedAtEmptyLineExamples[] {
    {true, "Open\nSave", "\n保存", ExampleFile::LinePairs, "--stop-on-empty"},
    {false, "Open\nSave", "\n保存"},
};

constinit const RuleInfo StoppedAtEmptyLine {
    RuleId::StoppedAtEmptyLine, "stopped-at-empty-line", Severity::Error, true, kOnLogStop,
    "The check log stopped at an empty line.",
    "With --stop-on-empty the line-pair check stops at the first empty line. The report goes "
    "on to the end of the dictionary, but the lines after this one are missing from the "
    "check log.",
    kStoppedAtEmptyLineExamples,
    nullptr, check};

}  // namespace corvel::report::rules
