#include "../line_kinds.h"
#include "corvel/report/rule_catalogue.h"
#include "encoding/line_findings.h"

namespace corvel::report::rules {

namespace {

using encoding::ByteNote;

std::string describe(const ByteNote& note)
{
    if ((note.value & encoding::kLittleEndian) != 0)
        return (note.value & encoding::kWithBom) != 0
                   ? "the file is UTF-16 (little-endian, byte-order mark FF FE): its lines cannot "
                     "be read; save it as GBK or UTF-8"
                   : "the file looks like UTF-16 (little-endian: NUL bytes between its ASCII "
                     "bytes): its lines cannot be read; save it as GBK or UTF-8";
    return (note.value & encoding::kWithBom) != 0
               ? "the file is UTF-16 (big-endian, byte-order mark FE FF): its lines cannot be "
                 "read; save it as GBK or UTF-8"
               : "the file looks like UTF-16 (big-endian: NUL bytes before its ASCII bytes): its "
                 "lines cannot be read; save it as GBK or UTF-8";
}

}  // namespace

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
    kUtf16Examples,
    nullptr, nullptr, describe};

}  // namespace corvel::report::rules
