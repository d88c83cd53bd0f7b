#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

constinit const RuleInfo ControlChar {
    RuleId::ControlChar, "control-char", Severity::Warning, true, kOnBytes,
    "The translation holds a control byte that its source does not.",
    "A control byte other than TAB in a translation whose source does not hold it. A control "
    "byte in both is formatting (such as IRC colour codes) and is not flagged."};

}  // namespace corvel::report::rules
