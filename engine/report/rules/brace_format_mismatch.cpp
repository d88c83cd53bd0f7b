#include "../pair_checks.h"
#include "../text_signs.h"

#include <cctype>

namespace corvel::report::rules {

namespace {

std::string withoutSpaces(std::string_view s)
{
    std::string out;
    for (char c : s)
        if (c != ' ' && c != '\t')
            out += c;
    return out;
}

// What a brace placeholder says beyond its name: "number,integer" of
// {0,number,integer}, "N2" of {0:N2}; for a plural or select only its
// type, as the translator rewrites its cases. Empty for {0} and {{name}}.
std::string format(std::string_view text)
{
    if (text.size() < 2 || text.starts_with("{{"))
        return {};
    const std::string_view inner = text.substr(1, text.size() - 2);
    const std::size_t separator = inner.find_first_of(",:");
    if (separator == std::string_view::npos)
        return {};
    std::string rest = withoutSpaces(inner.substr(separator + 1));
    if (inner[separator] == ',') {
        const std::string type = rest.substr(0, rest.find(','));
        if (type == "plural" || type == "select" || type == "selectordinal")
            return type;
    }
    return rest;
}

// An argument of ICU's message format that holds cases in braces of its
// own: {name, plural, ...}, {name, select, ...}, {name, selectordinal, ...}.
// The placeholder scanner reads none of them as a placeholder.
struct CaseArgument {
    std::string_view name;
    std::string_view type;
};

std::size_t skipBlanks(std::string_view s, std::size_t i)
{
    while (i < s.size() && s[i] == ' ')
        ++i;
    return i;
}

std::size_t skipWord(std::string_view s, std::size_t i)
{
    while (i < s.size() && (std::isalnum(static_cast<unsigned char>(s[i])) != 0 || s[i] == '_'))
        ++i;
    return i;
}

// The case argument opening at `at` ('{'), if one does.
std::optional<CaseArgument> caseArgumentAt(std::string_view s, std::size_t at)
{
    std::size_t i = skipBlanks(s, at + 1);
    std::size_t end = skipWord(s, i);
    const std::string_view name = s.substr(i, end - i);
    i = skipBlanks(s, end);
    if (name.empty() || i >= s.size() || s[i] != ',')
        return std::nullopt;
    i = skipBlanks(s, i + 1);
    end = skipWord(s, i);
    const std::string_view type = s.substr(i, end - i);
    i = skipBlanks(s, end);
    if ((type != "plural" && type != "select" && type != "selectordinal") || i >= s.size() ||
        s[i] != ',')
        return std::nullopt;
    return CaseArgument {name, type};
}

// Its braces may be GBK trail bytes: found by stepping through characters.
template <typename Visit>
void forEachCaseArgument(std::string_view s, const gbk::CharSteps& steps, Visit visit)
{
    for (std::size_t i = 0; i < s.size(); i += steps.length(s, i))
        if (s[i] == '{')
            if (std::optional<CaseArgument> a = caseArgumentAt(s, i))
                visit(*a);
}

// "{n, plural, ...}" that the translation turned into "{n}" or dropped.
void checkCaseArguments(PairRuleContext& context, std::string& message)
{
    const gbk::CharSteps steps(context.encoding());
    const PairText& pair = context.pair();
    forEachCaseArgument(pair.source, steps, [&](const CaseArgument& a) {
        bool same = false;
        forEachCaseArgument(pair.translation, steps, [&](const CaseArgument& t) {
            same = same || (t.name == a.name && t.type == a.type);
        });
        if (same)
            return;
        std::string shown = "{";
        shown.append(a.name).append(", ").append(a.type).append(", ...}");
        std::string key = "{";
        key.append(a.name).append("}");
        std::string instead;
        for (const Placeholder& t : context.placeholders().translation)
            if (t.kind == PlaceholderKind::Brace && t.key == key && instead.empty())
                instead = context.decoder().toUtf8(pair.translation.substr(t.offset, t.length));
        message += (message.empty() ? "" : "; ") + quote(shown) +
                   (instead.empty() ? std::string(" is missing from the translation")
                                    : " became " + quote(instead));
    });
}

void check(PairRuleContext& context, std::vector<Finding>& out)
{
    const PairText& pair = context.pair();
    const PlaceholderComparison& c = context.placeholders();
    std::string message;
    for (const Placeholder& s : c.source) {
        if (s.kind != PlaceholderKind::Brace)
            continue;
        const std::string_view sourceText = pair.source.substr(s.offset, s.length);
        const std::string wanted = format(sourceText);
        const Placeholder* other = nullptr;
        bool same = false;
        for (const Placeholder& t : c.translation)
            if (t.kind == PlaceholderKind::Brace && t.key == s.key) {
                other = &t;
                same = same ||
                       format(pair.translation.substr(t.offset, t.length)) == wanted;
            }
        if (other == nullptr || same)
            continue;  // a missing placeholder is placeholder-mismatch's
        message += (message.empty() ? "" : "; ") + quote(std::string(sourceText)) + " became " +
                   quote(context.decoder().toUtf8(
                       pair.translation.substr(other->offset, other->length)));
    }
    checkCaseArguments(context, message);
    if (!message.empty())
        out.push_back(context.finding(RuleId::BraceFormatMismatch,
                                      "the format inside braces differs: " + message));
}

}  // namespace

constexpr RuleExample kBraceFormatMismatchExamples[] {
    {true, "{0:N2} MB", "{0:N0} MB"},
    {false, "{0:N2} MB", "{0:N2} 兆字节"},
};

constinit const RuleInfo BraceFormatMismatch {
    RuleId::BraceFormatMismatch, "brace-format-mismatch", Severity::Error, true, kOnPlaceholder,
    "A brace placeholder keeps its name but not its format.",
    "A brace placeholder of the source and the one of the same name in the translation "
    "differ in what follows the name: the format type and style ({0,number,integer} became "
    "{0}, {0:N2} became {0:N0}). Spaces do not count. Of ICU's plural, select and "
    "selectordinal arguments ({n, plural, one {...} other {...}}) only the name and type "
    "are compared, since their cases are translated; one that became {n} or is gone is "
    "reported. Any other placeholder missing altogether is placeholder-mismatch's.",
    kBraceFormatMismatchExamples,
    check};

}  // namespace corvel::report::rules
