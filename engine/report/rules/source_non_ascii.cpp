#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

// Reported by the analyser in place of source-has-chinese.
constinit const RuleInfo SourceNonAscii {
    RuleId::SourceNonAscii, "source-non-ascii", Severity::Warning, true, kOnErroneous,
    "The source holds characters beyond ASCII but no Chinese.",
    "An odd line of a line-pair dictionary holds characters beyond ASCII, but only "
    "punctuation, symbols or letters such as \u00fc, \u00e9 or \u221e, no CJK character "
    "(T\u00fcrkiye, Stack Limit: \u221e). The check log lists it as an erroneous line, as "
    "it does every source beyond ASCII; the report keeps source-has-chinese for sources that "
    "hold CJK characters."};

}  // namespace corvel::report::rules
