#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

constinit const RuleInfo InvalidGbk {
    RuleId::InvalidGbk, "invalid-gbk", Severity::Error, true, kOnBytes,
    "A byte sequence is not GBK.",
    "A byte sequence that is not a GBK character (with --encoding gb18030: not a GB18030 "
    "character). Reported at its column."};

}  // namespace corvel::report::rules
