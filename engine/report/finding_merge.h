// Two streams of findings in line order merged into one: the encoding and
// line-end findings, which the scanner of the bytes gives up to one read
// ahead of the lines, and the findings of the line rules. A line's
// encoding findings go first: what the file is comes before what its lines
// say. So a line rule's finding waits until the early stream has settled
// its line (seen the line's end) or has ended.
#pragma once

#include "corvel/report/finding.h"
#include "corvel/report/rule_selection.h"

#include <cstdint>
#include <deque>
#include <functional>

namespace corvel::report {

class FindingMerge : public FindingSink {
public:
    // Findings leave to `out`; of the early stream only those of the
    // selected rules. `settled` tells how many lines the early stream has
    // given every finding of.
    FindingMerge(FindingSink& out, const RuleSelection& rules,
                 std::function<std::int64_t()> settled);

    // The stream that runs ahead.
    FindingSink& early() { return early_; }
    // A finding of the line rules: it leaves once its line is settled,
    // after the early ones up to its line.
    void add(Finding finding) override;
    // After both streams ended: what is still held leaves.
    void finish();

private:
    class Early : public FindingSink {
    public:
        Early(std::deque<Finding>& held, const RuleSelection& rules)
            : held_(held), rules_(rules)
        {
        }
        void add(Finding finding) override;

    private:
        std::deque<Finding>& held_;
        const RuleSelection& rules_;
    };

    void releaseUpTo(std::int32_t line);
    void releaseLate(std::int64_t settled);

    FindingSink& out_;
    std::function<std::int64_t()> settled_;
    std::deque<Finding> held_;
    std::deque<Finding> late_;
    Early early_;
};

}  // namespace corvel::report
