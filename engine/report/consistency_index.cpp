#include "consistency_index.h"

#include "text_hash.h"

namespace corvel::report {

namespace {
constexpr std::size_t kInitialSlots = 1024;
constexpr std::uint64_t kSourceSeed = 0x5eed0001;
constexpr std::uint64_t kTranslationSeed = 0x5eed0002;
}  // namespace

ConsistencyIndex::ConsistencyIndex() : slots_(kInitialSlots, Slot {0, 0, 0}), mask_(kInitialSlots - 1)
{
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
    if (++used_ * 10 > slots_.size() * 7)
        grow();
    return std::nullopt;
}

void ConsistencyIndex::grow()
{
    std::vector<Slot> old(slots_.size() * 2, Slot {0, 0, 0});
    old.swap(slots_);
    mask_ = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.source == 0)
            continue;
        std::size_t i = static_cast<std::size_t>(slot.source) & mask_;
        while (slots_[i].source != 0)
            i = (i + 1) & mask_;
        slots_[i] = slot;
    }
}

}  // namespace corvel::report
