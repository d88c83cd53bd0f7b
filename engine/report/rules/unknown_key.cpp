#include "../line_kinds.h"
#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

constinit const RuleInfo UnknownKey {
    RuleId::UnknownKey, "unknown-key", Severity::Warning, true, kOnPair,
    "The translation holds a key its source does not.",
    "In a translation file checked against its source (--source SOURCE TRANSLATION: Android "
    "strings.xml, JSON, .properties), a key that the source file lacks: left over from a "
    "removed text, or a typing error in the key, so the program never shows it. Reported once "
    "per key, at its line in the translation."};

}  // namespace corvel::report::rules
