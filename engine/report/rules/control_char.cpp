#include "../pair_checks.h"
#include "../text_marks.h"
#include "encoding/line_findings.h"

#include <cstdio>

namespace corvel::report::rules {

namespace {

// The control bytes are the byte scan's; the invisible controls of UTF-8
// are characters, which it does not decode.
void check(PairRuleContext& context, std::vector<Finding>& out)
{
    if (context.encoding() != TextEncoding::Utf8)
        return;
    const PairText& pair = context.pair();
    auto control = findNewInvisibleControl(pair.source, pair.translation);
    if (!control)
        return;
    char code[12];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(control->code));
    Finding f = context.finding(RuleId::ControlChar,
                                std::string("invisible control character ") + code +
                                    " in the translation, which its source does not hold");
    context.setColumn(f, control->offset);
    out.push_back(std::move(f));
}

// A control byte the byte scan found in the translation.
std::string describe(const encoding::ByteNote& note)
{
    return encoding::withCount("control byte " + encoding::hexBytes(note.value, 1) +
                                   " in the translation, which its source does not hold",
                               note.count);
}

}  // namespace

constexpr RuleExample kControlCharExamples[] {
    {true, "Bold", "粗\x02" "体"},
    {false, "\x02" "Bold\x02", "\x02" "粗体\x02"},
};

constinit const RuleInfo ControlChar {
    RuleId::ControlChar, "control-char", Severity::Warning, true, kOnBytes | kOnMarks,
    "The translation holds a control byte that its source does not.",
    "A control byte other than TAB in a translation whose source does not hold it; under "
    "UTF-8 also the invisible controls (C1 controls U+0080..U+009F, the line and paragraph "
    "separators and the bidi controls such as U+202E). A control in both is formatting (such "
    "as IRC colour codes) and is not flagged.",
    kControlCharExamples,
    check, nullptr, describe};

}  // namespace corvel::report::rules
