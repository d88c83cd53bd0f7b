#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

constinit const RuleInfo Mojibake {
    RuleId::Mojibake, "mojibake", Severity::Error, true, kOnBytes,
    "The text shows the marks of an earlier wrong conversion.",
    "Characters that an earlier wrong conversion leaves behind, such as runs of \u5c6f, "
    "U+FFFD or runs of ? inside Chinese text."};

}  // namespace corvel::report::rules
