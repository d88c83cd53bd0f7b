// The rules that weigh a source against its translation on their own
// (those of the rule table with a checkPair), and which of them a pair
// calls: only those firing on a kind the pair holds (line_kinds.h). Each
// rule's check is in its file in rules/; here is what they share about the
// pair at hand.
#pragma once

#include "report/rules/support/number_rule.h"
#include "line_kinds.h"
#include "pair_text.h"
#include "report/rules/support/placeholder_rules.h"
#include "corvel/report/rule_catalogue.h"
#include "corvel/report/rule_selection.h"

#include <array>
#include <string>
#include <vector>

namespace corvel::report {

// The pair at hand as the pair rules see it, with what more than one of
// them needs worked out once.
class PairRuleContext {
public:
    PairRuleContext(const TextDecoder& decoder, PlaceholderRules& placeholderRules,
                    PlaceholderComparison& placeholders, NumberRule& numberRule);

    void reset(const PairText& pair, unsigned sourceKinds, unsigned translationKinds,
               unsigned lineKinds);

    const PairText& pair() const { return *pair_; }
    const TextDecoder& decoder() const { return decoder_; }
    TextEncoding encoding() const { return decoder_.encoding(); }
    unsigned lineKinds() const { return lineKinds_; }  // a set of LineKind
    // The placeholders of both texts, compared on first use.
    const PlaceholderComparison& placeholders();
    NumberRule& numberRule() { return numberRule_; }
    // Storage the number rule reuses from pair to pair.
    std::vector<std::string>& missingNumbers() { return missingNumbers_; }

    // A finding of `id` at the translation's line, its texts filled in.
    Finding finding(RuleId id, std::string message);
    // Sets the columns of `finding` to byte `offset` of the translation.
    void setColumn(Finding& finding, std::size_t offset) const;
    // Quoted placeholders of one side, as "\"%s\", \"{0}\"".
    std::string listPlaceholders(std::string_view text, const std::vector<Placeholder>& all,
                                 const std::vector<std::size_t>& which) const;

private:
    const TextDecoder& decoder_;
    const gbk::CharSteps steps_;
    PlaceholderRules& placeholderRules_;
    PlaceholderComparison& placeholders_;
    NumberRule& numberRule_;
    const PairText* pair_ = nullptr;
    std::optional<QuotedPair> quoted_;
    std::vector<std::string> missingNumbers_;
    unsigned sourceKinds_ = 0;
    unsigned translationKinds_ = 0;
    unsigned lineKinds_ = 0;
    bool compared_ = false;
};

class PairChecks {
public:
    PairChecks(const RuleSelection& rules, const TextDecoder& decoder);

    // Appends the findings about `pair` (neither text empty) to `out`, in
    // the order of the rule table.
    void check(const PairText& pair, std::vector<Finding>& out);

private:
    // The selected rules that fire on `lineKinds`, in table order. Most
    // pairs of a dictionary share a few sets of kinds, so the lists of the
    // sets met last are kept.
    const std::vector<const RuleInfo*>& rulesFor(unsigned lineKinds);

    struct FiringRules {
        unsigned lineKinds = 0;  // 0: not filled
        std::vector<const RuleInfo*> rules;
    };
    static constexpr std::size_t kKeptSets = 8;

    const TextDecoder& decoder_;
    std::vector<const RuleInfo*> selected_;  // the selected pair rules, in table order
    std::array<FiringRules, kKeptSets> firing_;
    std::size_t nextFiring_ = 0;  // the kept list to replace next
    unsigned firesOn_ = 0;                   // what any of them fires on
    std::vector<KindTest> tests_;            // the tests of those kinds, each once
    PlaceholderRules placeholderRules_;
    PlaceholderComparison placeholders_;
    NumberRule numberRule_;
    PairRuleContext context_;
};

}  // namespace corvel::report
