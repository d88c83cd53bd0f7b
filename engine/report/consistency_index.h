// inconsistent-translation: remembers, for each distinct source text, a
// fingerprint of its first translation and the line of that pair, and
// tells when a later pair of the same source has another translation. Only
// fingerprints are kept, never the texts: 20 bytes a slot, the table at
// most 70% full (so 29 to 57 bytes a distinct source).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include "table_memory.h"
#include <string_view>

namespace corvel::report {

class ConsistencyIndex {
public:
    ConsistencyIndex();

    // Records a pair; the line of the first pair of the same source when
    // its translation differs from this one.
    std::optional<std::int32_t> record(std::string_view source, std::string_view translation,
                                       std::int32_t line);
    // The same with the fingerprints already taken.
    std::optional<std::int32_t> record(std::uint64_t source, std::uint64_t translation,
                                       std::int32_t line);

    // Starts loading the slot of `source` into the cache, for a record()
    // of it a little later.
    void prefetch(std::uint64_t source) const
    {
        __builtin_prefetch(&slots_[static_cast<std::size_t>(source) & mask_]);
    }

    std::size_t distinctSources() const { return used_; }
    std::size_t memoryBytes() const { return memory_.size(); }

    static std::uint64_t sourceFingerprint(std::string_view source);
    static std::uint64_t translationFingerprint(std::string_view translation);

private:
#pragma pack(push, 4)
    struct Slot {
        std::uint64_t source;  // 0: empty
        std::uint64_t translation;
        std::int32_t line;
    };
#pragma pack(pop)
    static_assert(sizeof(Slot) == 20);

    void allocate(std::size_t slots);
    void grow();

    TableMemory memory_;
    Slot* slots_ = nullptr;
    std::size_t mask_ = 0;
    std::size_t used_ = 0;
};

}  // namespace corvel::report
