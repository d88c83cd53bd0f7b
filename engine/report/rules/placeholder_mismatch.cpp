#include "../pair_checks.h"

namespace corvel::report::rules {

namespace {

void check(PairRuleContext& context, std::vector<Finding>& out)
{
    const PairText& pair = context.pair();
    const PlaceholderComparison& c = context.placeholders();
    if (!c.mismatch())
        return;
    std::string message;
    if (!c.missing.empty())
        message = "missing from the translation: " +
                  context.listPlaceholders(pair.source, c.source, c.missing);
    if (!c.extra.empty())
        message += (message.empty() ? "" : "; ") + std::string("not in the source: ") +
                   context.listPlaceholders(pair.translation, c.translation, c.extra);
    Finding f = context.finding(RuleId::PlaceholderMismatch, std::move(message));
    if (!c.extra.empty())
        context.setColumn(f, c.translation[c.extra.front()].offset);
    out.push_back(std::move(f));
}

}  // namespace

constinit const RuleInfo PlaceholderMismatch {
    RuleId::PlaceholderMismatch, "placeholder-mismatch", Severity::Error, true, kOnPlaceholder,
    "The placeholders of the source and of its translation differ.",
    "The placeholders of the source and of the translation differ as multisets. Placeholders "
    "are printf conversions (%s, %d, %5.2f, %1$s, %%; positional and plain forms of the same "
    "argument count as the same, width and precision may differ), Qt's %1, braces ({0}, "
    "{name}; {{ and }} are literal; a text that is one brace group alone is a label), "
    "backslash escapes (\\n, \\t, \\\"), markup tags of known names (<b>, </b>, <br/>, "
    "<color=...>), the section codes of game text (\u00a7a, \u00a7r) and the @1..@9 "
    "arguments of Luanti/Minetest texts. Reported at the translation's line, at the first "
    "placeholder of the translation that the source lacks.",
    check};

}  // namespace corvel::report::rules
