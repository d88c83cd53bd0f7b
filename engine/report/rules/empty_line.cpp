#include "../line_rules.h"

namespace corvel::report::rules {

namespace {

void check(const LineRuleContext& line, std::vector<Finding>& out)
{
    const bool source = line.line() % 2 != 0;
    out.push_back(line.finding(RuleId::EmptyLine,
                               source ? "empty source line" : "empty translation line"));
}

}  // namespace

constexpr RuleExample kEmptyLineExamples[] {
    {true, "Open", ""},
    {false, "Open", "打开"},
};

constinit const RuleInfo EmptyLine {
    RuleId::EmptyLine, "empty-line", Severity::Error, true, kOnEmpty,
    "A line of a line pair is empty.",
    "A line that holds nothing or only spaces, in a line-pair dictionary. The check log "
    "lists it as an empty line. Reported at the empty line.",
    kEmptyLineExamples,
    nullptr, check};

}  // namespace corvel::report::rules
