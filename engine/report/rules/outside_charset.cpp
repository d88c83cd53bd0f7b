#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

constinit const RuleInfo OutsideCharset {
    RuleId::OutsideCharset, "outside-charset", Severity::Warning, false, kOnBytes,
    "A character lies outside GB2312.",
    "Only with --charset gb2312: a character that GB2312 does not hold, which fonts covering "
    "only GB2312 show as a box or ?."};

}  // namespace corvel::report::rules
