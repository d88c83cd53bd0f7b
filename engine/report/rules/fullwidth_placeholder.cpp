#include "../pair_checks.h"

namespace corvel::report::rules {

namespace {

void check(PairRuleContext& context, std::vector<Finding>& out)
{
    const PlaceholderComparison& c = context.placeholders();
    if (c.lookAlikes.empty())
        return;
    std::string message = "full-width look-alike in the translation: ";
    for (std::size_t i = 0; i < c.lookAlikes.size(); ++i) {
        const Placeholder& p = c.translation[c.lookAlikes[i]];
        std::string_view bytes = context.pair().translation.substr(p.offset, p.length);
        message += (i > 0 ? ", " : "") + quote(context.decoder().toUtf8(bytes)) + " for " +
                   quote(halfWidthForm(bytes, context.encoding()));
    }
    Finding f = context.finding(RuleId::FullwidthPlaceholder, std::move(message));
    context.setColumn(f, c.translation[c.lookAlikes.front()].offset);
    out.push_back(std::move(f));
}

}  // namespace

constexpr RuleExample kFullwidthPlaceholderExamples[] {
    {true, "Open %s", "打开 ％s"},
    {false, "Size: 100%", "大小：100％"},
};

constinit const RuleInfo FullwidthPlaceholder {
    RuleId::FullwidthPlaceholder, "fullwidth-placeholder", Severity::Error, true, kOnPlaceholder,
    "A placeholder of the source is typed with full-width characters in the translation.",
    "The translation holds a full-width look-alike (\uff05s, \uff05\uff53, \uff5b\uff10\uff5d, "
    "\uff3c\uff4e), typically typed by a Chinese input method, where the source has the "
    "placeholder itself; the program would print it instead of filling it in. "
    "corvel-check --correct --fix-fullwidth writes the half-width form into the corrected "
    "dictionary. Reported at the look-alike's column.",
    kFullwidthPlaceholderExamples,
    check};

}  // namespace corvel::report::rules
