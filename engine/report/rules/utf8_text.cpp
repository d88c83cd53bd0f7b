#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

constexpr RuleExample kUtf8TextExamples[] {
    {true, "Open\r\n打开\r\n", "", ExampleFile::Bytes},
    {false, "Open\r\n打开\r\n", "", ExampleFile::Bytes, "--encoding utf-8"},
};

constinit const RuleInfo Utf8Text {
    RuleId::Utf8Text, "utf8-text", Severity::Error, true, kOnBytes,
    "The dictionary is UTF-8 text, read as GBK.",
    "The dictionary is read as GBK but is valid UTF-8 holding multibyte characters. Reported "
    "once, at the first such line, with a hint to use --encoding utf-8.",
    kUtf8TextExamples};

}  // namespace corvel::report::rules
