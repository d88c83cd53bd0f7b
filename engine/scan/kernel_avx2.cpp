// The classifier on AVX2: 32 bytes per compare, with POPCNT and PCLMULQDQ
// for the bit steps (the AVX2 bundle, processor_features.h).
#include "block_scan.h"

#if defined(CORVEL_VECTOR_KERNELS)

#include <immintrin.h>

namespace corvel::scan {

namespace {

struct Avx2Masks : ClmulBitSteps {
    template <char Own>
    CORVEL_KERNEL_AVX2 static ByteMasks load(const unsigned char* p)
    {
        const __m256i lo = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        const __m256i hi = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
        const __m256i cr = _mm256_set1_epi8('\r');
        const __m256i lf = _mm256_set1_epi8('\n');
        const __m256i own = _mm256_set1_epi8(Own);
        const __m256i highFrom = _mm256_set1_epi8(static_cast<char>(0x81));
        return {
            bits(_mm256_cmpeq_epi8(lo, cr), _mm256_cmpeq_epi8(hi, cr)),
            bits(_mm256_cmpeq_epi8(lo, lf), _mm256_cmpeq_epi8(hi, lf)),
            // max(v, 0x81) == v exactly for the bytes 0x81 to 0xFF.
            bits(_mm256_cmpeq_epi8(_mm256_max_epu8(lo, highFrom), lo),
                 _mm256_cmpeq_epi8(_mm256_max_epu8(hi, highFrom), hi)),
            bits(_mm256_cmpeq_epi8(lo, own), _mm256_cmpeq_epi8(hi, own)),
        };
    }
    CORVEL_KERNEL_AVX2 static bool quiet(const unsigned char* p, bool high)
    {
        const __m256i lo = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        const __m256i hi = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
        const __m256i cr = _mm256_set1_epi8('\r');
        __m256i found = _mm256_or_si256(_mm256_cmpeq_epi8(lo, cr), _mm256_cmpeq_epi8(hi, cr));
        if (high) {
            const __m256i highFrom = _mm256_set1_epi8(static_cast<char>(0x81));
            found = _mm256_or_si256(found, _mm256_cmpeq_epi8(_mm256_max_epu8(lo, highFrom), lo));
            found = _mm256_or_si256(found, _mm256_cmpeq_epi8(_mm256_max_epu8(hi, highFrom), hi));
        }
        return _mm256_testz_si256(found, found) != 0;
    }
private:
    CORVEL_KERNEL_AVX2 static std::uint64_t bits(__m256i low, __m256i high)
    {
        return std::uint64_t {static_cast<std::uint32_t>(_mm256_movemask_epi8(low))}
               | std::uint64_t {static_cast<std::uint32_t>(_mm256_movemask_epi8(high))} << 32;
    }
};

}  // namespace

ScanFunction avx2Scan(Layout layout, bool copying)
{
    return scansOf<Avx2Scans<Avx2Masks>>(layout, copying);
}

}  // namespace corvel::scan

#endif
