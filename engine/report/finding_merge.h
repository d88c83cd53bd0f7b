// Two streams of findings in line order merged into one: the encoding and
// line-end findings, which the scanner of the bytes gives up to one read
// ahead of the lines, and the findings of the line rules. A line's
// encoding findings go first: what the file is comes before what its lines
// say. So a line rule's finding waits until the early stream has settled
// its line (seen the line's end) or has ended.
#pragma once

#include "corvel/report/finding.h"
#include "corvel/report/rule_selection.h"
#include "pair_text.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>

namespace corvel::report {

class FindingMerge : public FindingSink, public PairObserver {
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
    bool add(Finding finding) override;
    // The pair just read: quotes it in the early findings of its lines.
    void pairRead(const PairText& pair, const TextDecoder& decoder) override;
    // After both streams ended: what is still held leaves.
    void finish();

private:
    class Early : public FindingSink {
    public:
        Early(FindingMerge& merge, const RuleSelection& rules) : merge_(merge), rules_(rules) {}
        bool add(Finding finding) override;

    private:
        FindingMerge& merge_;
        const RuleSelection& rules_;
    };
    // A pair read whose lines the early stream has not settled yet (the
    // bytes of its lines wait in the scanner for a whole block, or for the
    // end): its findings come after it was read.
    struct KeptPair {
        std::string source;
        std::string translation;
        PairText pair;  // views into source and translation
        TextDecoder decoder;  // a copy: the pair may outlive its reader
    };

    void releaseUpTo(std::int32_t line);
    void quoteHeld(const PairText& pair, const TextDecoder& decoder);
    void takeEarly(Finding finding);
    void releaseLate(std::int64_t settled);

    FindingSink& out_;
    bool goOn_ = true;  // what `out_` last answered
    std::function<std::int64_t()> settled_;
    std::deque<Finding> held_;
    std::deque<Finding> late_;
    Early early_;
    std::deque<KeptPair> kept_;  // in line order
};

}  // namespace corvel::report
