#include "../pair_checks.h"
#include "../text_signs.h"

#include <cctype>

namespace corvel::report::rules {

namespace {

enum class EndMark { None, Question, Exclamation, Colon, Ellipsis, FullStop };

EndMark markOf(char32_t last, char32_t before)
{
    switch (last) {
    case '?': case 0xFF1F: case 0xFE56: return EndMark::Question;
    case '!': case 0xFF01: case 0xFE57: return EndMark::Exclamation;
    case ':': case 0xFF1A: case 0xFE55: return EndMark::Colon;
    case 0x2026: case 0x22EF: return EndMark::Ellipsis;
    case '.': return before == '.' ? EndMark::Ellipsis : EndMark::FullStop;
    case 0x3002: case 0xFF0E: return EndMark::FullStop;
    default: return EndMark::None;
    }
}

struct Ending {
    EndMark mark = EndMark::None;
    std::size_t end = 0;  // the offset just after the last character that is no noise
};

// The mark a text ends in, its full-width and CJK forms read as the
// half-width one (？ for ?, 。 for ., … and ⋯ for ...), seen through the
// trailing blanks (ideographic space too), escaped line breaks and closing
// tags. One pass from the start: GBK cannot be read backwards.
Ending ending(std::string_view text, const gbk::CharSteps& steps)
{
    char32_t last = kOtherChar;
    char32_t before = kOtherChar;
    Ending e;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 1;
        const char32_t c = markAt(text, i, steps, length);
        if (c == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == 'r')) {
            i += 2;  // an escaped line break
            continue;
        }
        if (c == '<' && i + 1 < text.size() && text[i + 1] == '/') {
            const std::size_t close = text.find('>', i);
            if (close != std::string_view::npos) {
                i = close + 1;  // a closing tag
                continue;
            }
        }
        i += length;
        if (c == ' ' || c == '\t' || c == 0x3000)
            continue;
        before = last;
        last = c;
        e.end = i;
    }
    e.mark = markOf(last, before);
    return e;
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

bool holdsAlnum(std::string_view text)
{
    for (char c : text)
        if (std::isalnum(static_cast<unsigned char>(c)))
            return true;
    return false;
}

void check(PairRuleContext& context, std::vector<Finding>& out)
{
    const gbk::CharSteps steps(context.encoding());
    const PairText& pair = context.pair();
    const EndMark source = ending(pair.source, steps).mark;
    if (source == EndMark::None || !holdsAlnum(pair.source))
        return;  // a sign alone ("!", "?") is an operator or a symbol, not a sentence's end
    const Ending translation = ending(pair.translation, steps);
    if (!mismatched(source, translation.mark))
        return;
    Finding f = context.finding(RuleId::EndPunctuationMismatch,
                                std::string("the source ends with ") + describe(source) +
                                    ", the translation with " + describe(translation.mark));
    context.setColumn(f, translation.end);
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
    "full stop (a label) is not flagged, nor is a source of signs alone. Trailing blanks, escaped line breaks and closing "
    "tags are looked through. Reported at the end of the translation.",
    check};

}  // namespace corvel::report::rules
