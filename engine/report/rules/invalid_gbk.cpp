#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

constexpr RuleExample kInvalidGbkExamples[] {
    {true, "Open\r\n\xB4\xF2\xFF\r\n", "", ExampleFile::Bytes},
    {false, "Open\r\n\xB4\xF2\xBF\xAA\r\n", "", ExampleFile::Bytes},
};

constinit const RuleInfo InvalidGbk {
    RuleId::InvalidGbk, "invalid-gbk", Severity::Error, true, kOnBytes,
    "A byte sequence is not GBK.",
    "A byte sequence that is not a GBK character (with --encoding gb18030: not a GB18030 "
    "character). Reported at its column.",
    kInvalidGbkExamples};

}  // namespace corvel::report::rules
