#include "../pair_checks.h"
#include "../text_signs.h"

#include <array>
#include <cctype>

namespace corvel::report::rules {

namespace {

// Round brackets ( ) and （ ）; square ones [ ] ［ ］, and the CJK 【 】 〔 〕 〖 〗
// that a translator writes for them.
enum Family : std::size_t { kRound, kSquare, kFamilies };

struct Balance {
    std::array<int, kFamilies> open {};
    std::array<int, kFamilies> close {};
};

bool quoteMark(char32_t c)
{
    return c == '\'' || c == '"' || c == 0x201C || c == 0x201D || c == 0x2018 || c == 0x2019 ||
           c == 0x300C || c == 0x300D;
}

// Whether the ';' before `at` ends a character entity (&rdquo;, &#8221;):
// then a ')' after it closes a bracket rather than draw a smiley.
bool afterEntity(std::string_view text, std::size_t at)
{
    std::size_t k = at - 1;  // the ';'
    while (k > 0 && (std::isalnum(static_cast<unsigned char>(text[k - 1])) || text[k - 1] == '#'))
        --k;
    return k > 0 && k < at - 1 && text[k - 1] == '&';
}

// The end of a printf conversion with a name, "%(name)s", at `at`; `at`
// when there is none. Its brackets hold the name, not a remark.
std::size_t skipNamedConversion(std::string_view text, std::size_t at)
{
    if (text[at] != '%' || at + 1 >= text.size() || text[at + 1] != '(')
        return at;
    std::size_t k = at + 2;
    while (k < text.size() && (std::isalnum(static_cast<unsigned char>(text[k])) || text[k] == '_'))
        ++k;
    if (k == at + 2 || k + 1 >= text.size() || text[k] != ')' ||
        !std::isalpha(static_cast<unsigned char>(text[k + 1])))
        return at;
    return k + 2;
}

Balance balance(std::string_view text, const gbk::CharSteps& steps)
{
    Balance b;
    char32_t previous = kOtherChar;
    for (std::size_t i = 0; i < text.size();) {
        if (const std::size_t end = skipNamedConversion(text, i); end != i) {
            i = end;
            previous = kOtherChar;
            continue;
        }
        std::size_t length = 1;
        const char32_t c = markAt(text, i, steps, length);
        std::size_t nextLength = 1;
        const char32_t next = i + length < text.size() ? markAt(text, i + length, steps, nextLength)
                                                       : kOtherChar;
        // A bracket named between quotes ('[', “]”) opens and closes nothing.
        const bool quoted = quoteMark(previous) && quoteMark(next);
        previous = c;
        if (quoted) {
            i += length;
            continue;
        }
        switch (c) {
        case '(': case 0xFF08: ++b.open[kRound]; break;
        case ')':
            // The mouth of a smiley, ":)", ";)" or ":-)", closes nothing.
            if (!(i > 0 && (text[i - 1] == ':' || (text[i - 1] == ';' && !afterEntity(text, i)) ||
                            (text[i - 1] == '-' && i > 1 && text[i - 2] == ':'))))
                ++b.close[kRound];
            break;
        case 0xFF09: ++b.close[kRound]; break;
        case '[': case 0xFF3B: case 0x3010: case 0x3014: case 0x3016: ++b.open[kSquare]; break;
        case ']': case 0xFF3D: case 0x3011: case 0x3015: case 0x3017: ++b.close[kSquare]; break;
        default: break;
        }
        i += length;
    }
    return b;
}

void check(PairRuleContext& context, std::vector<Finding>& out)
{
    const gbk::CharSteps steps(context.encoding());
    const Balance source = balance(context.pair().source, steps);
    const Balance translation = balance(context.pair().translation, steps);
    static const char* const kNames[kFamilies] = {"round", "square"};
    std::string message;
    for (std::size_t f = 0; f < kFamilies; ++f) {
        // Brackets a translation drops as a pair are rephrasing, not a fault.
        const int sourceOpen = source.open[f] - source.close[f];
        const int translationOpen = translation.open[f] - translation.close[f];
        if (sourceOpen == translationOpen)
            continue;
        message += (message.empty() ? "" : "; ") + std::string(kNames[f]) +
                   " brackets: the source opens " + std::to_string(source.open[f]) +
                   " and closes " + std::to_string(source.close[f]) +
                   ", the translation opens " + std::to_string(translation.open[f]) +
                   " and closes " + std::to_string(translation.close[f]);
    }
    if (!message.empty())
        out.push_back(context.finding(RuleId::BracketMismatch, std::move(message)));
}

}  // namespace

constexpr RuleExample kBracketMismatchExamples[] {
    {true, "Open (read-only)", "打开（只读"},
    {false, "Open (read-only)", "打开只读"},
};

constinit const RuleInfo BracketMismatch {
    RuleId::BracketMismatch, "bracket-mismatch", Severity::Warning, true, kOnBracket,
    "A bracket of the source is left open or unmatched in the translation.",
    "Where the source holds round or square brackets, the translation's opening and closing "
    "brackets of each kind do not leave the same number open as the source's (an opening "
    "bracket without its closing one, or the reverse). Full-width and CJK brackets are the "
    "same brackets: \uff08 \uff09 for ( ), \uff3b \uff3d \u3010 \u3011 \u3014 \u3015 "
    "\u3016 \u3017 for [ ]. A translation that drops or adds a whole pair of brackets is "
    "rephrasing and is not flagged, nor is a smiley's \":)\" taken for a bracket (a \")\" after "
    "an entity such as &rdquo; is one), nor the brackets of a named conversion (%(name)s) or "
    "a bracket named between quotes ('[').",
    kBracketMismatchExamples,
    check};

}  // namespace corvel::report::rules
