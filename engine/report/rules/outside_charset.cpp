#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

constexpr RuleExample kOutsideCharsetExamples[] {
    {true, "Open", "開啟", ExampleFile::LinePairs, "--charset gb2312"},
    {false, "Open", "打开", ExampleFile::LinePairs, "--charset gb2312"},
};

constinit const RuleInfo OutsideCharset {
    RuleId::OutsideCharset, "outside-charset", Severity::Warning, false, kOnBytes,
    "A character lies outside GB2312.",
    "Only with --charset gb2312: a character that GB2312 does not hold, which fonts covering "
    "only GB2312 show as a box or ?.",
    kOutsideCharsetExamples};

}  // namespace corvel::report::rules
