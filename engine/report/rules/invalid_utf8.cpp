#include "../line_kinds.h"
#include "corvel/report/rule_catalogue.h"
#include "encoding/line_findings.h"

namespace corvel::report::rules {

namespace {

using encoding::ByteNote;

std::string describe(const ByteNote& note)
{
    return encoding::withCount(
        encoding::hexBytes(note.value, static_cast<int>(note.extra)) + " is not valid UTF-8",
        note.count);
}

}  // namespace

constexpr RuleExample kInvalidUtf8Examples[] {
    {true, "Open\r\n\xE6\x89\r\n", "", ExampleFile::Bytes, "--encoding utf-8"},
    {false, "Open\r\n打开\r\n", "", ExampleFile::Bytes, "--encoding utf-8"},
};

constinit const RuleInfo InvalidUtf8 {
    RuleId::InvalidUtf8, "invalid-utf8", Severity::Error, true, kOnBytes,
    "A byte sequence is not UTF-8.",
    "With --encoding utf-8 (or auto choosing UTF-8): a byte sequence that is not a UTF-8 "
    "character. Reported at its column.",
    kInvalidUtf8Examples,
    nullptr, nullptr, describe};

}  // namespace corvel::report::rules
