// inconsistent-translation: which translation of a source is the odd one
// out can only be told once every pair of the dictionary has been seen. So
// the rule takes two passes over the same pairs. The census pass counts,
// for each distinct source text, the lines of each of its translations;
// settle() then picks each inconsistent source's most used translation; the
// report pass asks, pair by pair, whether its translation is one of the
// others.
//
// Memory: fingerprints for the whole dictionary during the census (24 bytes
// a slot, the table at most 70% full), texts only for the sources found with
// more than one translation. settle() lets the large table go: the report
// pass looks only at the inconsistent sources, in a table small enough to
// stay in the processor's cache.
#pragma once

#include "table_memory.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvel::report {

class ConsistencyIndex {
public:
    // What a pair whose translation is not its source's most used one is
    // told. `major` stays valid until the next call of look().
    struct Verdict {
        std::int32_t lines = 0;         // lines of this pair's translation
        std::string_view major;         // the most used translation's bytes
        std::int32_t majorLines = 0;    // its lines
        std::int32_t majorFirst = 0;    // the first of them
        std::int32_t translations = 0;  // distinct translations of the source
    };

    // `expectedSources`: a guess of the distinct sources to come, to start
    // the table at its size (it still grows past it).
    explicit ConsistencyIndex(std::size_t expectedSources = 0);

    // The census pass: counts a pair (`line`: its translation's line).
    void count(std::string_view source, std::string_view translation, std::int32_t line);
    // After the census: decides which translation of each source is the
    // most used one. Of translations used on as many lines, the one met
    // first is.
    void settle();

    // The report pass, pairs in the census's order: the verdict on a pair
    // whose translation is not the most used one of its source.
    std::optional<Verdict> look(std::uint64_t source, std::string_view translation);

    std::size_t distinctSources() const { return used_; }
    std::size_t inconsistentSources() const { return groups_.size(); }
    // The most it held at once (at the end of the census).
    std::size_t memoryBytes() const { return std::max(peakBytes_, heldBytes()); }

    static std::uint64_t sourceFingerprint(std::string_view source);
    static std::uint64_t translationFingerprint(std::string_view translation);

private:
#pragma pack(push, 4)
    struct Slot {
        std::uint64_t source;  // 0: empty
        std::uint64_t translation;  // the first translation met
        std::int32_t line;          // its first line
        std::uint32_t tally;        // its lines, or kGroup | the source's group
    };
#pragma pack(pop)
    static_assert(sizeof(Slot) == 24);
    static constexpr std::uint32_t kGroup = 0x80000000u;

    // One translation of a source that has several.
    struct Variant {
        std::uint64_t translation = 0;
        std::int32_t firstLine = 0;
        std::int32_t lines = 0;
        std::uint32_t group = 0;
        bool held = false;  // its text is in texts_
        std::size_t textAt = 0;
        std::size_t textSize = 0;
    };
    struct Group {
        std::uint64_t source = 0;
        std::uint64_t majorTranslation = 0;  // set by settle()
        std::uint32_t major = 0;             // the variant used most
        std::int32_t translations = 0;
        bool majorHeld = false;  // its text is held (kept here, not to touch the variant)
    };
    // A small open-addressing table of indexes by a nonzero 64-bit key, at
    // most half full.
    class KeyedIndex {
    public:
        struct Slot {
            std::uint64_t key;  // 0: free
            std::uint32_t index;
        };
        KeyedIndex();
        // The index of `key`, if held.
        std::optional<std::uint32_t> find(std::uint64_t key) const;
        void add(std::uint64_t key, std::uint32_t index);
        std::size_t bytes() const { return slots_.capacity() * sizeof(Slot); }

    private:
        std::size_t at(std::uint64_t key) const;
        std::vector<Slot> slots_;
        std::size_t used_ = 0;
    };
    // A pair counted but not yet looked up: the census takes pairs in
    // batches so that the table's trips to memory overlap.
    struct Pending {
        std::uint64_t source;
        std::uint64_t translation;
        std::int32_t line;
        std::size_t textAt;
        std::size_t textSize;
    };
    static constexpr std::size_t kBatch = 32;

    void flush();
    void countOne(const Pending& pair, std::string_view text);
    Slot* find(std::uint64_t source);
    void split(Slot& slot, const Pending& pair, std::string_view text);
    std::size_t heldBytes() const;
    std::uint32_t addVariant(std::uint64_t source, std::uint32_t group, std::uint64_t translation,
                             std::int32_t line, std::int32_t lines);
    void hold(Variant& variant, std::string_view text);
    void allocate(std::size_t slots);
    void grow();
    static std::uint64_t variantKey(std::uint64_t source, std::uint64_t translation);

    TableMemory memory_;
    Slot* slots_ = nullptr;
    std::size_t mask_ = 0;
    std::size_t used_ = 0;
    std::vector<Group> groups_;
    std::vector<Variant> variants_;
    KeyedIndex variantAt_;  // by variantKey()
    KeyedIndex groupAt_;    // by source, filled by settle()
    // One bit for each inconsistent source, at a few bits of its
    // fingerprint: most consistent sources are passed over on a clear bit,
    // which stays in the cache where groupAt_ may not.
    std::vector<std::uint64_t> groupBits_;
    std::size_t groupBitMask_ = 0;
    std::size_t peakBytes_ = 0;
    std::string texts_;  // the held variants' texts
    std::array<Pending, kBatch> pending_ {};
    std::size_t pendingCount_ = 0;
    std::string pendingTexts_;
};

}  // namespace corvel::report
