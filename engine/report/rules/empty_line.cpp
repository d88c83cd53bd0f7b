#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

constexpr RuleExample kEmptyLineExamples[] {
    {true, "Open", ""},
    {false, "Open", "打开"},
};

constinit const RuleInfo EmptyLine {
    RuleId::EmptyLine, "empty-line", Severity::Error, true, kOnEmpty,
    "A line of a line pair is empty.",
    "A line that holds nothing or only spaces, in a line-pair dictionary. The check log "
    "lists it as an empty line. Reported at the empty line.",
    kEmptyLineExamples};

}  // namespace corvel::report::rules
