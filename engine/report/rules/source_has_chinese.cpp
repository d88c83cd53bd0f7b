#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

constexpr RuleExample kSourceHasChineseExamples[] {
    {true, "打开", "打开"},
    {false, "Türkiye", "土耳其"},
};

constinit const RuleInfo SourceHasChinese {
    RuleId::SourceHasChinese, "source-has-chinese", Severity::Error, true, kOnErroneous,
    "The source line of a pair holds Chinese characters.",
    "An odd line of a line-pair dictionary, which should hold the English source, holds a "
    "character beyond ASCII. The check log lists it as an erroneous line. Often the first "
    "sign that the pairs are out of step (see pair-shift).",
    kSourceHasChineseExamples};

}  // namespace corvel::report::rules
