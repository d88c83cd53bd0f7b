#include "../pair_checks.h"

namespace corvel::report::rules {

namespace {

void check(PairRuleContext& context, std::vector<Finding>& out)
{
    const PairText& pair = context.pair();
    const PlaceholderComparison& c = context.placeholders();
    if (!c.mismatch())
        return;
    // Line breaks are line-break-mismatch's.
    std::vector<std::size_t> missing, extra;
    for (std::size_t i : c.missing)
        if (!isLineBreak(c.source[i]))
            missing.push_back(i);
    for (std::size_t i : c.extra)
        if (!isLineBreak(c.translation[i]))
            extra.push_back(i);
    if (missing.empty() && extra.empty())
        return;
    std::string message;
    if (!missing.empty())
        message = "missing from the translation: " +
                  context.listPlaceholders(pair.source, c.source, missing);
    if (!extra.empty())
        message += (message.empty() ? "" : "; ") + std::string("not in the source: ") +
                   context.listPlaceholders(pair.translation, c.translation, extra);
    Finding f = context.finding(RuleId::PlaceholderMismatch, std::move(message));
    if (!extra.empty())
        context.setColumn(f, c.translation[extra.front()].offset);
    out.push_back(std::move(f));
}

}  // namespace

constexpr RuleExample kPlaceholderMismatchExamples[] {
    {true, "Open %s", "打开 %d"},
    {false, "%s of %d", "%2$d 中的 %1$s"},
};

constinit const RuleInfo PlaceholderMismatch {
    RuleId::PlaceholderMismatch, "placeholder-mismatch", Severity::Error, true, kOnPlaceholder,
    "The placeholders of the source and of its translation differ.",
    "The placeholders of the source and of the translation differ as multisets. Placeholders "
    "are printf conversions (%s, %d, %5.2f, %1$s, %%; positional and plain forms of the same "
    "argument count as the same, width and precision may differ), Qt's %1, %L1 and %0 (beside "
    "a Qt argument, %1d is %1 and a letter), braces ({0}, {name}; a text that is one brace "
    "group alone is a label) and templates' {{name}} ({{ and }} are literal beside single "
    "braces), "
    "backslash escapes (\\n, \\t, \\\"), markup tags of known names (<b>, </b>, <br/>, "
    "<color=...>), the section codes of game text (\u00a7a, \u00a7r) and the @1..@9 "
    "arguments of Luanti/Minetest texts. Line breaks (\\n, \\r, <br>) are "
    "line-break-mismatch's. A placeholder repeated is counted (3 x \"%s\"). Reported at the translation's line, at the first "
    "placeholder of the translation that the source lacks.",
    kPlaceholderMismatchExamples,
    check};

}  // namespace corvel::report::rules
