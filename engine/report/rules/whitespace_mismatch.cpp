#include "../pair_checks.h"
#include "report/rules/support/whitespace_rule.h"

namespace corvel::report::rules {

namespace {

void check(PairRuleContext& context, std::vector<Finding>& out)
{
    const PairText& pair = context.pair();
    std::optional<WhitespaceDifference> d =
        compareWhitespace(pair.source, pair.translation, context.encoding());
    if (!d)
        return;
    std::string message;
    if (d->leading)
        message = "the source starts with " + describeWhitespace(d->sourceLeading) +
                  ", the translation with " + describeWhitespace(d->translationLeading);
    if (d->trailing)
        message += (message.empty() ? "" : "; ") + std::string("the source ends with ") +
                   describeWhitespace(d->sourceTrailing) + ", the translation with " +
                   describeWhitespace(d->translationTrailing);
    Finding f = context.finding(RuleId::WhitespaceMismatch, std::move(message));
    std::size_t offset = d->leading ? 0 : pair.translation.size() - d->translationTrailing.size();
    context.setColumn(f, offset);
    out.push_back(std::move(f));
}

}  // namespace

constexpr RuleExample kWhitespaceMismatchExamples[] {
    {true, "Open", "打开 "},
    {false, "Name: ", "名称："},
};

constinit const RuleInfo WhitespaceMismatch {
    RuleId::WhitespaceMismatch, "whitespace-mismatch", Severity::Warning, true, kOnBlankEnd,
    "Leading or trailing spaces of the source and the translation differ.",
    "The spaces and tabs at the start or at the end of the translation differ from the "
    "source's. A translation that ends in a full-width mark (\uff1a \u3002 \uff0c \uff01 "
    "\uff1f) where the source ends in the half-width mark and a space is not flagged: the "
    "full-width mark carries its own spacing.",
    kWhitespaceMismatchExamples,
    check};

}  // namespace corvel::report::rules
