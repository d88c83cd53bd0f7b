#include "whitespace_rule.h"

#include "gbk_chars.h"

#include <string>

namespace corvel::report {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view leadingBlanks(std::string_view text)
{
    std::size_t n = 0;
    while (n < text.size() && isBlank(text[n]))
        ++n;
    return text.substr(0, n);
}

// Spaces and tabs are below every GBK trail byte, so the end of a text can
// be read backwards.
std::string_view trailingBlanks(std::string_view text)
{
    std::size_t n = text.size();
    while (n > 0 && isBlank(text[n - 1]))
        --n;
    return text.substr(n);
}

// The full-width counterpart of a half-width mark, or 0.
std::uint16_t fullwidthMark(char mark)
{
    switch (mark) {
    case ':': return gbk::kFullwidthColon;
    case '.': return gbk::kFullStop;
    case ',': return gbk::kFullwidthComma;
    case '!': return gbk::kFullwidthExclamation;
    case '?': return gbk::kFullwidthQuestion;
    default: return 0;
    }
}

// The last character of `text` when it is a double-byte one, or 0.
std::uint16_t lastWide(std::string_view text, const gbk::CharSteps& steps)
{
    std::size_t i = 0;
    std::uint16_t last = 0;
    while (i < text.size()) {
        std::size_t length = steps.length(text, i);
        last = length > 1 ? steps.wideAt(text, i) : 0;
        i += length;
    }
    return last;
}

bool onlySpaces(std::string_view blanks)
{
    return !blanks.empty() && blanks.find('\t') == std::string_view::npos;
}

// `text` without the markup tags at its end ("<b>Name:</b>" -> "<b>Name:").
// '<' and '>' are below every GBK trail byte, so this reads backwards.
std::string_view withoutClosingTags(std::string_view text)
{
    while (!text.empty() && text.back() == '>') {
        const std::size_t open = text.rfind('<');
        if (open == std::string_view::npos)
            break;
        text = text.substr(0, open);
    }
    return text;
}

// "Name: " against "名称：", also through the tags that close them
// ("<b>Warning:</b> " against "<b>警告：</b>").
bool fullwidthMarkEnding(std::string_view source, std::string_view sourceTrailing,
                         std::string_view translation, std::string_view translationTrailing,
                         const gbk::CharSteps& steps)
{
    if (!translationTrailing.empty() || !onlySpaces(sourceTrailing))
        return false;
    const std::string_view sourceText =
        withoutClosingTags(source.substr(0, source.size() - sourceTrailing.size()));
    if (sourceText.empty())
        return false;
    std::uint16_t wanted = fullwidthMark(sourceText.back());
    return wanted != 0 && lastWide(withoutClosingTags(translation), steps) == wanted;
}

}  // namespace

std::optional<WhitespaceDifference> compareWhitespace(std::string_view source,
                                                      std::string_view translation,
                                                      TextEncoding encoding)
{
    auto blankEnds = [](std::string_view t) {
        return !t.empty() && (isBlank(t.front()) || isBlank(t.back()));
    };
    if (!blankEnds(source) && !blankEnds(translation))
        return std::nullopt;  // the usual pair
    WhitespaceDifference d;
    d.sourceLeading = leadingBlanks(source);
    d.translationLeading = leadingBlanks(translation);
    // A text of blanks only has them at its start, not at both ends.
    d.sourceTrailing = d.sourceLeading.size() == source.size() ? std::string_view {}
                                                               : trailingBlanks(source);
    d.translationTrailing = d.translationLeading.size() == translation.size()
                                ? std::string_view {}
                                : trailingBlanks(translation);
    d.leading = d.sourceLeading != d.translationLeading;
    d.trailing = d.sourceTrailing != d.translationTrailing &&
                 !fullwidthMarkEnding(source, d.sourceTrailing, translation,
                                      d.translationTrailing, gbk::CharSteps(encoding));
    if (!d.leading && !d.trailing)
        return std::nullopt;
    return d;
}

std::string describeWhitespace(std::string_view blanks)
{
    std::size_t spaces = 0;
    std::size_t tabs = 0;
    for (char c : blanks)
        (c == '\t' ? tabs : spaces)++;
    if (spaces == 0 && tabs == 0)
        return "none";
    auto count = [](std::size_t n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    if (tabs == 0)
        return count(spaces, "space", "spaces");
    if (spaces == 0)
        return count(tabs, "tab", "tabs");
    return count(spaces, "space", "spaces") + " and " + count(tabs, "tab", "tabs");
}

}  // namespace corvel::report
