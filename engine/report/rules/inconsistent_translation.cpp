#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

constinit const RuleInfo InconsistentTranslation {
    RuleId::InconsistentTranslation, "inconsistent-translation", Severity::Warning, true, kOnPair,
    "The same source has a different translation elsewhere in the dictionary.",
    "The same source text was translated differently earlier in the dictionary. Reported at "
    "each later occurrence whose translation differs from the first one, naming the line of "
    "the first. Only fingerprints of the texts are kept, not the texts."};

}  // namespace corvel::report::rules
