// Passes findings on to the next sink and counts them, so that the summary
// and the exit status need no second look at the findings.
#pragma once

#include "corvel/report/dictionary_report.h"
#include "corvel/report/finding.h"
#include "corvel/report/rule_selection.h"

namespace corvel::report {

class FindingTally : public FindingSink {
public:
    FindingTally(FindingSink& next, FailOn failOn) : next_(next), failOn_(failOn) {}

    bool add(Finding finding) override;

    const FindingCounts& counts() const { return counts_; }
    bool failed() const { return counts_.failing > 0; }

private:
    FindingSink& next_;
    FailOn failOn_;
    FindingCounts counts_;
};

}  // namespace corvel::report
