#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

constinit const RuleInfo InvalidUtf8 {
    RuleId::InvalidUtf8, "invalid-utf8", Severity::Error, true, kOnBytes,
    "A byte sequence is not UTF-8.",
    "With --encoding utf-8 (or auto choosing UTF-8): a byte sequence that is not a UTF-8 "
    "character. Reported at its column."};

}  // namespace corvel::report::rules
