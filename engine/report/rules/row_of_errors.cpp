#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

constexpr RuleExample kRowOfErrorsExamples[] {
    {true, "打开\n打开\n打开\n打开\n打开\n打开\n打开\n打开\n打开\n打开\n打开\n打开", "打开\n打开\n打开\n打开\n打开\n打开\n打开\n打开\n打开\n打开\n打开\n打开"},
    {false, "打开\n打开\n打开\n打开\n打开\n打开\n打开\n打开\n打开\n打开\n打开\n打开", "打开\n打开\n打开\n打开\n打开\n打开\n打开\n打开\n打开\n打开\n打开\n打开", ExampleFile::LinePairs, "--no-error-stop"},
};

constinit const RuleInfo RowOfErrors {
    RuleId::RowOfErrors, "row-of-errors", Severity::Error, true, kOnLogStop,
    "The check log stopped after a row of erroneous lines.",
    "The serious-error stop of the line-pair check: a row of erroneous lines ended the check "
    "log early at this line. The report itself goes on to the end of the dictionary, but the "
    "lines after this one are missing from the check log.",
    kRowOfErrorsExamples};

}  // namespace corvel::report::rules
