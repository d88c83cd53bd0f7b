#include "consistency_index.h"

#include "text_hash.h"

namespace corvel::report {

namespace {
constexpr std::size_t kInitialSlots = 1024;
constexpr std::uint64_t kSourceSeed = 0x5eed0001;
constexpr std::uint64_t kTranslationSeed = 0x5eed0002;
}  // namespace

ConsistencyIndex::ConsistencyIndex()
{
    allocate(kInitialSlots);
}

// A new, empty table; the memory comes zero-filled, and 0 marks a free slot.
void ConsistencyIndex::allocate(std::size_t slots)
{
    memory_ = TableMemory(slots * sizeof(Slot));
    slots_ = static_cast<Slot*>(memory_.data());
    mask_ = slots - 1;
}

std::uint64_t ConsistencyIndex::sourceFingerprint(std::string_view source)
{
    std::uint64_t f = fingerprint(source, kSourceSeed);
    return f != 0 ? f : 1;  // 0 marks an empty slot
}

std::uint64_t ConsistencyIndex::translationFingerprint(std::string_view translation)
{
    return fingerprint(translation, kTranslationSeed);
}

std::optional<std::int32_t> ConsistencyIndex::record(std::string_view source,
                                                     std::string_view translation,
                                                     std::int32_t line)
{
    return record(sourceFingerprint(source), translationFingerprint(translation), line);
}

std::optional<std::int32_t> ConsistencyIndex::record(std::uint64_t source,
                                                     std::uint64_t translation, std::int32_t line)
{
    std::size_t i = static_cast<std::size_t>(source) & mask_;
    for (;;) {
        Slot& slot = slots_[i];
        if (slot.source == source) {
            if (slot.translation == translation)
                return std::nullopt;
            return slot.line;
        }
        if (slot.source == 0)
            break;
        i = (i + 1) & mask_;
    }
    slots_[i] = Slot {source, translation, line};
    if (++used_ * 10 > (mask_ + 1) * 7)
        grow();
    return std::nullopt;
}

void ConsistencyIndex::grow()
{
    TableMemory oldMemory = std::move(memory_);
    const Slot* old = static_cast<const Slot*>(oldMemory.data());
    std::size_t oldSlots = mask_ + 1;
    allocate(oldSlots * 2);
    for (std::size_t k = 0; k < oldSlots; ++k) {
        const Slot& slot = old[k];
        if (slot.source == 0)
            continue;
        std::size_t i = static_cast<std::size_t>(slot.source) & mask_;
        while (slots_[i].source != 0)
            i = (i + 1) & mask_;
        slots_[i] = slot;
    }
}

}  // namespace corvel::report
