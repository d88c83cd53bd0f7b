// The last few pairs' findings wait here on their way to the sink, where
// the consistency rule's finding, decided against the census of the whole
// dictionary, takes its place among its pair's. Findings leave in line
// order, a batch at a time.
#pragma once

#include "consistency_index.h"
#include "corvel/report/finding.h"
#include "corvel/report/text_decoder.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvel::report {

class FindingQueue {
public:
    struct Entry {
        std::vector<Finding> findings;  // in order, but for an inconsistent-translation one
        std::size_t consistencyAt = 0;  // where that one goes among them
        bool consistency = false;       // the pair takes part in the rule
        std::uint64_t source = 0;       // fingerprints
        std::uint64_t translation = 0;
        std::int32_t line = 0;          // the translation's line
        std::size_t textsAt = 0;        // the pair's texts in the batch's bytes
        std::size_t sourceSize = 0;
        std::size_t translationSize = 0;
    };

    // `consistency`: the census of the same pairs (null: the rule is off).
    FindingQueue(FindingSink& sink, const TextDecoder& decoder, ConsistencyIndex* consistency);

    // The entry for the next pair, emptied; fill it, then push().
    Entry& next();
    // Marks the entry's pair for the consistency rule at this point of its
    // findings.
    void checkConsistency(Entry& entry, std::string_view source, std::string_view translation,
                          std::int32_t line);
    // Queues the entry; a full queue lets its whole batch leave.
    void push();
    // Lets every queued entry leave.
    void drain();

    const ConsistencyIndex* consistency() const { return index_; }

    static constexpr std::size_t kBatch = 32;

private:
    void release(Entry& entry);
    std::optional<Finding> consistencyFinding(const Entry& entry);

    FindingSink& sink_;
    const TextDecoder& decoder_;
    ConsistencyIndex* index_;
    std::array<Entry, kBatch> batch_;
    std::size_t count_ = 0;
    std::string texts_;  // the texts of the batch's pairs, kept for the finding's texts
};

}  // namespace corvel::report
