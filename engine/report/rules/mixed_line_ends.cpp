#include "../line_kinds.h"
#include "corvel/report/rule_catalogue.h"
#include "encoding/line_findings.h"

namespace corvel::report::rules {

namespace {

using encoding::ByteNote;

const char* lineEndName(std::uint32_t kind)
{
    switch (static_cast<encoding::LineEndKind>(kind)) {
    case encoding::LineEndKind::CrLf: return "CR LF";
    case encoding::LineEndKind::Cr: return "a lone CR";
    case encoding::LineEndKind::Lf: return "a lone LF";
    case encoding::LineEndKind::None: break;
    }
    return "nothing";
}

// `value`: the file's first line end; `extra`: this line's.
std::string describe(const ByteNote& note)
{
    return std::string("this line ends with ") + lineEndName(note.extra) +
           ", the lines before with " + lineEndName(note.value);
}

}  // namespace

constexpr RuleExample kMixedLineEndsExamples[] {
    {true, "Open\r\nOpen\rSave\r\nSave\r\n", "", ExampleFile::Bytes},
    {false, "Open\rOpen\rSave\rSave\r", "", ExampleFile::Bytes},
};

constinit const RuleInfo MixedLineEnds {
    RuleId::MixedLineEnds, "mixed-line-ends", Severity::Warning, true, kOnBytes,
    "The dictionary mixes CR LF and lone CR line ends.",
    "The dictionary ends some lines with CR LF and others with a lone CR.",
    kMixedLineEndsExamples,
    nullptr, nullptr, describe};

}  // namespace corvel::report::rules
