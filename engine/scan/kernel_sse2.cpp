// The classifier on SSE2, which every x86-64 processor has: 16 bytes per
// compare, and a popcount without the POPCNT instruction.
#include "block_scan.h"

#if defined(CORVEL_VECTOR_KERNELS)

#include <emmintrin.h>

namespace corvel::scan {

namespace {

struct Sse2Masks {
    template <char Own>
    static ByteMasks load(const unsigned char* p)
    {
        const __m128i cr = _mm_set1_epi8('\r');
        const __m128i lf = _mm_set1_epi8('\n');
        const __m128i own = _mm_set1_epi8(Own);
        const __m128i highFrom = _mm_set1_epi8(static_cast<char>(0x81));
        ByteMasks m {0, 0, 0, 0};
        for (unsigned i = 0; i < 4; ++i) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
            m.cr |= bits(_mm_cmpeq_epi8(v, cr), i);
            m.lf |= bits(_mm_cmpeq_epi8(v, lf), i);
            // max(v, 0x81) == v exactly for the bytes 0x81 to 0xFF.
            m.high |= bits(_mm_cmpeq_epi8(_mm_max_epu8(v, highFrom), v), i);
            m.own |= bits(_mm_cmpeq_epi8(v, own), i);
        }
        return m;
    }
    static bool quiet(const unsigned char* p, bool high)
    {
        const __m128i cr = _mm_set1_epi8('\r');
        const __m128i highFrom = _mm_set1_epi8(static_cast<char>(0x81));
        __m128i found = _mm_setzero_si128();
        for (unsigned i = 0; i < 4; ++i) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
            found = _mm_or_si128(found, _mm_cmpeq_epi8(v, cr));
            if (high)
                found = _mm_or_si128(found, _mm_cmpeq_epi8(_mm_max_epu8(v, highFrom), v));
        }
        return _mm_movemask_epi8(found) == 0;
    }
    static unsigned popcount(std::uint64_t x) { return portablePopcount(x); }
    static std::uint64_t prefixXor(std::uint64_t x) { return shiftedPrefixXor(x); }
    static std::uint64_t addWithCarry(std::uint64_t a, std::uint64_t b, std::uint64_t carry,
                                      std::uint64_t& sum)
    {
        return x86AddWithCarry(a, b, carry, sum);
    }

private:
    static std::uint64_t bits(__m128i bytes, unsigned part)
    {
        return std::uint64_t {static_cast<std::uint16_t>(_mm_movemask_epi8(bytes))} << (16 * part);
    }
};

}  // namespace

ScanFunction sse2Scan(Layout layout, bool copying)
{
    return scansOf<BaselineScans<Sse2Masks>>(layout, copying);
}

}  // namespace corvel::scan

#endif
