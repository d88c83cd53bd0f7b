// Which rules report (--enable, --disable), which placeholder syntaxes
// they recognise (--placeholders) and which findings make the exit status
// fail (--fail-on).
#pragma once

#include "corvel/report/finding.h"
#include "corvel/report/placeholder_syntax.h"
#include "corvel/report/rule_catalogue.h"

#include <bitset>
#include <string>
#include <string_view>
#include <vector>

namespace corvel::report {

class RuleSelection {
public:
    // Every rule that is on by default.
    RuleSelection();

    // From the values of --enable and --disable, each a comma-separated list
    // of rule IDs (the options may be repeated). Without --enable every rule
    // that is on by default reports; with it only the rules it names (and
    // rules that are off by default can be named). --disable then turns
    // rules off. An unknown ID is an error naming it.
    static RuleSelection fromLists(const std::vector<std::string>& enable,
                                   const std::vector<std::string>& disable, std::string& error);

    bool enabled(RuleId id) const { return on_[static_cast<std::size_t>(id)]; }
    void set(RuleId id, bool on) { on_[static_cast<std::size_t>(id)] = on; }

    PlaceholderSyntaxes placeholders;  // what the placeholder rules recognise

private:
    std::bitset<kRuleCount> on_;
};

enum class FailOn { Error, Warning };

// Parses "error" or "warning"; false for anything else.
bool parseFailOn(std::string_view text, FailOn& failOn);

// Whether a finding counts toward a failing exit status.
bool countsAsFailure(const Finding& finding, FailOn failOn);

}  // namespace corvel::report
