#include "../line_kinds.h"
#include "corvel/report/rule_catalogue.h"
#include "encoding/line_findings.h"

namespace corvel::report::rules {

namespace {

using encoding::ByteNote;

std::string describe(const ByteNote&)
{
    return "lone LF bytes end the lines here, but a line ends only at CR LF or CR, so these "
           "lines are read as one; use --line-ends any";
}

}  // namespace

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
    kLfLineEndsExamples,
    nullptr, nullptr, describe};

}  // namespace corvel::report::rules
