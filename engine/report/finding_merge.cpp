#include "finding_merge.h"

#include <limits>
#include <utility>

namespace corvel::report {

FindingMerge::FindingMerge(FindingSink& out, const RuleSelection& rules,
                           std::function<std::int64_t()> settled)
    : out_(out), settled_(std::move(settled)), early_(held_, rules)
{
}

void FindingMerge::Early::add(Finding finding)
{
    auto id = findRule(finding.rule);
    if (id && rules_.enabled(*id))
        held_.push_back(std::move(finding));
}

void FindingMerge::add(Finding finding)
{
    late_.push_back(std::move(finding));
    releaseLate(settled_());
}

void FindingMerge::finish()
{
    releaseLate(std::numeric_limits<std::int64_t>::max());
    releaseUpTo(std::numeric_limits<std::int32_t>::max());
}

void FindingMerge::releaseLate(std::int64_t settled)
{
    while (!late_.empty() && late_.front().line <= settled) {
        releaseUpTo(late_.front().line);
        out_.add(std::move(late_.front()));
        late_.pop_front();
    }
}

void FindingMerge::releaseUpTo(std::int32_t line)
{
    while (!held_.empty() && held_.front().line <= line) {
        out_.add(std::move(held_.front()));
        held_.pop_front();
    }
}

}  // namespace corvel::report
