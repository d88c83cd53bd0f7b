#include "../pair_checks.h"
#include "../text_signs.h"

#include <cctype>
#include <cstring>

namespace corvel::report::rules {

namespace {

bool punctuation(char32_t c)
{
    return (c < 0x80 && std::strchr(".,;:!?\"')", static_cast<int>(c)) != nullptr && c != 0) ||
           (c >= 0x3000 && c <= 0x3011) || (c >= 0xFF01 && c <= 0xFF0F) ||
           (c >= 0xFF1A && c <= 0xFF20) || c == 0x2026 || c == 0x201D || c == 0x2019;
}

// A word of a text split at spaces, without the quotes and brackets that
// open it and the punctuation after it (ASCII, full-width or CJK); empty when it holds no letter (numbers,
// dashes and marks repeat rightly: "1 1", "- -").
bool openingMark(char32_t c)
{
    return c == '"' || c == '\'' || c == '(' || c == 0x201C || c == 0x2018 || c == 0x300C ||
           c == 0xFF08;
}

std::string_view word(std::string_view token, const gbk::CharSteps& steps)
{
    std::size_t begin = 0;
    std::size_t end = 0;
    bool letter = false;
    bool opening = true;  // still in the quotes and brackets that open it
    for (std::size_t i = 0; i < token.size();) {
        std::size_t length = 1;
        const char32_t c = markAt(token, i, steps, length);
        opening = opening && openingMark(c);
        i += length;
        if (opening)
            begin = i;
        else if (!punctuation(c))
            end = i;
        letter = letter || c >= 0x80 || std::isalpha(static_cast<int>(c)) != 0;
    }
    return letter && end > begin ? token.substr(begin, end - begin) : std::string_view {};
}

// ASCII letters folded to lower case; every other byte as it is (the C
// library's tolower is a call per byte, and this runs on every pair).
char folded(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameWord(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (folded(a[i]) != folded(b[i]))
            return false;
    return true;
}

// Calls visit(word, offset) for each word that repeats the word before it.
// Spaces are below every GBK trail byte, so splitting at them is safe.
template <typename Visit>
void forEachDoubled(std::string_view text, const gbk::CharSteps& steps, Visit visit)
{
    std::string_view previousToken;
    std::size_t start = 0;
    // One pass over the bytes, a token ending at each space or at the end.
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != ' ')
            continue;
        if (i > start) {
            const std::string_view token = text.substr(start, i - start);
            // Most neighbours differ in their first byte: only those that
            // do not are read as words.
            if (!previousToken.empty() && folded(token[0]) == folded(previousToken[0])) {
                const std::string_view current = word(token, steps);
                if (!current.empty() && sameWord(current, word(previousToken, steps)))
                    visit(current, start);
            }
            previousToken = token;
        }
        start = i + 1;
    }
}

void check(PairRuleContext& context, std::vector<Finding>& out)
{
    const PairText& pair = context.pair();
    const gbk::CharSteps steps(context.encoding());
    std::string_view doubled;
    std::size_t offset = 0;
    forEachDoubled(pair.translation, steps, [&](std::string_view w, std::size_t at) {
        if (doubled.empty()) {
            doubled = w;
            offset = at;
        }
    });
    if (doubled.empty())
        return;
    // A source that doubles a word itself ("bye bye", "Pew Pew!", "\"%s\"
    // \"%s\"") is rendered with a doubled word of its own.
    bool inSource = false;
    forEachDoubled(pair.source, steps, [&](std::string_view, std::size_t) { inSource = true; });
    if (inSource)
        return;
    Finding f = context.finding(RuleId::DoubledWord,
                                "the word " + quote(context.decoder().toUtf8(doubled)) +
                                    " is written twice in a row");
    context.setColumn(f, offset);
    out.push_back(std::move(f));
}

}  // namespace

constexpr RuleExample kDoubledWordExamples[] {
    {true, "Open the file", "打开 文件 文件"},
    {false, "Pew Pew!", "啾 啾！"},
};

constinit const RuleInfo DoubledWord {
    RuleId::DoubledWord, "doubled-word", Severity::Warning, true, kOnInnerSpace,
    "The translation repeats a word.",
    "Two words of the translation separated by spaces are the same (\"the the\", "
    "\"\u6587\u4ef6 \u6587\u4ef6\"), ignoring case, the quotes that open them and the "
    "punctuation after them, and the source repeats no word itself (\"Pew Pew!\" may be "
    "\u5549 \u5549\uff01). Numbers and marks may repeat; Chinese "
    "reduplication without a space (\u770b\u770b, \u5e38\u5e38) is a word of its own and not "
    "looked at. Reported at the repeated word.",
    kDoubledWordExamples,
    check};

}  // namespace corvel::report::rules
