#include "../line_kinds.h"
#include "corvel/report/rule_catalogue.h"
#include "encoding/line_findings.h"

namespace corvel::report::rules {

namespace {

using encoding::ByteNote;

std::string describe(const ByteNote& note)
{
    return note.encoding != TextEncoding::Utf8
               ? "the file starts with a UTF-8 byte-order mark, which read as GBK is text of "
                 "line 1; use --encoding utf-8"
               : "the file starts with a UTF-8 byte-order mark (not part of line 1); programs "
                 "that expect none read it as text";
}

}  // namespace

constexpr RuleExample kUtf8BomExamples[] {
    {true, "\xEF\xBB\xBFOpen\r\nOpen\r\n", "", ExampleFile::Bytes},
    {false, "Open\r\n\xEF\xBB\xBFOpen\r\n", "", ExampleFile::Bytes},
};

constinit const RuleInfo Utf8Bom {
    RuleId::Utf8Bom, "utf8-bom", Severity::Warning, true, kOnBytes,
    "The dictionary starts with a UTF-8 byte-order mark.",
    "The dictionary starts with the bytes EF BB BF, the UTF-8 byte-order mark. Reported once, "
    "at line 1.",
    kUtf8BomExamples,
    nullptr, nullptr, describe};

}  // namespace corvel::report::rules
