#include "../pair_checks.h"
#include "chars.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace corvel::report::rules {

namespace {

struct Attribute {
    std::string_view tag;    // "a"
    std::string_view name;   // "href"
    std::string_view value;  // "help.html"
};

// Attributes that a reader sees, which a translator rightly translates.
constexpr std::array<std::string_view, 12> kShownAttributes {
    "title", "alt", "placeholder", "label", "aria-label", "aria-description",
    "aria-placeholder", "summary", "value", "content", "abbr", "prompt"};

bool nameChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '_' || c == ':' ||
           c == '.';
}

bool shown(std::string_view name)
{
    return std::any_of(kShownAttributes.begin(), kShownAttributes.end(),
                       [&](std::string_view s) { return equalsIgnoringAsciiCase(s, name); });
}

// The id of an interchange file's inline code (<x id="1"/>, <ec startRef="2"/>):
// the placeholder rule compares each code by it already.
constexpr std::array<std::string_view, 11> kInlineCodes {"x", "g", "bx", "ex", "ph", "bpt",
                                                         "ept", "it", "pc", "sc", "ec"};

bool inlineCodeId(const Attribute& a)
{
    return (a.name == "id" || a.name == "startRef") &&
           std::find(kInlineCodes.begin(), kInlineCodes.end(), a.tag) != kInlineCodes.end();
}

std::size_t skipSpaces(std::string_view s, std::size_t i)
{
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    return i;
}

// Reads the attributes of the tag that opens at `at` ('<') and returns
// where it ends. '<', '>', '=', quotes and spaces are below every GBK
// trail byte, and a quoted value is skipped whole, so bytes suffice.
template <typename Visit>
std::size_t readTag(std::string_view s, std::size_t at, Visit visit)
{
    std::size_t i = at + 1;
    const std::size_t nameStart = i;
    while (i < s.size() && std::isalpha(static_cast<unsigned char>(s[i])) != 0)
        ++i;
    const std::string_view tag = s.substr(nameStart, i - nameStart);
    if (tag.empty())
        return at + 1;
    for (;;) {
        i = skipSpaces(s, i);
        const std::size_t start = i;
        while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80 && nameChar(s[i]))
            ++i;
        if (i == start)
            return i;  // '>', "/>", or not a tag after all
        const std::string_view name = s.substr(start, i - start);
        i = skipSpaces(s, i);
        if (i >= s.size() || s[i] != '=')
            continue;  // an attribute without a value
        i = skipSpaces(s, i + 1);
        std::size_t valueStart = i;
        std::size_t valueEnd;
        if (i < s.size() && (s[i] == '"' || s[i] == '\'')) {
            valueStart = i + 1;
            valueEnd = s.find(s[i], valueStart);
            if (valueEnd == std::string_view::npos)
                return s.size();
            i = valueEnd + 1;
        } else {
            while (i < s.size() && s[i] != ' ' && s[i] != '>' && s[i] != '\t')
                ++i;
            valueEnd = i;
        }
        visit(Attribute {tag, name, s.substr(valueStart, valueEnd - valueStart)});
    }
}

template <typename Visit>
void forEachAttribute(std::string_view s, Visit visit)
{
    for (std::size_t at = s.find('<'); at != std::string_view::npos; at = s.find('<', at))
        at = readTag(s, at, visit);
}

void check(PairRuleContext& context, std::vector<Finding>& out)
{
    const PairText& pair = context.pair();
    std::vector<Attribute> translation;
    forEachAttribute(pair.translation, [&](const Attribute& a) { translation.push_back(a); });
    std::string message;
    forEachAttribute(pair.source, [&](const Attribute& a) {
        if (shown(a.name) || inlineCodeId(a))
            return;
        std::string_view other;
        bool same = false;
        // Tag and attribute names ignore case (<A HREF=...> is <a href=...>).
        for (const Attribute& t : translation)
            if (equalsIgnoringAsciiCase(t.tag, a.tag) && equalsIgnoringAsciiCase(t.name, a.name)) {
                same = same || t.value == a.value;
                other = t.value;
            }
        if (same)
            return;
        message += (message.empty() ? "" : "; ") + std::string(a.name) + "=" +
                   quote(std::string(a.value)) +
                   (other.data() == nullptr
                        ? std::string(" is missing from the translation")
                        : " became " + std::string(a.name) + "=" +
                              quote(context.decoder().toUtf8(other)));
    });
    if (!message.empty())
        out.push_back(context.finding(RuleId::AttributeMismatch, "attribute " + message));
}

}  // namespace

constexpr RuleExample kAttributeMismatchExamples[] {
    {true, "<a href=\"help.html\">Help</a>", "<a href=\"about.html\">帮助</a>"},
    {false, "<img alt=\"Logo\" src=\"a.png\">", "<img alt=\"标志\" src=\"a.png\">"},
};

constinit const RuleInfo AttributeMismatch {
    RuleId::AttributeMismatch, "attribute-mismatch", Severity::Warning, true, kOnAttribute,
    "An attribute value of a markup tag in the source is changed in the translation.",
    "An attribute of an XML or HTML tag in the source (href=\"help.html\", "
    "class=\"note\") has another value in the same tag of the translation, or is missing "
    "from it. The attributes a reader sees (title, alt, placeholder, label, aria-label, "
    "value, content and the like) are meant to be translated and are not compared.",
    kAttributeMismatchExamples,
    check};

}  // namespace corvel::report::rules
