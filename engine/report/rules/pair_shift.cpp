#include "../line_rules.h"

namespace corvel::report::rules {

namespace {

void check(const LineRuleContext& line, std::vector<Finding>& out)
{
    const std::int32_t last = line.lastInStep;
    out.push_back(line.finding(
        RuleId::PairShift,
        "the line pairs are out of step from here: odd lines hold translations and even lines "
        "sources; " +
            (last > 0 ? "line " + std::to_string(last) + " is the last that still paired correctly"
                      : std::string("no line above paired correctly"))));
}

}  // namespace

constexpr RuleExample kPairShiftExamples[] {
    {true, "Open\n文件\n编辑\n视图", "打开\nEdit\nView\nHelp"},
    {false, "Open\n文件\n编辑", "打开\nEdit\nView"},
};

constinit const RuleInfo PairShift {
    RuleId::PairShift, "pair-shift", Severity::Error, true, kOnPairRun,
    "From this line on the line pairs are out of step.",
    "In a line-pair dictionary, odd lines read as translations and even lines as sources for "
    "at least three pairs: a line was lost or added above. Reported once per shifted region, "
    "at the first line of its first shifted pair, naming the last line that still paired "
    "correctly. Fix this first: the findings about the pairs inside the region are left out "
    "because the pairs there are not real pairs.",
    kPairShiftExamples,
    nullptr, check};

}  // namespace corvel::report::rules
