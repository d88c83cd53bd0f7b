// Bit masks of a 64-byte block for the scanner's fast path: which bytes are
// high (0x80 and above), CR, LF and '=', where two bytes in a row are the
// halves of 烫, 屯 or 锟, and whether the block may hold a control byte (or
// 0x7F, 0x80, 0xFF) or a '?', whose exact places are looked up only when
// needed. Written once on the lanes of every instruction set (byte_lanes.h).
#pragma once

#include "scan/byte_lanes.h"

#include <cstdint>

namespace corvel::encoding {

struct BlockMasks {
    std::uint64_t high = 0;
    std::uint64_t cr = 0;
    std::uint64_t lf = 0;
    // The second bytes of 0xCC/0xCD 0xCC/0xCD (烫, 屯) and 0xEF 0xBF (锟),
    // the byte before the block counting as the first.
    std::uint64_t marks = 0;
    std::uint64_t equals = 0;  // only when asked for
    // A control byte (or only a TAB, which is none here) or a '?'.
    bool maybeRare = false;
};

// `marks` from the masks of 0xCC/0xCD, 0xEF and 0xBF and the byte before.
inline std::uint64_t markPairs(std::uint64_t heat, std::uint64_t ef, std::uint64_t bf,
                               unsigned char before)
{
    const std::uint64_t heatBefore = (before | 1) == 0xCD ? 1 : 0;
    const std::uint64_t efBefore = before == 0xEF ? 1 : 0;
    return (heat & ((heat << 1) | heatBefore)) | (bf & ((ef << 1) | efBefore));
}

// The bits of the bytes of p[0..63] that equal `value`.
inline std::uint64_t bytesEqual(const char* p, unsigned char value)
{
    using L = lanes::BaselineLanes;
    return L::bits(L::eq(L::load(p), value));
}

// A control byte other than TAB, CR and LF, or 0x7F; in GBK also 0x80 and
// 0xFF, which are no GBK (in UTF-8 0x80 is a continuation byte, and 0xFF
// fails the UTF-8 test).
inline bool isControlByte(unsigned char b, bool utf8)
{
    return (b < 0x20 && b != '\t' && b != '\r' && b != '\n') || b == 0x7F ||
           (!utf8 && (b == 0x80 || b == 0xFF));
}

// Whether p[0..63] holds a control byte.
inline bool hasControlByte(const char* p, bool utf8)
{
    for (int i = 0; i < 64; ++i)
        if (isControlByte(static_cast<unsigned char>(p[i]), utf8))
            return true;
    return false;
}

// The masks of p[0..63] by `Lanes`; `before` is the byte before the block.
// Utf8: 0x80 and 0xFF are no control bytes (see isControlByte). A TAB may
// count as one here: maybeRare only sends the block to the exact test.
template <class Lanes, bool Utf8>
inline BlockMasks blockMasks(const char* p, bool wantEquals, unsigned char before)
{
    using L = Lanes;
    const auto v = L::load(p);
    const auto cr = L::eq(v, '\r');
    const auto lf = L::eq(v, '\n');
    auto controls = L::either(L::atMost(v, 0x1F), L::eq(v, 0x7F));
    if constexpr (!Utf8)
        controls = L::either(controls, L::either(L::eq(v, 0x80), L::eq(v, 0xFF)));
    BlockMasks m;
    m.high = L::bits(v);
    m.cr = L::bits(cr);
    m.lf = L::bits(lf);
    m.maybeRare = L::any(L::either(L::butNot(controls, L::either(cr, lf)), L::eq(v, '?')));
    m.marks = markPairs(L::bits(L::either(L::eq(v, 0xCC), L::eq(v, 0xCD))), L::bits(L::eq(v, 0xEF)),
                        L::bits(L::eq(v, 0xBF)), before);
    if (wantEquals)
        m.equals = L::bits(L::eq(v, '='));
    return m;
}

// GBK pairing in a block of the fast path, where no byte is 0x80 or 0xFF
// and every high byte is a lead or a trail. A run of high bytes starts at a
// character boundary; its bytes pair up from the start, and a run of odd
// length takes the byte after it as its trail. `leadBefore`: the block's
// first byte is the trail of a lead before it.
struct Pairing {
    std::uint64_t lowTrails = 0;  // bytes below 0x80 that are trails
    bool leadAtEnd = false;       // the last byte is a lead
};

inline Pairing pairGbk(std::uint64_t high, bool leadBefore)
{
    constexpr std::uint64_t kEven = 0x5555555555555555ULL;
    Pairing result;
    const std::uint64_t first = leadBefore ? 1 : 0;
    result.lowTrails = first & ~high;
    const std::uint64_t runs = high & ~first;
    const std::uint64_t starts = runs & ~(runs << 1);
    const std::uint64_t evenStarts = starts & kEven;
    const std::uint64_t oddStarts = starts & ~kEven;
    // Adding a run's start bit carries through the run to the bit after it.
    const std::uint64_t afterEvenRuns = (runs + evenStarts) & ~runs;
    std::uint64_t afterOddRuns = runs + oddStarts;
    result.leadAtEnd = afterOddRuns < runs;  // carried out: an odd run reaching bit 63
    afterOddRuns &= ~runs;
    // A run from an even start is odd when the bit after it is odd, and
    // the other way round.
    result.lowTrails |= (afterEvenRuns & ~kEven) | (afterOddRuns & kEven);
    return result;
}

}  // namespace corvel::encoding
