// Bit masks of a 64-byte block for the scanner's fast path: which bytes are
// high (0x80 and above), CR, LF and '=', where two bytes in a row are the
// halves of 烫, 屯 or 锟, and whether the block may hold a control byte (or
// 0x7F, 0x80, 0xFF) or a '?', whose exact places are looked up only when
// needed. One version per instruction
// set: SSE2 everywhere on x86-64, AVX2 and AVX-512 in their kernel bundles
// (processor_features.h).
#pragma once

#include "processor_features.h"

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(CORVEL_VECTOR_KERNELS)
#include <immintrin.h>
#endif

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
    std::uint64_t mask = 0;
#if defined(__SSE2__)
    const __m128i v = _mm_set1_epi8(static_cast<char>(value));
    for (int i = 0; i < 4; ++i) {
        __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
        mask |= std::uint64_t {static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, v)))}
                << (16 * i);
    }
#else
    for (int i = 0; i < 64; ++i)
        mask |= std::uint64_t {static_cast<unsigned char>(p[i]) == value} << i;
#endif
    return mask;
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

// Utf8: 0x80 and 0xFF are no control bytes (see isControlByte).
template <bool Utf8>
inline BlockMasks blockMasksPortable(const char* p, bool wantEquals, unsigned char before, bool)
{
    BlockMasks m;
    std::uint64_t heat = 0, ef = 0, bf = 0;
    for (int i = 0; i < 64; ++i) {
        auto b = static_cast<unsigned char>(p[i]);
        const std::uint64_t bit = std::uint64_t {1} << i;
        m.high |= b >= 0x80 ? bit : 0;
        m.cr |= b == '\r' ? bit : 0;
        m.lf |= b == '\n' ? bit : 0;
        heat |= (b | 1) == 0xCD ? bit : 0;
        ef |= b == 0xEF ? bit : 0;
        bf |= b == 0xBF ? bit : 0;
        m.equals |= wantEquals && b == '=' ? bit : 0;
        m.maybeRare |= isControlByte(b, Utf8) || b == '?';
    }
    m.marks = markPairs(heat, ef, bf, before);
    return m;
}

#if defined(__SSE2__)
template <bool Utf8>
inline BlockMasks blockMasksSse2(const char* p, bool wantEquals, unsigned char before, bool)
{
    BlockMasks m;
    std::uint64_t heats = 0, efs = 0, bfs = 0;
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i one = _mm_set1_epi8(1);
    const __m128i space = _mm_set1_epi8(0x20);
    const __m128i belowDel = _mm_set1_epi8(-126);
    const __m128i question = _mm_set1_epi8('?');
    const __m128i heat = _mm_set1_epi8(static_cast<char>(0xCD));
    const __m128i ef = _mm_set1_epi8(static_cast<char>(0xEF));
    const __m128i bf = _mm_set1_epi8(static_cast<char>(0xBF));
    __m128i rare = _mm_setzero_si128();
    for (int i = 0; i < 4; ++i) {
        const int shift = 16 * i;
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + shift));
        __m128i isCr = _mm_cmpeq_epi8(v, cr);
        __m128i isLf = _mm_cmpeq_epi8(v, lf);
        m.high |= std::uint64_t {static_cast<std::uint32_t>(_mm_movemask_epi8(v))} << shift;
        m.cr |= std::uint64_t {static_cast<std::uint32_t>(_mm_movemask_epi8(isCr))} << shift;
        m.lf |= std::uint64_t {static_cast<std::uint32_t>(_mm_movemask_epi8(isLf))} << shift;
        // v + 1 is at most 0x20 for 0x00-0x1F and 0xFF, and is 0x80 or 0x81
        // (the two lowest signed values) for 0x7F and 0x80.
        __m128i next = _mm_add_epi8(v, one);
        __m128i control =
            Utf8 ? _mm_or_si128(_mm_cmpeq_epi8(_mm_min_epu8(v, _mm_set1_epi8(0x1F)), v),
                                _mm_cmpeq_epi8(v, _mm_set1_epi8(0x7F)))
                 : _mm_or_si128(_mm_cmpeq_epi8(_mm_min_epu8(next, space), next),
                                _mm_cmplt_epi8(next, belowDel));
        rare = _mm_or_si128(rare, _mm_andnot_si128(_mm_or_si128(isCr, isLf), control));
        rare = _mm_or_si128(rare, _mm_cmpeq_epi8(v, question));
        heats |= std::uint64_t {static_cast<std::uint32_t>(
                     _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_or_si128(v, one), heat)))}
                 << shift;
        efs |= std::uint64_t {static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, ef)))}
               << shift;
        bfs |= std::uint64_t {static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, bf)))}
               << shift;
    }
    m.maybeRare = _mm_movemask_epi8(rare) != 0;
    m.marks = markPairs(heats, efs, bfs, before);
    if (wantEquals)
        m.equals = bytesEqual(p, '=');
    return m;
}
#endif

#if defined(CORVEL_VECTOR_KERNELS)
template <bool Utf8>
CORVEL_KERNEL_AVX2 __attribute__((always_inline)) inline BlockMasks blockMasksAvx2(
    const char* p, bool wantEquals, unsigned char before, bool)
{
    BlockMasks m;
    std::uint64_t heats = 0, efs = 0, bfs = 0;
    const __m256i cr = _mm256_set1_epi8('\r');
    const __m256i lf = _mm256_set1_epi8('\n');
    const __m256i one = _mm256_set1_epi8(1);
    const __m256i space = _mm256_set1_epi8(0x20);
    const __m256i belowDel = _mm256_set1_epi8(-126);
    const __m256i question = _mm256_set1_epi8('?');
    const __m256i heat = _mm256_set1_epi8(static_cast<char>(0xCD));
    const __m256i ef = _mm256_set1_epi8(static_cast<char>(0xEF));
    const __m256i bf = _mm256_set1_epi8(static_cast<char>(0xBF));
    const __m256i eq = _mm256_set1_epi8('=');
    __m256i rare = _mm256_setzero_si256();
    for (int i = 0; i < 2; ++i) {
        const int shift = 32 * i;
        __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + shift));
        __m256i isCr = _mm256_cmpeq_epi8(v, cr);
        __m256i isLf = _mm256_cmpeq_epi8(v, lf);
        m.high |= std::uint64_t {static_cast<std::uint32_t>(_mm256_movemask_epi8(v))} << shift;
        m.cr |= std::uint64_t {static_cast<std::uint32_t>(_mm256_movemask_epi8(isCr))} << shift;
        m.lf |= std::uint64_t {static_cast<std::uint32_t>(_mm256_movemask_epi8(isLf))} << shift;
        __m256i next = _mm256_add_epi8(v, one);
        __m256i control =
            Utf8 ? _mm256_or_si256(
                       _mm256_cmpeq_epi8(_mm256_min_epu8(v, _mm256_set1_epi8(0x1F)), v),
                       _mm256_cmpeq_epi8(v, _mm256_set1_epi8(0x7F)))
                 : _mm256_or_si256(_mm256_cmpeq_epi8(_mm256_min_epu8(next, space), next),
                                   _mm256_cmpgt_epi8(belowDel, next));
        rare = _mm256_or_si256(rare, _mm256_andnot_si256(_mm256_or_si256(isCr, isLf), control));
        rare = _mm256_or_si256(rare, _mm256_cmpeq_epi8(v, question));
        heats |= std::uint64_t {static_cast<std::uint32_t>(
                     _mm256_movemask_epi8(_mm256_cmpeq_epi8(_mm256_or_si256(v, one), heat)))}
                 << shift;
        efs |= std::uint64_t {static_cast<std::uint32_t>(
                   _mm256_movemask_epi8(_mm256_cmpeq_epi8(v, ef)))}
               << shift;
        bfs |= std::uint64_t {static_cast<std::uint32_t>(
                   _mm256_movemask_epi8(_mm256_cmpeq_epi8(v, bf)))}
               << shift;
        if (wantEquals)
            m.equals |= std::uint64_t {static_cast<std::uint32_t>(
                            _mm256_movemask_epi8(_mm256_cmpeq_epi8(v, eq)))}
                        << shift;
    }
    m.maybeRare = !_mm256_testz_si256(rare, rare);
    m.marks = markPairs(heats, efs, bfs, before);
    return m;
}

// The byte before each byte comes from a load one byte back; for the
// first block of a stretch (whose byte before may not be in memory any
// more) with its first lane masked off and set to `before`.
template <bool Utf8>
CORVEL_KERNEL_AVX512 __attribute__((always_inline)) inline BlockMasks blockMasksAvx512(
    const char* p, bool wantEquals, unsigned char before, bool first)
{
    BlockMasks m;
    const __m512i one = _mm512_set1_epi8(1);
    const __m512i heatByte = _mm512_set1_epi8(static_cast<char>(0xCD));
    const __m512i v = _mm512_loadu_si512(p);
    const __m512i prev =
        first ? _mm512_mask_set1_epi8(_mm512_maskz_loadu_epi8(~std::uint64_t {1}, p - 1), 1,
                                      static_cast<char>(before))
              : _mm512_loadu_si512(p - 1);
    const __m512i next = _mm512_add_epi8(v, one);
    m.high = _mm512_movepi8_mask(v);
    m.cr = _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8('\r'));
    m.lf = _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8('\n'));
    // Control bytes other than CR and LF (a TAB among them is let pass by
    // the exact test that follows).
    const __mmask64 notEnds = ~(m.cr | m.lf);
    __mmask64 controls;
    if constexpr (Utf8)
        controls = _mm512_mask_cmple_epu8_mask(notEnds, v, _mm512_set1_epi8(0x1F)) |
                   _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8(0x7F));
    else
        controls = _mm512_mask_cmple_epu8_mask(notEnds, next, _mm512_set1_epi8(0x20)) |
                   _mm512_cmpeq_epi8_mask(
                       _mm512_and_si512(next, _mm512_set1_epi8(static_cast<char>(0xFE))),
                       _mm512_set1_epi8(static_cast<char>(0x80)));
    m.maybeRare = (controls | _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8('?'))) != 0;
    __mmask64 heat = _mm512_cmpeq_epi8_mask(_mm512_or_si512(v, one), heatByte);
    __mmask64 bf = _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8(static_cast<char>(0xBF)));
    m.marks = _mm512_mask_cmpeq_epi8_mask(heat, _mm512_or_si512(prev, one), heatByte) |
              _mm512_mask_cmpeq_epi8_mask(bf, prev, _mm512_set1_epi8(static_cast<char>(0xEF)));
    if (wantEquals)
        m.equals = _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8('='));
    return m;
}
#endif

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
