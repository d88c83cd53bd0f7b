#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

constexpr RuleExample kUtf8BomExamples[] {
    {true, "\xEF\xBB\xBFOpen\r\nOpen\r\n", "", ExampleFile::Bytes},
    {false, "Open\r\n\xEF\xBB\xBFOpen\r\n", "", ExampleFile::Bytes},
};

constinit const RuleInfo Utf8Bom {
    RuleId::Utf8Bom, "utf8-bom", Severity::Warning, true, kOnBytes,
    "The dictionary starts with a UTF-8 byte-order mark.",
    "The dictionary starts with the bytes EF BB BF, the UTF-8 byte-order mark. Reported once, "
    "at line 1.",
    kUtf8BomExamples};

}  // namespace corvel::report::rules
