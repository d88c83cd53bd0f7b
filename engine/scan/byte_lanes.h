// 64 bytes at a time in vector registers, for every pass that tests the
// bytes of a block: the line classifier, the line reader's line ends and
// the encoding scan. Those tests are written once on `Lanes`, of which there
// is one per instruction set (PortableLanes, Sse2Lanes, Avx2Lanes).
//
// A lane is one byte. A test gives 0xFF in the lanes where it holds and 0x00
// elsewhere; bits() turns the lanes' top bits into a mask, bit i for byte i.
//
// The AVX2 functions carry the bundle's target attribute (processor_
// features.h) but are not forced inline: the shared tests are built at
// baseline, and a forced inline of a wider function into them is refused.
// Each bundle's entry point is `flatten` with the same attribute instead,
// which inlines the shared tests and these functions into it alike.
#pragma once

#include "processor_features.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(CORVEL_VECTOR_KERNELS)
#include <immintrin.h>
#endif

// For each bundle's entry points (see above).
#if defined(__GNUC__)
#define CORVEL_LANES_FLATTEN __attribute__((flatten))
#else
#define CORVEL_LANES_FLATTEN
#endif

namespace corvel::lanes {

// Without vector instructions: for processors other than x86-64, and as a
// third opinion in the tests.
struct PortableLanes {
    struct Bytes {
        std::uint8_t b[64];
    };
    static Bytes load(const void* p)
    {
        Bytes v;
        std::memcpy(v.b, p, 64);
        return v;
    }
    static Bytes eq(const Bytes& v, std::uint8_t c)
    {
        return each(v, [c](std::uint8_t x) { return x == c; });
    }
    static Bytes atLeast(const Bytes& v, std::uint8_t c)
    {
        return each(v, [c](std::uint8_t x) { return x >= c; });
    }
    static Bytes atMost(const Bytes& v, std::uint8_t c)
    {
        return each(v, [c](std::uint8_t x) { return x <= c; });
    }
    static Bytes either(const Bytes& a, const Bytes& b)
    {
        Bytes r;
        for (int i = 0; i < 64; ++i)
            r.b[i] = a.b[i] | b.b[i];
        return r;
    }
    // The lanes of `a` that are not in `b`.
    static Bytes butNot(const Bytes& a, const Bytes& b)
    {
        Bytes r;
        for (int i = 0; i < 64; ++i)
            r.b[i] = a.b[i] & ~b.b[i];
        return r;
    }
    static std::uint64_t bits(const Bytes& v)
    {
        std::uint64_t m = 0;
        for (int i = 0; i < 64; ++i)
            m |= static_cast<std::uint64_t>(v.b[i] >> 7) << i;
        return m;
    }
    static bool any(const Bytes& v) { return bits(v) != 0; }

private:
    template <typename Test>
    static Bytes each(const Bytes& v, Test test)
    {
        Bytes r;
        for (int i = 0; i < 64; ++i)
            r.b[i] = test(v.b[i]) ? 0xFF : 0x00;
        return r;
    }
};

#if defined(__SSE2__)
// SSE2, which every x86-64 processor has: four registers of 16 lanes.
struct Sse2Lanes {
    struct Bytes {
        __m128i v[4];
    };
    static Bytes load(const void* p)
    {
        const auto* q = static_cast<const __m128i*>(p);
        return {{_mm_loadu_si128(q), _mm_loadu_si128(q + 1), _mm_loadu_si128(q + 2),
                 _mm_loadu_si128(q + 3)}};
    }
    static Bytes eq(const Bytes& v, std::uint8_t c)
    {
        const __m128i x = _mm_set1_epi8(static_cast<char>(c));
        return each(v, [x](__m128i a) { return _mm_cmpeq_epi8(a, x); });
    }
    // max(a, c) == a exactly where a >= c, and min(a, c) == a where a <= c.
    static Bytes atLeast(const Bytes& v, std::uint8_t c)
    {
        const __m128i x = _mm_set1_epi8(static_cast<char>(c));
        return each(v, [x](__m128i a) { return _mm_cmpeq_epi8(_mm_max_epu8(a, x), a); });
    }
    static Bytes atMost(const Bytes& v, std::uint8_t c)
    {
        const __m128i x = _mm_set1_epi8(static_cast<char>(c));
        return each(v, [x](__m128i a) { return _mm_cmpeq_epi8(_mm_min_epu8(a, x), a); });
    }
    static Bytes either(const Bytes& a, const Bytes& b)
    {
        return {{_mm_or_si128(a.v[0], b.v[0]), _mm_or_si128(a.v[1], b.v[1]),
                 _mm_or_si128(a.v[2], b.v[2]), _mm_or_si128(a.v[3], b.v[3])}};
    }
    static Bytes butNot(const Bytes& a, const Bytes& b)
    {
        return {{_mm_andnot_si128(b.v[0], a.v[0]), _mm_andnot_si128(b.v[1], a.v[1]),
                 _mm_andnot_si128(b.v[2], a.v[2]), _mm_andnot_si128(b.v[3], a.v[3])}};
    }
    static std::uint64_t bits(const Bytes& v)
    {
        std::uint64_t m = 0;
        for (int i = 0; i < 4; ++i)
            m |= std::uint64_t {static_cast<std::uint16_t>(_mm_movemask_epi8(v.v[i]))} << (16 * i);
        return m;
    }
    static bool any(const Bytes& v)
    {
        const __m128i all =
            _mm_or_si128(_mm_or_si128(v.v[0], v.v[1]), _mm_or_si128(v.v[2], v.v[3]));
        return _mm_movemask_epi8(all) != 0;
    }

private:
    template <typename Test>
    static Bytes each(const Bytes& v, Test test)
    {
        return {{test(v.v[0]), test(v.v[1]), test(v.v[2]), test(v.v[3])}};
    }
};
#endif

#if defined(CORVEL_VECTOR_KERNELS)
// AVX2: two registers of 32 lanes.
struct Avx2Lanes {
    struct Bytes {
        __m256i v[2];
    };
    CORVEL_KERNEL_AVX2 static Bytes load(const void* p)
    {
        const auto* q = static_cast<const __m256i*>(p);
        return {{_mm256_loadu_si256(q), _mm256_loadu_si256(q + 1)}};
    }
    CORVEL_KERNEL_AVX2 static Bytes eq(const Bytes& v, std::uint8_t c)
    {
        const __m256i x = _mm256_set1_epi8(static_cast<char>(c));
        return {{_mm256_cmpeq_epi8(v.v[0], x), _mm256_cmpeq_epi8(v.v[1], x)}};
    }
    CORVEL_KERNEL_AVX2 static Bytes atLeast(const Bytes& v, std::uint8_t c)
    {
        const __m256i x = _mm256_set1_epi8(static_cast<char>(c));
        return {{_mm256_cmpeq_epi8(_mm256_max_epu8(v.v[0], x), v.v[0]),
                 _mm256_cmpeq_epi8(_mm256_max_epu8(v.v[1], x), v.v[1])}};
    }
    CORVEL_KERNEL_AVX2 static Bytes atMost(const Bytes& v, std::uint8_t c)
    {
        const __m256i x = _mm256_set1_epi8(static_cast<char>(c));
        return {{_mm256_cmpeq_epi8(_mm256_min_epu8(v.v[0], x), v.v[0]),
                 _mm256_cmpeq_epi8(_mm256_min_epu8(v.v[1], x), v.v[1])}};
    }
    CORVEL_KERNEL_AVX2 static Bytes either(const Bytes& a, const Bytes& b)
    {
        return {{_mm256_or_si256(a.v[0], b.v[0]), _mm256_or_si256(a.v[1], b.v[1])}};
    }
    CORVEL_KERNEL_AVX2 static Bytes butNot(const Bytes& a, const Bytes& b)
    {
        return {{_mm256_andnot_si256(b.v[0], a.v[0]), _mm256_andnot_si256(b.v[1], a.v[1])}};
    }
    CORVEL_KERNEL_AVX2 static std::uint64_t bits(const Bytes& v)
    {
        return std::uint64_t {static_cast<std::uint32_t>(_mm256_movemask_epi8(v.v[0]))} |
               std::uint64_t {static_cast<std::uint32_t>(_mm256_movemask_epi8(v.v[1]))} << 32;
    }
    CORVEL_KERNEL_AVX2 static bool any(const Bytes& v)
    {
        const __m256i all = _mm256_or_si256(v.v[0], v.v[1]);
        return _mm256_testz_si256(all, all) == 0;
    }
};
#endif

// The lanes every x86-64 processor runs, for code outside the bundles.
#if defined(__SSE2__)
using BaselineLanes = Sse2Lanes;
#else
using BaselineLanes = PortableLanes;
#endif

}  // namespace corvel::lanes
