#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

constinit const RuleInfo MixedLineEnds {
    RuleId::MixedLineEnds, "mixed-line-ends", Severity::Warning, true, kOnBytes,
    "The dictionary mixes CR LF and lone CR line ends.",
    "The dictionary ends some lines with CR LF and others with a lone CR."};

}  // namespace corvel::report::rules
