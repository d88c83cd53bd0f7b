#include "consistency_index.h"

#include "text_hash.h"

#include <limits>

namespace corvel::report {

namespace {
constexpr std::size_t kInitialSlots = 1024;
constexpr std::size_t kLargestStart = std::size_t {1} << 21;
constexpr std::size_t kInitialKeyedSlots = 256;
constexpr std::uint64_t kSourceSeed = 0x5eed0001;
constexpr std::uint64_t kTranslationSeed = 0x5eed0002;
constexpr std::uint64_t kVariantMix = 0x9e3779b97f4a7c15ull;
}  // namespace

ConsistencyIndex::ConsistencyIndex(std::size_t expectedSources)
{
    std::size_t slots = kInitialSlots;
    while (slots < kLargestStart && slots * 7 < expectedSources * 10)
        slots *= 2;
    allocate(slots);
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

std::uint64_t ConsistencyIndex::variantKey(std::uint64_t source, std::uint64_t translation)
{
    const std::uint64_t key = detail::fold(source ^ kVariantMix, translation) ^ source;
    return key != 0 ? key : 1;
}

ConsistencyIndex::KeyedIndex::KeyedIndex() : slots_(kInitialKeyedSlots, Slot {0, 0}) {}

// The slot of `key`, or the free slot where it would go.
std::size_t ConsistencyIndex::KeyedIndex::at(std::uint64_t key) const
{
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = static_cast<std::size_t>(key) & mask;
    while (slots_[i].key != key && slots_[i].key != 0)
        i = (i + 1) & mask;
    return i;
}

std::optional<std::uint32_t> ConsistencyIndex::KeyedIndex::find(std::uint64_t key) const
{
    const Slot& slot = slots_[at(key)];
    if (slot.key == 0)
        return std::nullopt;
    return slot.index;
}

void ConsistencyIndex::KeyedIndex::add(std::uint64_t key, std::uint32_t index)
{
    if ((used_ + 1) * 2 > slots_.size()) {
        std::vector<Slot> old(slots_.size() * 2, Slot {0, 0});
        old.swap(slots_);
        for (const Slot& slot : old)
            if (slot.key != 0)
                slots_[at(slot.key)] = slot;
    }
    Slot& slot = slots_[at(key)];
    if (slot.key == 0)
        ++used_;
    slot = Slot {key, index};
}

std::size_t ConsistencyIndex::heldBytes() const
{
    return memory_.size() + variants_.capacity() * sizeof(Variant) +
           groups_.capacity() * sizeof(Group) + texts_.capacity() + variantAt_.bytes() +
           groupAt_.bytes() + groupBits_.capacity() * sizeof(std::uint64_t);
}

void ConsistencyIndex::count(std::string_view source, std::string_view translation,
                             std::int32_t line)
{
    Pending& p = pending_[pendingCount_];
    p = Pending {sourceFingerprint(source), translationFingerprint(translation), line,
                 pendingTexts_.size(), translation.size()};
    pendingTexts_.append(translation);
    __builtin_prefetch(&slots_[static_cast<std::size_t>(p.source) & mask_]);
    if (++pendingCount_ == kBatch)
        flush();
}

void ConsistencyIndex::flush()
{
    std::string_view texts(pendingTexts_);
    for (std::size_t i = 0; i < pendingCount_; ++i)
        countOne(pending_[i], texts.substr(pending_[i].textAt, pending_[i].textSize));
    pendingCount_ = 0;
    pendingTexts_.clear();
}

ConsistencyIndex::Slot* ConsistencyIndex::find(std::uint64_t source)
{
    std::size_t i = static_cast<std::size_t>(source) & mask_;
    for (;;) {
        Slot& slot = slots_[i];
        if (slot.source == source || slot.source == 0)
            return &slot;
        i = (i + 1) & mask_;
    }
}

void ConsistencyIndex::countOne(const Pending& pair, std::string_view text)
{
    Slot* slot = find(pair.source);
    if (slot->source == 0) {
        *slot = Slot {pair.source, pair.translation, pair.line, 1};
        if (++used_ * 10 > (mask_ + 1) * 7)
            grow();
        return;
    }
    if ((slot->tally & kGroup) == 0) {
        if (slot->translation != pair.translation)
            split(*slot, pair, text);
        else if (slot->tally < kGroup - 1)
            ++slot->tally;
        return;
    }
    const std::uint32_t group = slot->tally & ~kGroup;
    if (std::optional<std::uint32_t> at = variantAt_.find(variantKey(pair.source, pair.translation))) {
        Variant& v = variants_[*at];
        if (v.lines < std::numeric_limits<std::int32_t>::max())
            ++v.lines;
        return;
    }
    hold(variants_[addVariant(pair.source, group, pair.translation, pair.line, 1)], text);
}

// A source met with a second translation: from now on each of its
// translations is counted on its own, and the texts of those met from here
// on are kept (the first one's is taken in the report pass, at its line).
void ConsistencyIndex::split(Slot& slot, const Pending& pair, std::string_view text)
{
    const auto group = static_cast<std::uint32_t>(groups_.size());
    Group g;
    g.source = pair.source;
    g.major = static_cast<std::uint32_t>(variants_.size());
    groups_.push_back(g);
    addVariant(pair.source, group, slot.translation, slot.line,
               static_cast<std::int32_t>(slot.tally));
    hold(variants_[addVariant(pair.source, group, pair.translation, pair.line, 1)], text);
    slot.tally = kGroup | group;
}

std::uint32_t ConsistencyIndex::addVariant(std::uint64_t source, std::uint32_t group,
                                           std::uint64_t translation, std::int32_t line,
                                           std::int32_t lines)
{
    const auto index = static_cast<std::uint32_t>(variants_.size());
    Variant v;
    v.translation = translation;
    v.firstLine = line;
    v.lines = lines;
    v.group = group;
    variants_.push_back(v);
    variantAt_.add(variantKey(source, translation), index);
    ++groups_[group].translations;
    return index;
}

void ConsistencyIndex::hold(Variant& variant, std::string_view text)
{
    variant.held = true;
    variant.textAt = texts_.size();
    variant.textSize = text.size();
    texts_.append(text);
}

// Variants are in the order they were first met, so a later one takes the
// lead only with more lines. The texts of the others are let go, and so is
// the table of every source: the report pass needs only the inconsistent
// ones.
void ConsistencyIndex::settle()
{
    flush();
    for (std::uint32_t i = 0; i < variants_.size(); ++i) {
        Group& g = groups_[variants_[i].group];
        if (variants_[i].lines > variants_[g.major].lines)
            g.major = i;
    }
    std::size_t bits = 64;
    while (bits < groups_.size() * 32)
        bits *= 2;
    groupBits_.assign(bits / 64, 0);
    groupBitMask_ = bits - 1;
    peakBytes_ = heldBytes();
    std::string kept;
    for (std::uint32_t k = 0; k < groups_.size(); ++k) {
        Group& g = groups_[k];
        Variant& major = variants_[g.major];
        g.majorTranslation = major.translation;
        groupAt_.add(g.source, k);
        const std::size_t bit = static_cast<std::size_t>(g.source >> 40) & groupBitMask_;
        groupBits_[bit / 64] |= std::uint64_t {1} << (bit % 64);
        g.majorHeld = major.held;
        if (!major.held)
            continue;
        const std::size_t at = kept.size();
        kept.append(texts_, major.textAt, major.textSize);
        major.textAt = at;
    }
    for (Variant& v : variants_)
        if (&v != &variants_[groups_[v.group].major])
            v.held = false;
    texts_ = std::move(kept);
    memory_ = TableMemory();
    slots_ = nullptr;
    mask_ = 0;
}

std::optional<ConsistencyIndex::Verdict> ConsistencyIndex::look(std::uint64_t source,
                                                               std::string_view translationText)
{
    const std::size_t bit = static_cast<std::size_t>(source >> 40) & groupBitMask_;
    if (groupBits_.empty() || (groupBits_[bit / 64] >> (bit % 64) & 1) == 0)
        return std::nullopt;
    const std::optional<std::uint32_t> group = groupAt_.find(source);
    if (!group)
        return std::nullopt;
    Group& g = groups_[*group];
    const std::uint64_t translation = translationFingerprint(translationText);
    if (translation == g.majorTranslation) {
        if (!g.majorHeld) {  // its first line: a later pair quotes it
            hold(variants_[g.major], translationText);
            g.majorHeld = true;
        }
        return std::nullopt;
    }
    const std::optional<std::uint32_t> at = variantAt_.find(variantKey(source, translation));
    if (!at || !g.majorHeld)  // not met by the census: the file changed since
        return std::nullopt;
    const Variant& major = variants_[g.major];
    return Verdict {variants_[*at].lines,
                    std::string_view(texts_).substr(major.textAt, major.textSize), major.lines,
                    major.firstLine, g.translations};
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
