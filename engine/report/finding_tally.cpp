#include "corvel/report/finding_tally.h"

namespace corvel::report {

bool FindingTally::add(Finding finding)
{
    (finding.severity == Severity::Error ? counts_.errors : counts_.warnings)++;
    if (finding.baseline)
        ++counts_.baseline;
    if (countsAsFailure(finding, failOn_))
        ++counts_.failing;
    return next_.add(std::move(finding));
}

}  // namespace corvel::report
