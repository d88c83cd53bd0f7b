// The classifier on AVX-512 (F and BW): one compare per mask for all 64
// bytes of a block, straight into a mask register, with the bit steps of
// the AVX2 path (the AVX-512 bundle, processor_features.h).
#include "block_scan.h"

#if defined(CORVEL_VECTOR_KERNELS)

#include <immintrin.h>

namespace corvel::scan {

namespace {

struct Avx512Masks : ClmulBitSteps {
    template <char Own>
    CORVEL_KERNEL_AVX512 static ByteMasks load(const unsigned char* p)
    {
        const __m512i v = _mm512_loadu_si512(p);
        return {
            _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8('\r')),
            _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8('\n')),
            _mm512_cmpge_epu8_mask(v, _mm512_set1_epi8(static_cast<char>(0x81))),
            _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8(Own)),
        };
    }
    CORVEL_KERNEL_AVX512 static bool quiet(const unsigned char* p, bool high)
    {
        const __m512i v = _mm512_loadu_si512(p);
        __mmask64 found = _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8('\r'));
        if (high)
            found |= _mm512_cmpge_epu8_mask(v, _mm512_set1_epi8(static_cast<char>(0x81)));
        return found == 0;
    }
};

}  // namespace

ScanFunction avx512Scan(Layout layout, bool copying)
{
    return scansOf<Avx512Scans<Avx512Masks>>(layout, copying);
}

}  // namespace corvel::scan

#endif
