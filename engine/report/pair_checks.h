// The rules that weigh a source against its translation on their own:
// placeholders, full-width look-alikes, whitespace and numbers. Turns what
// they find into report findings at the translation's line. (Consistency
// looks at the whole dictionary: FindingQueue.)
#pragma once

#include "number_rule.h"
#include "pair_text.h"
#include "placeholder_rules.h"
#include "rule_selection.h"

#include <string>
#include <vector>

namespace corvel::report {

class PairChecks {
public:
    PairChecks(const RuleSelection& rules, const TextDecoder& decoder);

    // Appends the findings about `pair` (neither text empty) to `out`, in
    // the order of the rule table.
    void check(const PairText& pair, std::vector<Finding>& out);

private:
    bool plainPair(std::string_view source, std::string_view translation, unsigned sourceKinds,
                   unsigned translationKinds) const;
    bool wants(RuleId id) const { return rules_.enabled(id); }
    void checkContent(const PairText& pair, std::vector<Finding>& out);
    void checkMarks(const PairText& pair, std::vector<Finding>& out);
    void checkPlaceholders(QuotedPair& quoted, std::vector<Finding>& out);
    void checkWhitespace(QuotedPair& quoted, std::vector<Finding>& out);
    void checkNumbers(QuotedPair& quoted, std::vector<Finding>& out);
    Finding finding(RuleId id, QuotedPair& quoted, std::string message);
    // Sets the columns of `finding` to byte `offset` of the translation.
    void setColumn(Finding& finding, const PairText& pair, std::size_t offset) const;
    // Quoted placeholders of one side, as "\"%s\", \"{0}\"".
    std::string listPlaceholders(std::string_view text, const std::vector<Placeholder>& all,
                                 const std::vector<std::size_t>& which) const;

    const RuleSelection& rules_;
    const TextDecoder& decoder_;
    const gbk::CharSteps steps_;
    const bool any_;  // one of the content rules is on
    const bool marks_;  // mojibake or control-char is on
    PlaceholderRules placeholderRules_;
    PlaceholderComparison placeholders_;
    NumberRule numberRule_;
    std::vector<std::string> missingNumbers_;
};

}  // namespace corvel::report
