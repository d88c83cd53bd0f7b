#include "whitespace_rule.h"

#include "report/gbk_chars.h"

#include <string>

namespace corvel::report {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The bytes of the ideographic space U+3000 in the dictionary's encoding.
std::string_view ideographicSpace(bool utf8)
{
    return utf8 ? std::string_view("\xE3\x80\x80") : std::string_view("\xA1\xA1");
}

// Spaces, tabs and ideographic spaces at the start of `text`.
std::string_view leadingBlanks(std::string_view text, bool utf8)
{
    const std::string_view wide = ideographicSpace(utf8);
    std::size_t n = 0;
    while (n < text.size()) {
        if (isBlank(text[n]))
            ++n;
        else if (text.substr(n).starts_with(wide))
            n += wide.size();
        else
            break;
    }
    return text.substr(0, n);
}

// The same at the end. Spaces and tabs are below every GBK trail byte, so
// they are read backwards; an ideographic space is taken only where a
// character starts (a GBK 0xA1 may also end another character).
std::string_view trailingBlanks(std::string_view text, const gbk::CharSteps& steps)
{
    const std::string_view wide = ideographicSpace(steps.utf8());
    std::size_t n = text.size();
    for (;;) {
        while (n > 0 && isBlank(text[n - 1]))
            --n;
        if (n < wide.size() || text.substr(n - wide.size(), wide.size()) != wide)
            break;
        if (!steps.utf8()) {
            std::size_t i = 0;
            while (i < n - wide.size())
                i += steps.length(text, i);
            if (i != n - wide.size())
                break;
        }
        n -= wide.size();
    }
    return text.substr(n);
}

// Whether the translation starts with a character beyond ASCII: a Chinese
// word or a full-width bracket needs no space before it where the source
// starts with one space to stand apart from a number or a word before it
// (" min" as 分钟, " (old)" as （旧的）). An indent of more is layout.
bool startsWide(std::string_view translation)
{
    return !translation.empty() && static_cast<unsigned char>(translation[0]) >= 0x80;
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
    const gbk::CharSteps steps(encoding);
    const std::string_view wide = ideographicSpace(steps.utf8());
    auto blankEnds = [&](std::string_view t) {
        return !t.empty() && (isBlank(t.front()) || isBlank(t.back()) || t.starts_with(wide) ||
                              t.ends_with(wide));
    };
    if (!blankEnds(source) && !blankEnds(translation))
        return std::nullopt;  // the usual pair
    WhitespaceDifference d;
    d.sourceLeading = leadingBlanks(source, steps.utf8());
    d.translationLeading = leadingBlanks(translation, steps.utf8());
    // A text of blanks only has them at its start, not at both ends.
    d.sourceTrailing = d.sourceLeading.size() == source.size() ? std::string_view {}
                                                               : trailingBlanks(source, steps);
    d.translationTrailing = d.translationLeading.size() == translation.size()
                                ? std::string_view {}
                                : trailingBlanks(translation, steps);
    d.leading = d.sourceLeading != d.translationLeading &&
                !(d.translationLeading.empty() && d.sourceLeading == " " &&
                  startsWide(translation.substr(d.translationLeading.size())));
    d.trailing = d.sourceTrailing != d.translationTrailing &&
                 !fullwidthMarkEnding(source, d.sourceTrailing, translation,
                                      d.translationTrailing, steps);
    if (!d.leading && !d.trailing)
        return std::nullopt;
    return d;
}

std::string describeWhitespace(std::string_view blanks)
{
    std::size_t spaces = 0;
    std::size_t tabs = 0;
    std::size_t wide = 0;
    for (std::size_t i = 0; i < blanks.size();) {
        const auto b = static_cast<unsigned char>(blanks[i]);
        if (b == 0xE3 || b == 0xA1) {  // U+3000 in UTF-8 (3 bytes) or GBK (2)
            ++wide;
            i += b == 0xE3 ? 3 : 2;
            continue;
        }
        (b == '\t' ? tabs : spaces)++;
        ++i;
    }
    if (spaces == 0 && tabs == 0 && wide == 0)
        return "none";
    auto count = [](std::size_t n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    std::string out;
    auto add = [&](std::size_t n, const char* one, const char* many) {
        if (n == 0)
            return;
        out += (out.empty() ? "" : " and ") + count(n, one, many);
    };
    add(spaces, "space", "spaces");
    add(tabs, "tab", "tabs");
    add(wide, "ideographic space", "ideographic spaces");
    return out;
}

}  // namespace corvel::report
