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

// A character read as no mark beyond ASCII: kOtherChar in GBK, a Han
// character's code point in UTF-8.
bool chinese(char32_t c)
{
    return c == kOtherChar || (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0x20000 && c < kOtherChar);
}

struct Ending {
    EndMark mark = EndMark::None;
    bool asciiQuestionAfterWide = false;  // ends in "?" right after a character beyond ASCII
    std::size_t end = 0;  // the offset just after the last character that is no noise
    bool ellipsisInside = false;  // an ellipsis before the end
};

// The length of a menu's access key written after its text, "(&S)",
// "(_S)" or with full-width brackets, at `i`; 0 when there is none. A
// translation puts it after the mark the source ends with ("保存(&S)..." or
// "保存...(&S)").
std::size_t accessKeyAt(std::string_view text, std::size_t i, const gbk::CharSteps& steps)
{
    std::size_t length = 1;
    const char32_t open = markAt(text, i, steps, length);
    if (open != '(' && open != 0xFF08)
        return 0;
    std::size_t k = i + length;
    if (k + 1 >= text.size() || (text[k] != '&' && text[k] != '_') ||
        !std::isalnum(static_cast<unsigned char>(text[k + 1])))
        return 0;
    k += 2;
    const char32_t close = k < text.size() ? markAt(text, k, steps, length) : kOtherChar;
    if (close != ')' && close != 0xFF09)
        return 0;
    return k + length - i;
}

// The mark a text ends in, its full-width and CJK forms read as the
// half-width one (？ for ?, 。 for ., … and ⋯ for ...), seen through the
// trailing blanks (ideographic space too), escaped line breaks and closing
// tags. One pass from the start: GBK cannot be read backwards.
Ending ending(std::string_view text, const gbk::CharSteps& steps)
{
    char32_t last = kOtherChar;
    char32_t before = kOtherChar;
    bool lastWide = false;  // the last character is one beyond ASCII
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
        if (const std::size_t key = accessKeyAt(text, i, steps); key > 0) {
            i += key;
            continue;
        }
        i += length;
        if (c == ' ' || c == '\t' || c == 0x3000)
            continue;
        if (markOf(last, before) == EndMark::Ellipsis && markOf(c, last) != EndMark::Ellipsis &&
            c != '.')
            e.ellipsisInside = true;
        e.asciiQuestionAfterWide = c == '?' && lastWide && chinese(last);
        before = last;
        last = c;
        lastWide = length > 1;
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

// Whether a text reads as a sentence rather than a title or a menu item:
// three words or more, one after the first in lower case ("Game Over!" and
// "Save All!" are titles, "You have won the game!" a sentence).
bool sentence(std::string_view text)
{
    std::size_t words = 0;
    bool lowerAfterFirst = false;
    bool inWord = false;
    for (char c : text) {
        const bool letter = std::isalpha(static_cast<unsigned char>(c)) != 0;
        if (letter && !inWord) {
            lowerAfterFirst = lowerAfterFirst || (words > 0 && std::islower(static_cast<unsigned char>(c)));
            ++words;
        }
        inWord = letter || (inWord && c == '\'');
    }
    return words >= 3 && lowerAfterFirst;
}

// Whether the translation's ending is a fault for the source's. A Chinese
// label drops the final full stop and may soften "!" to "。", so only a
// question, colon or ellipsis turned into something else, a dropped "!"
// of a sentence, and a full stop turned into a question or a colon count.
// An ellipsis that the word order moved inside the translation
// ("Load from..." as "从...载入") is still there.
bool mismatched(EndMark source, const Ending& translation, std::string_view sourceText)
{
    if (source == translation.mark)
        return false;
    switch (source) {
    case EndMark::Question:
    case EndMark::Colon: return true;
    case EndMark::Ellipsis: return !translation.ellipsisInside;
    case EndMark::Exclamation:
        return translation.mark != EndMark::FullStop && sentence(sourceText);
    case EndMark::FullStop:
        return translation.mark == EndMark::Question || translation.mark == EndMark::Colon;
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
    const Ending translation = ending(pair.translation, steps);
    // A "?" right after a Chinese character that no question of the
    // source explains: the mark GBK writes for a character it cannot hold,
    // the end of the text lost ("笑笑?").
    if (translation.asciiQuestionAfterWide && source != EndMark::Question &&
        source != EndMark::FullStop) {
        Finding f = context.finding(RuleId::EndPunctuationMismatch,
                                    "the translation ends with \"?\" after a Chinese character, "
                                    "the source with " + std::string(describe(source)) +
                                        ": a character lost in a conversion?");
        context.setColumn(f, translation.end - 1);
        out.push_back(std::move(f));
        return;
    }
    if (source == EndMark::None || !holdsAlnum(pair.source))
        return;  // a sign alone ("!", "?") is an operator or a symbol, not a sentence's end
    if (!mismatched(source, translation, pair.source))
        return;
    Finding f = context.finding(RuleId::EndPunctuationMismatch,
                                std::string("the source ends with ") + describe(source) +
                                    ", the translation with " + describe(translation.mark));
    context.setColumn(f, translation.end);
    out.push_back(std::move(f));
}

}  // namespace

constexpr RuleExample kEndPunctuationMismatchExamples[] {
    {true, "Are you sure?", "你确定吗"},
    {false, "Are you sure?", "你确定吗？"},
};

constinit const RuleInfo EndPunctuationMismatch {
    RuleId::EndPunctuationMismatch, "end-punctuation-mismatch", Severity::Warning, true,
    kOnEndMark,
    "The translation does not end with the source's end punctuation.",
    "The source ends with a question mark, a colon or an ellipsis and the translation does not "
    "end with the same mark (an ellipsis the word order moved inside the translation counts as "
    "kept), or the source is a sentence that ends with \"!\" and the translation ends with "
    "neither \"!\" nor a full stop (a title or a menu item may drop it), or the source ends "
    "with \".\" and the translation with a question mark or a colon, or the translation ends in "
    "a half-width \"?\" right after a Chinese character where the source ends in no question "
    "(a character lost in a conversion). A menu's access key "
    "after the mark (\u4fdd\u5b58\uff1a(&S)) is looked through. Full-width and CJK forms are the same marks (\uff1f for ?, \uff01 for !, "
    "\uff1a for :, \u3002 for ., \u2026 and \u22ef for ...). A translation that drops a final "
    "full stop is deliberately not flagged (Chinese labels and short messages drop it), nor is a source of signs alone. Trailing blanks, escaped line breaks and closing "
    "tags are looked through. Reported at the end of the translation.",
    kEndPunctuationMismatchExamples,
    check};

}  // namespace corvel::report::rules
