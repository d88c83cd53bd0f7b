#include "../pair_checks.h"
#include "../text_signs.h"

namespace corvel::report::rules {

namespace {

enum class EndMark { None, Question, Exclamation, Colon, Ellipsis, FullStop };

// The mark a text ends in, its full-width and CJK forms read as the
// half-width one (？ for ?, 。 for ., … and ⋯ for ...).
EndMark endMark(std::string_view text, const gbk::CharSteps& steps)
{
    std::size_t offset = 0;
    switch (lastMark(text, steps, offset)) {
    case '?': case 0xFF1F: case 0xFE56: return EndMark::Question;
    case '!': case 0xFF01: case 0xFE57: return EndMark::Exclamation;
    case ':': case 0xFF1A: case 0xFE55: return EndMark::Colon;
    case 0x2026: case 0x22EF: return EndMark::Ellipsis;
    case '.':
        return offset > 0 && text[offset - 1] == '.' ? EndMark::Ellipsis : EndMark::FullStop;
    case 0x3002: case 0xFF0E: return EndMark::FullStop;
    default: return EndMark::None;
    }
}

const char* describe(EndMark mark)
{
    switch (mark) {
    case EndMark::Question: return "a question mark";
    case EndMark::Exclamation: return "an exclamation mark";
    case EndMark::Colon: return "a colon";
    case EndMark::Ellipsis: return "an ellipsis";
    case EndMark::FullStop: return "a full stop";
    case EndMark::None: break;
    }
    return "no mark";
}

// Whether the translation's ending is a fault for the source's. A Chinese
// label drops the final full stop and may soften "!" to "。", so only a
// question, colon or ellipsis turned into something else, a dropped "!",
// and a full stop turned into a question or a colon count.
bool mismatched(EndMark source, EndMark translation)
{
    if (source == translation)
        return false;
    switch (source) {
    case EndMark::Question:
    case EndMark::Colon:
    case EndMark::Ellipsis: return true;
    case EndMark::Exclamation: return translation != EndMark::FullStop;
    case EndMark::FullStop:
        return translation == EndMark::Question || translation == EndMark::Colon;
    case EndMark::None: break;
    }
    return false;
}

void check(PairRuleContext& context, std::vector<Finding>& out)
{
    const gbk::CharSteps steps(context.encoding());
    const PairText& pair = context.pair();
    const EndMark source = endMark(withoutTrailingNoise(pair.source, steps), steps);
    const std::string_view translationText = withoutTrailingNoise(pair.translation, steps);
    const EndMark translation = endMark(translationText, steps);
    if (!mismatched(source, translation))
        return;
    Finding f = context.finding(RuleId::EndPunctuationMismatch,
                                std::string("the source ends with ") + describe(source) +
                                    ", the translation with " + describe(translation));
    context.setColumn(f, translationText.size());
    out.push_back(std::move(f));
}

}  // namespace

constinit const RuleInfo EndPunctuationMismatch {
    RuleId::EndPunctuationMismatch, "end-punctuation-mismatch", Severity::Warning, true,
    kOnEndMark,
    "The translation does not end with the source's end punctuation.",
    "The source ends with a question mark, a colon or an ellipsis and the translation does not "
    "end with the same mark, or the source ends with \"!\" and the translation with neither "
    "\"!\" nor a full stop, or the source ends with \".\" and the translation with a question "
    "mark or a colon. Full-width and CJK forms are the same marks (\uff1f for ?, \uff01 for !, "
    "\uff1a for :, \u3002 for ., \u2026 and \u22ef for ...). A translation that drops a final "
    "full stop (a label) is not flagged. Trailing blanks, escaped line breaks and closing "
    "tags are looked through. Reported at the end of the translation.",
    check};

}  // namespace corvel::report::rules
