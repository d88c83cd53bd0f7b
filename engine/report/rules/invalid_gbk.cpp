#include "../line_kinds.h"
#include "corvel/report/rule_catalogue.h"
#include "encoding/line_findings.h"
#include "gbk_cells.h"

namespace corvel::report::rules {

namespace {

using encoding::ByteNote;

std::string describe(const ByteNote& note)
{
    const int shown = static_cast<int>(note.extra);
    const std::uint32_t v = note.value;
    if (note.encoding == TextEncoding::Gbk && shown == 4 &&
        encoding::isGb18030FourByte(v >> 24, v >> 16, v >> 8, v))
        return encoding::withCount(
            encoding::hexBytes(v, 4) +
                " is a GB18030 four-byte character, not GBK; use --encoding gb18030",
            note.count);
    const char* name = note.encoding == TextEncoding::Gb18030 ? "GB18030" : "GBK";
    const std::string bytes = encoding::hexBytes(v, shown);
    return encoding::withCount(shown == 1 ? "byte " + bytes + " is not " + name
                                          : bytes + " is not a " + name + " character",
                               note.count);
}

}  // namespace

constexpr RuleExample kInvalidGbkExamples[] {
    {true, "Open\r\n\xB4\xF2\xFF\r\n", "", ExampleFile::Bytes},
    {false, "Open\r\n\xB4\xF2\xBF\xAA\r\n", "", ExampleFile::Bytes},
};

constinit const RuleInfo InvalidGbk {
    RuleId::InvalidGbk, "invalid-gbk", Severity::Error, true, kOnBytes,
    "A byte sequence is not GBK.",
    "A byte sequence that is not a GBK character (with --encoding gb18030: not a GB18030 "
    "character). Reported at its column.",
    kInvalidGbkExamples,
    nullptr, nullptr, describe};

}  // namespace corvel::report::rules
