#include "corvel/report/rule_catalogue.h"

namespace corvel::report::rules {

using namespace std::string_view_literals;

constexpr RuleExample kUtf16Examples[] {
    {true, "\xFF\xFEO\0p\0e\0n\0\r\0\n\0"sv, "", ExampleFile::Bytes},
    {false, "Open\r\nOpen\0\r\n"sv, "", ExampleFile::Bytes},
};

constinit const RuleInfo Utf16 {
    RuleId::Utf16, "utf16", Severity::Error, true, kOnBytes,
    "The dictionary is UTF-16 text.",
    "The dictionary starts with a UTF-16 byte-order mark or shows the NUL bytes of UTF-16 "
    "text. Reported once, at line 1.",
    kUtf16Examples};

}  // namespace corvel::report::rules
