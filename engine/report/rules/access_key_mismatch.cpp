#include "../pair_checks.h"

namespace corvel::report::rules {

namespace {

bool asciiLetterOrDigit(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// The offset of an access-key mark ('_' or '&') right before a character
// beyond ASCII, or npos; found by stepping through the characters (a GBK
// trail byte may be '_').
std::size_t markBeforeWide(std::string_view text, const gbk::CharSteps& steps)
{
    bool afterWord = false;
    for (std::size_t i = 0; i + 1 < text.size();) {
        const std::size_t length = steps.length(text, i);
        if (length == 1 && (text[i] == '_' || text[i] == '&') && !afterWord &&
            static_cast<unsigned char>(text[i + 1]) >= 0x80)
            return i;
        afterWord = length == 1 && asciiLetterOrDigit(text[i]);
        i += length;
    }
    return std::string_view::npos;
}

// Whether the source marks an access key: '_' or '&' before a letter or
// digit, not doubled ("&&") and not an entity ("&amp;").
bool sourceMarksKey(std::string_view text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if ((text[i] != '_' && text[i] != '&') || !asciiLetterOrDigit(text[i + 1]) ||
            (i > 0 && (text[i - 1] == text[i] || asciiLetterOrDigit(text[i - 1]))))
            continue;
        if (text[i] == '&' && text.find(';', i) != std::string_view::npos &&
            text.find(';', i) - i < 10 && text.find(' ', i) > text.find(';', i))
            continue;  // an entity
        return true;
    }
    return false;
}

void check(PairRuleContext& context, std::vector<Finding>& out)
{
    const PairText& pair = context.pair();
    const std::size_t at = markBeforeWide(pair.translation, gbk::CharSteps(context.encoding()));
    if (at == std::string_view::npos || !sourceMarksKey(pair.source))
        return;
    Finding f = context.finding(
        RuleId::AccessKeyMismatch,
        std::string("the access key \"") + pair.translation[at] +
            "\" marks a Chinese character, which no keyboard types: write the source's letter "
            "after the text, as (" + pair.translation[at] + "X)");
    context.setColumn(f, at);
    out.push_back(std::move(f));
}

}  // namespace

constexpr RuleExample kAccessKeyMismatchExamples[] {
    {true, "_Edit", "_编辑"},
    {false, "_Edit", "编辑(_E)"},
};

constinit const RuleInfo AccessKeyMismatch {
    RuleId::AccessKeyMismatch, "access-key-mismatch", Severity::Warning, true, kOnPlaceholder,
    "The translation's access key marks a Chinese character.",
    "The source marks a menu's access key with \"_\" or \"&\" before a letter (_Edit, &Open), "
    "and the translation puts the mark before a Chinese character (_\u7f16\u8f91), which no "
    "keyboard types; a Chinese menu writes the letter after its text (\u7f16\u8f91(_E)). "
    "Reported at the mark.",
    kAccessKeyMismatchExamples,
    check};

}  // namespace corvel::report::rules
