#include "../pair_checks.h"

namespace corvel::report::rules {

namespace {

const std::vector<Placeholder> kNone;

void check(PairRuleContext& context, std::vector<Finding>& out)
{
    const PairText& pair = context.pair();
    // The usual pair: no placeholder to leave out, every number repeated.
    if ((context.lineKinds() & kOnPlaceholder) == 0 &&
        NumberRule::plainNumbersPresent(pair.source, kNone, pair.translation, kNone))
        return;
    const PlaceholderComparison& placeholders = context.placeholders();
    std::vector<std::string>& missing = context.missingNumbers();
    context.numberRule().findMissing(pair.source, placeholders.source, pair.translation,
                                     placeholders.translation, missing);
    if (missing.empty())
        return;
    std::string list;
    for (std::size_t i = 0; i < missing.size(); ++i) {
        if (i > 0)
            list += i + 1 == missing.size() ? " and " : ", ";
        list += missing[i];
    }
    bool one = missing.size() == 1;
    out.push_back(context.finding(RuleId::NumberMismatch,
                                  (one ? "number " : "numbers ") + list + " of the source " +
                                      (one ? "is" : "are") + " missing from the translation"));
}

}  // namespace

constinit const RuleInfo NumberMismatch {
    RuleId::NumberMismatch, "number-mismatch", Severity::Warning, true, kOnSourceNumber,
    "A number of the source is missing from the translation.",
    "A number of the source (digits, full-width digits included, with their decimal point "
    "and thousands commas) does not appear in the translation. Digits inside placeholders "
    "do not count as numbers. A number from 1 to 10 written in Chinese numerals (\u4e00 to "
    "\u5341, \u4e24 for 2) counts as present.",
    check};

}  // namespace corvel::report::rules
