// Bit masks of a 64-byte block for the scanner's fast path: which bytes are
// high (0x80 and above), CR, LF, 0xCC/0xCD and '=', and whether the block
// may hold a control byte (or 0x7F, 0x80, 0xFF), a '?' or a 0xEF, whose
// exact places are found only when needed.
#pragma once

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace corvel::encoding {

struct BlockMasks {
    std::uint64_t high = 0;
    std::uint64_t cr = 0;
    std::uint64_t lf = 0;
    std::uint64_t heat = 0;    // 0xCC or 0xCD: halves of 烫 and 屯
    std::uint64_t equals = 0;  // only when asked for
    bool maybeControl = false; // also TAB, which the exact test lets pass
    bool maybeQuestion = false;
    bool maybeEf = false;
};

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

// Whether p[0..63] holds a control byte other than TAB, CR and LF, or one
// of 0x7F, 0x80, 0xFF.
inline bool hasControlByte(const char* p)
{
    for (int i = 0; i < 64; ++i) {
        auto b = static_cast<unsigned char>(p[i]);
        if ((b < 0x20 && b != '\t' && b != '\r' && b != '\n') || b == 0x7F || b == 0x80 ||
            b == 0xFF)
            return true;
    }
    return false;
}

inline BlockMasks blockMasks(const char* p, bool wantEquals)
{
    BlockMasks m;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i one = _mm_set1_epi8(1);
    const __m128i space = _mm_set1_epi8(0x20);
    const __m128i belowDel = _mm_set1_epi8(-126);
    const __m128i question = _mm_set1_epi8('?');
    const __m128i heat = _mm_set1_epi8(static_cast<char>(0xCD));
    const __m128i ef = _mm_set1_epi8(static_cast<char>(0xEF));
    const __m128i eq = _mm_set1_epi8('=');
    __m128i controls = _mm_setzero_si128();
    __m128i questions = _mm_setzero_si128();
    __m128i efs = _mm_setzero_si128();
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
        __m128i control = _mm_or_si128(_mm_cmpeq_epi8(_mm_min_epu8(next, space), next),
                                       _mm_cmplt_epi8(next, belowDel));
        controls = _mm_or_si128(controls, _mm_andnot_si128(_mm_or_si128(isCr, isLf), control));
        questions = _mm_or_si128(questions, _mm_cmpeq_epi8(v, question));
        efs = _mm_or_si128(efs, _mm_cmpeq_epi8(v, ef));
        m.heat |= std::uint64_t {static_cast<std::uint32_t>(
                      _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_or_si128(v, one), heat)))}
                  << shift;
        if (wantEquals)
            m.equals |= std::uint64_t {static_cast<std::uint32_t>(
                            _mm_movemask_epi8(_mm_cmpeq_epi8(v, eq)))}
                        << shift;
    }
    m.maybeControl = _mm_movemask_epi8(controls) != 0;
    m.maybeQuestion = _mm_movemask_epi8(questions) != 0;
    m.maybeEf = _mm_movemask_epi8(efs) != 0;
#else
    for (int i = 0; i < 64; ++i) {
        auto b = static_cast<unsigned char>(p[i]);
        const std::uint64_t bit = std::uint64_t {1} << i;
        if (b >= 0x80)
            m.high |= bit;
        if (b == '\r')
            m.cr |= bit;
        if (b == '\n')
            m.lf |= bit;
        if ((b | 1) == 0xCD)
            m.heat |= bit;
        if (wantEquals && b == '=')
            m.equals |= bit;
        if ((b < 0x20 && b != '\r' && b != '\n') || b == 0x7F || b == 0x80 || b == 0xFF)
            m.maybeControl = true;
        m.maybeQuestion |= b == '?';
        m.maybeEf |= b == 0xEF;
    }
#endif
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
    if (leadBefore && (high & 1) == 0)
        result.lowTrails |= 1;
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
