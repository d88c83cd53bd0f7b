#include "../pair_checks.h"

namespace corvel::report::rules {

namespace {

// The \r of an escaped \r\n: the same line break as a \n on its own, so
// a translation that writes \r\n for the source's \n (or the reverse)
// breaks its lines alike.
bool crOfCrLf(const std::vector<Placeholder>& all, std::size_t i)
{
    return all[i].key == "\\r" && i + 1 < all.size() && all[i + 1].key == "\\n" &&
           all[i + 1].offset == all[i].offset + 2;
}

void check(PairRuleContext& context, std::vector<Finding>& out)
{
    const PairText& pair = context.pair();
    const PlaceholderComparison& c = context.placeholders();
    std::vector<std::size_t> missing, extra;
    for (std::size_t i : c.missing)
        if (isLineBreak(c.source[i]) && !crOfCrLf(c.source, i))
            missing.push_back(i);
    for (std::size_t i : c.extra)
        if (isLineBreak(c.translation[i]) && !crOfCrLf(c.translation, i))
            extra.push_back(i);
    if (missing.empty() && extra.empty())
        return;
    std::string message;
    if (!missing.empty())
        message = "line breaks missing from the translation: " +
                  context.listPlaceholders(pair.source, c.source, missing);
    if (!extra.empty())
        message += (message.empty() ? "" : "; ") +
                   std::string("line breaks not in the source: ") +
                   context.listPlaceholders(pair.translation, c.translation, extra);
    Finding f = context.finding(RuleId::LineBreakMismatch, std::move(message));
    if (!extra.empty())
        context.setColumn(f, c.translation[extra.front()].offset);
    out.push_back(std::move(f));
}

}  // namespace

constexpr RuleExample kLineBreakMismatchExamples[] {
    {true, "First line\\nSecond line", "第一行第二行", ExampleFile::LinePairs,
     "--enable line-break-mismatch"},
    {false, "First line\\nSecond line", "第一行\\n第二行", ExampleFile::LinePairs,
     "--enable line-break-mismatch"},
};

constinit const RuleInfo LineBreakMismatch {
    RuleId::LineBreakMismatch, "line-break-mismatch", Severity::Warning, false, kOnPlaceholder,
    "The line breaks of the source and of its translation differ.",
    "The escaped line breaks (\\n, \\r) and <br> tags of the source and of the "
    "translation differ in number; a \\r\\n is the same line break as a \\n. A "
    "translator often adds or merges lines on purpose, so this is a warning of its own, "
    "not a placeholder-mismatch. Reported at the first line break of the translation that "
    "the source lacks. Off by default: help texts rewrapped to the shorter Chinese lines "
    "make most of what it finds.",
    kLineBreakMismatchExamples,
    check};

}  // namespace corvel::report::rules
