#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

constinit const RuleInfo Utf16 {
    RuleId::Utf16, "utf16", Severity::Error, true, kOnBytes,
    "The dictionary is UTF-16 text.",
    "The dictionary starts with a UTF-16 byte-order mark or shows the NUL bytes of UTF-16 "
    "text. Reported once, at line 1."};

}  // namespace corvel::report::rules
