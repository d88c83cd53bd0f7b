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
    // The numbers gone, and those said fewer times ("3 (2 x in the source,
    // 1 x in the translation)"), told apart.
    std::vector<std::string> gone, fewer;
    for (const std::string& number : missing)
        (number.find(' ') == std::string::npos ? gone : fewer).push_back(number);
    auto listOf = [](const std::vector<std::string>& numbers) {
        std::string list;
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            if (i > 0)
                list += i + 1 == numbers.size() ? " and " : ", ";
            list += numbers[i];
        }
        return list;
    };
    std::string message;
    if (!gone.empty()) {
        const bool one = gone.size() == 1;
        message = (one ? "number " : "numbers ") + listOf(gone) + " of the source " +
                  (one ? "is" : "are") + " missing from the translation";
    }
    for (const std::string& number : fewer) {
        const std::size_t space = number.find(' ');
        message += (message.empty() ? "" : "; ") + std::string("number ") +
                   number.substr(0, space) + " is written fewer times in the translation " +
                   number.substr(space + 1);
    }
    out.push_back(context.finding(RuleId::NumberMismatch, std::move(message)));
}

}  // namespace

constexpr RuleExample kNumberMismatchExamples[] {
    {true, "Wait 5 seconds", "等待 6 秒"},
    {false, "Wait 85 seconds", "等待八十五秒"},
};

constinit const RuleInfo NumberMismatch {
    RuleId::NumberMismatch, "number-mismatch", Severity::Warning, true, kOnSourceNumber,
    "A number of the source is missing from the translation.",
    "A number of the source (digits, full-width digits included, with their decimal point "
    "and thousands commas) does not appear in the translation. Digits inside placeholders "
    "and inside words of the source (E2E, MP3, H.264) do not count as numbers; leading zeros "
    "do not count (007 is 7). A number the translation writes in Chinese numerals counts as "
    "present: with units (\u516b\u5341\u4e94, \u4e00\u4e07), digit by digit "
    "(\u53c1\u67d2\u4f0d), in the financial forms, \u4e24, \u53cc and \u7ffb\u500d for 2, "
    "\u6bcf (per) for 1, \u534a for "
    "0.5, \u96f6 for 0; a date written 2025.7.21 holds 2025, 7 and 21; an hour written "
    "20:00 is also the 8 of 8pm. A decade or century (1400s, 1970's) may be written as "
    "words (15 \u4e16\u7eaa). A number the source holds twice and the translation once is "
    "reported, with both counts, only where the translation writes a number the source "
    "lacks (3x written 4\u500d); said once where the English says it twice is rephrasing.",
    kNumberMismatchExamples,
    check};

}  // namespace corvel::report::rules
