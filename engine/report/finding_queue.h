// The last few pairs' findings wait here on their way to the sink, and leave
// in line order, a batch at a time. The finding of a rule that weighs a pair
// against the census of the whole dictionary takes its place among its
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

// The census's verdict on a pair whose source has another translation
// elsewhere, its texts in UTF-8, for the rules that weigh a pair against
// the whole dictionary.
struct DictionaryVerdict {
    std::string_view source;
    std::string_view translation;
    ConsistencyIndex::Verdict census;  // its `major` in UTF-8
};

class FindingQueue {
public:
    struct Entry {
        std::vector<Finding> findings;  // in order
    };

    // `consistency`: the census of the same pairs (null: the rule is off).
    FindingQueue(FindingSink& sink, const TextDecoder& decoder, ConsistencyIndex* consistency);

    // The entry for the next pair, emptied; fill it, then push().
    Entry& next();
    // Adds the entry's findings of the rules weighing a pair against the
    // census, when its translation is not the only one of its source.
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
