#include "../line_kinds.h"
#include "corvel/report/rule_catalogue.h"
#include "encoding/line_findings.h"

namespace corvel::report::rules {

namespace {

using encoding::ByteNote;

std::string describe(const ByteNote&)
{
    return "the file is UTF-8 (its multibyte characters start here) but is read as GBK; use "
           "--encoding utf-8";
}

}  // namespace

constexpr RuleExample kUtf8TextExamples[] {
    {true, "Open\r\n打开\r\n", "", ExampleFile::Bytes},
    {false, "Open\r\n打开\r\n", "", ExampleFile::Bytes, "--encoding utf-8"},
};

constinit const RuleInfo Utf8Text {
    RuleId::Utf8Text, "utf8-text", Severity::Error, true, kOnBytes,
    "The dictionary is UTF-8 text, read as GBK.",
    "The dictionary is read as GBK but is valid UTF-8 holding multibyte characters. Reported "
    "once, at the first such line, with a hint to use --encoding utf-8.",
    kUtf8TextExamples,
    nullptr, nullptr, describe};

}  // namespace corvel::report::rules
