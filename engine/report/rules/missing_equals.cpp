#include "../line_rules.h"

namespace corvel::report::rules {

namespace {

void check(const LineRuleContext& line, std::vector<Finding>& out)
{
    out.push_back(line.finding(RuleId::MissingEquals, "no \"=\" between source and translation"));
}

}  // namespace

constexpr RuleExample kMissingEqualsExamples[] {
    {true, "Open file\r\n", "", ExampleFile::Bytes, "--equals"},
    {false, "Open file", "打开文件", ExampleFile::EqualsLines},
};

constinit const RuleInfo MissingEquals {
    RuleId::MissingEquals, "missing-equals", Severity::Error, true, kOnNoEquals,
    "An equals line has no \"=\".",
    "A line of an equals-line dictionary without the \"=\" that separates the source from its "
    "translation. The check log lists it as a serious error.",
    kMissingEqualsExamples,
    nullptr, check};

}  // namespace corvel::report::rules
