#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

constexpr RuleExample kMixedLineEndsExamples[] {
    {true, "Open\r\nOpen\rSave\r\nSave\r\n", "", ExampleFile::Bytes},
    {false, "Open\rOpen\rSave\rSave\r", "", ExampleFile::Bytes},
};

constinit const RuleInfo MixedLineEnds {
    RuleId::MixedLineEnds, "mixed-line-ends", Severity::Warning, true, kOnBytes,
    "The dictionary mixes CR LF and lone CR line ends.",
    "The dictionary ends some lines with CR LF and others with a lone CR.",
    kMixedLineEndsExamples};

}  // namespace corvel::report::rules
