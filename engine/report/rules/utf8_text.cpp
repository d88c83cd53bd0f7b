#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

constinit const RuleInfo Utf8Text {
    RuleId::Utf8Text, "utf8-text", Severity::Error, true, kOnBytes,
    "The dictionary is UTF-8 text, read as GBK.",
    "The dictionary is read as GBK but is valid UTF-8 holding multibyte characters. Reported "
    "once, at the first such line, with a hint to use --encoding utf-8."};

}  // namespace corvel::report::rules
