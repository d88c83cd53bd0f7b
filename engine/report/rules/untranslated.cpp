#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

constinit const RuleInfo Untranslated {
    RuleId::Untranslated, "untranslated", Severity::Error, true, kOnUntranslated,
    "The translation holds no Chinese character.",
    "The translation line of a pair (the even line of a line pair, or the text after the "
    "\"=\" of an equals line) holds no character beyond ASCII, so it has not been "
    "translated. The check log lists it as untranslated. Reported at the translation's line."};

}  // namespace corvel::report::rules
