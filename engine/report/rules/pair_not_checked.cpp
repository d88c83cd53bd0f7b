#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

// Reported by the analyser, which alone knows that a line was too long.
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
    kPairNotCheckedExamples};

}  // namespace corvel::report::rules
