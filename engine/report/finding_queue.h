// The last few pairs' findings wait here on their way to the sink, and leave
// in line order, a batch at a time. The consistency rule's finding, decided
// against the census of the whole dictionary, takes its place among its
// pair's when the pair asks for it.
#pragma once

#include "consistency_index.h"
#include "corvel/report/finding.h"
#include "corvel/report/text_decoder.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace corvel::report {

class FindingQueue {
public:
    struct Entry {
        std::vector<Finding> findings;  // in order
    };

    // `consistency`: the census of the same pairs (null: the rule is off).
    FindingQueue(FindingSink& sink, const TextDecoder& decoder, ConsistencyIndex* consistency);

    // The entry for the next pair, emptied; fill it, then push().
    Entry& next();
    // Adds the entry's inconsistent-translation finding here, if its pair's
    // translation is not the one its source has on most lines.
    void checkConsistency(Entry& entry, std::string_view source, std::string_view translation,
                          std::int32_t line);
    // Queues the entry; a full queue lets its whole batch leave.
    void push();
    // Lets every queued entry leave (none once the sink said stop).
    void drain();
    // Whether the sink has said stop.
    bool stopped() const { return stopped_; }

    static constexpr std::size_t kBatch = 32;

private:
    FindingSink& sink_;
    const TextDecoder& decoder_;
    ConsistencyIndex* index_;
    std::array<Entry, kBatch> batch_;
    std::size_t count_ = 0;
    bool stopped_ = false;
};

}  // namespace corvel::report
