#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

constexpr RuleExample kStoppedAtEmptyLineExamples[] {
    {true, "Open\nSave", "\n保存", ExampleFile::LinePairs, "--stop-on-empty"},
    {false, "Open\nSave", "\n保存"},
};

constinit const RuleInfo StoppedAtEmptyLine {
    RuleId::StoppedAtEmptyLine, "stopped-at-empty-line", Severity::Error, true, kOnLogStop,
    "The check log stopped at an empty line.",
    "With --stop-on-empty the line-pair check stops at the first empty line. The report goes "
    "on to the end of the dictionary, but the lines after this one are missing from the "
    "check log.",
    kStoppedAtEmptyLineExamples};

}  // namespace corvel::report::rules
