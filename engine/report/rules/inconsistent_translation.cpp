#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

constexpr RuleExample kInconsistentTranslationExamples[] {
    {true, "Save\nSave\nSave", "保存\n保存\n存储"},
    {false, "Back\nBack", "后面\n返回"},
};

constinit const RuleInfo InconsistentTranslation {
    RuleId::InconsistentTranslation, "inconsistent-translation", Severity::Warning, true, kOnPair,
    "The same source has a different translation elsewhere in the dictionary.",
    "The same source text has more than one translation in the dictionary. Reported at the "
    "lines of the less used translations (of translations on as many lines, the one met "
    "first stands), quoting the most used one with its line count and first line.",
    kInconsistentTranslationExamples};

}  // namespace corvel::report::rules
