#include "../line_rules.h"

namespace corvel::report::rules {

namespace {

// The longest line the reader holds whole, with its end (its buffer).
constexpr std::uint64_t kHeldLine = 256 * 1024;

// The rules that weigh a source against its translation did not see the
// pair, which the report must not keep quiet about (a silent pass would
// read as a clean pair).
void check(const LineRuleContext& line, std::vector<Finding>& out)
{
    const std::uint64_t source = line.sourceLength;
    const std::uint64_t translation = line.translationLength;
    std::string what;
    if (line.layout() == Layout::Equals)
        what = "the line is " + std::to_string(source) + " bytes long";
    else if (source != 0 && translation != 0)
        what = "the source is " + std::to_string(source) + " and the translation " +
               std::to_string(translation) + " bytes long";
    else if (source != 0)
        what = "the source is " + std::to_string(source) + " bytes long";
    else
        what = "the translation is " + std::to_string(translation) + " bytes long";
    out.push_back(line.finding(
        RuleId::PairNotChecked,
        what + ", more than the report holds of a line with its end (" +
            std::to_string(kHeldLine) +
            " bytes): placeholders, numbers, spaces and consistency were not checked"));
}

}  // namespace

constexpr RuleExample kPairNotCheckedExamples[] {
    {true, "Open ", "打开", ExampleFile::LinePairs, {}, 262144},
    {false, "Open ", "打开", ExampleFile::LinePairs, {}, 262140},
};

constinit const RuleInfo PairNotChecked {
    RuleId::PairNotChecked, "pair-not-checked", Severity::Warning, true, kOnLongLine,
    "A pair was too long for the rules that weigh a source against its translation.",
    "A source or translation of 256 KiB or more is not held whole, so placeholders, "
    "numbers, spaces and consistency were not checked for its pair; its line class still "
    "is. Reported at the translation's line with the lengths.",
    kPairNotCheckedExamples,
    nullptr, check};

}  // namespace corvel::report::rules
