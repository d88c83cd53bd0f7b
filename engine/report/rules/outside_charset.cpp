#include "../line_kinds.h"
#include "corvel/report/rule_catalogue.h"
#include "encoding/line_findings.h"

#include <cstdio>

namespace corvel::report::rules {

namespace {

using encoding::ByteNote;

// `value`: the code point (UTF-8) or the bytes of the character.
std::string describe(const ByteNote& note)
{
    std::string what;
    if (note.encoding == TextEncoding::Utf8) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(note.value));
        what = buf;
    } else {
        what = encoding::hexBytes(note.value, static_cast<int>(note.extra));
    }
    return encoding::withCount(
        what + " is not in GB2312: a font of GB2312 only shows it as a box or '?'", note.count);
}

}  // namespace

constexpr RuleExample kOutsideCharsetExamples[] {
    {true, "Open", "開啟", ExampleFile::LinePairs, "--charset gb2312"},
    {false, "Open", "打开", ExampleFile::LinePairs, "--charset gb2312"},
};

constinit const RuleInfo OutsideCharset {
    RuleId::OutsideCharset, "outside-charset", Severity::Warning, false, kOnBytes,
    "A character lies outside GB2312.",
    "Only with --charset gb2312: a character that GB2312 does not hold, which fonts covering "
    "only GB2312 show as a box or ?.",
    kOutsideCharsetExamples,
    nullptr, nullptr, describe};

}  // namespace corvel::report::rules
