#include "../pair_checks.h"

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
    if (!message.empty())
        out.push_back(context.finding(RuleId::BraceFormatMismatch,
                                      "the format inside braces differs: " + message));
}

}  // namespace

constinit const RuleInfo BraceFormatMismatch {
    RuleId::BraceFormatMismatch, "brace-format-mismatch", Severity::Error, true, kOnPlaceholder,
    "A brace placeholder keeps its name but not its format.",
    "A brace placeholder of the source and the one of the same name in the translation "
    "differ in what follows the name: the format type and style ({0,number,integer} became "
    "{0}, {0:N2} became {0:N0}). Spaces do not count; of a plural or select only the type "
    "is compared, since its cases are translated. A placeholder missing altogether is "
    "placeholder-mismatch's.",
    check};

}  // namespace corvel::report::rules
