#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

constexpr RuleExample kLfLineEndsExamples[] {
    {true, "Open\nOpen\n", "", ExampleFile::Bytes},
    {false, "Open\nOpen\n", "", ExampleFile::Bytes, "--line-ends any"},
};

constinit const RuleInfo LfLineEnds {
    RuleId::LfLineEnds, "lf-line-ends", Severity::Error, true, kOnBytes,
    "Lone LF bytes act as line ends.",
    "The dictionary holds lone LF bytes that act as line ends (a file with no CR at all, or "
    "lines that each hold several LFs), which the check reads as part of one line. Reported "
    "once, at the first, with a hint to use --line-ends any.",
    kLfLineEndsExamples};

}  // namespace corvel::report::rules
