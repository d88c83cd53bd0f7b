// UTF-8 in 64-byte blocks, for the fast path of the scanner and the
// detection: whether a block is valid UTF-8, given what the block before
// left open, from bit masks of its byte classes (one version per
// instruction set, as in plain_block.h).
#pragma once

#include "plain_block.h"

#include <bit>
#include <cstddef>
#include <cstdint>

namespace corvel::encoding {

// One bit per byte of the block for each class.
struct Utf8Classes {
    std::uint64_t cont = 0;     // 0x80-0xBF
    std::uint64_t lead2 = 0;    // 0xC0-0xDF (0xC0, 0xC1 are also in `bad`)
    std::uint64_t lead3 = 0;    // 0xE0-0xEF
    std::uint64_t lead4 = 0;    // 0xF0-0xF4
    std::uint64_t bad = 0;      // 0xC0, 0xC1, 0xF5-0xFF: in no valid text
    std::uint64_t e0 = 0, ed = 0, f0 = 0, f4 = 0;  // leads with a narrower second byte
    std::uint64_t below90 = 0;  // 0x00-0x8F
    std::uint64_t belowA0 = 0;  // 0x00-0x9F
    std::uint64_t tails = 0;    // 0x9F, 0xAB, 0xAF, 0xBD: last bytes of 锟, 烫, 屯, U+FFFD
};

inline Utf8Classes utf8ClassesPortable(const char* p)
{
    Utf8Classes c;
    for (int i = 0; i < 64; ++i) {
        auto b = static_cast<unsigned char>(p[i]);
        const std::uint64_t bit = std::uint64_t {1} << i;
        c.cont |= b >= 0x80 && b < 0xC0 ? bit : 0;
        c.lead2 |= b >= 0xC0 && b < 0xE0 ? bit : 0;
        c.lead3 |= b >= 0xE0 && b < 0xF0 ? bit : 0;
        c.lead4 |= b >= 0xF0 && b < 0xF5 ? bit : 0;
        c.bad |= b == 0xC0 || b == 0xC1 || b >= 0xF5 ? bit : 0;
        c.e0 |= b == 0xE0 ? bit : 0;
        c.ed |= b == 0xED ? bit : 0;
        c.f0 |= b == 0xF0 ? bit : 0;
        c.f4 |= b == 0xF4 ? bit : 0;
        c.below90 |= b < 0x90 ? bit : 0;
        c.belowA0 |= b < 0xA0 ? bit : 0;
        c.tails |= b == 0x9F || b == 0xAB || b == 0xAF || b == 0xBD ? bit : 0;
    }
    return c;
}

#if defined(__SSE2__)
inline Utf8Classes utf8ClassesSse2(const char* p)
{
    Utf8Classes c;
    auto bits = [](__m128i m) {
        return std::uint64_t {static_cast<std::uint32_t>(_mm_movemask_epi8(m))};
    };
    // b >= x (unsigned): max(b, x) == b.
    auto atLeast = [](__m128i v, int x) {
        return _mm_cmpeq_epi8(_mm_max_epu8(v, _mm_set1_epi8(static_cast<char>(x))), v);
    };
    auto is = [](__m128i v, int x) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(x))); };
    for (int i = 0; i < 4; ++i) {
        const int s = 16 * i;
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + s));
        __m128i c0 = atLeast(v, 0xC0), e0 = atLeast(v, 0xE0), f0 = atLeast(v, 0xF0),
                f5 = atLeast(v, 0xF5);
        c.cont |= bits(_mm_andnot_si128(c0, v)) << s;  // high bit set, below 0xC0
        c.lead2 |= bits(_mm_andnot_si128(e0, c0)) << s;
        c.lead3 |= bits(_mm_andnot_si128(f0, e0)) << s;
        c.lead4 |= bits(_mm_andnot_si128(f5, f0)) << s;
        c.bad |= bits(_mm_or_si128(f5, is(_mm_and_si128(v, _mm_set1_epi8(static_cast<char>(0xFE))),
                                           0xC0)))
                 << s;
        c.e0 |= bits(is(v, 0xE0)) << s;
        c.ed |= bits(is(v, 0xED)) << s;
        c.f0 |= bits(is(v, 0xF0)) << s;
        c.f4 |= bits(is(v, 0xF4)) << s;
        c.below90 |= (bits(atLeast(v, 0x90)) ^ 0xFFFF) << s;
        c.belowA0 |= (bits(atLeast(v, 0xA0)) ^ 0xFFFF) << s;
        c.tails |= bits(_mm_or_si128(_mm_or_si128(is(v, 0x9F), is(v, 0xAB)),
                                     _mm_or_si128(is(v, 0xAF), is(v, 0xBD))))
                   << s;
    }
    return c;
}
#endif

#if defined(CORVEL_VECTOR_KERNELS)
CORVEL_KERNEL_AVX512 __attribute__((always_inline)) inline Utf8Classes utf8ClassesAvx512(
    const char* p)
{
    Utf8Classes c;
    const __m512i v = _mm512_loadu_si512(p);
#define CORVEL_AT_LEAST(x) _mm512_cmpge_epu8_mask(v, _mm512_set1_epi8(static_cast<char>(x)))
#define CORVEL_IS(x) _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8(static_cast<char>(x)))
    const std::uint64_t high = _mm512_movepi8_mask(v);
    const std::uint64_t c0 = CORVEL_AT_LEAST(0xC0), e0 = CORVEL_AT_LEAST(0xE0),
                        f0 = CORVEL_AT_LEAST(0xF0), f5 = CORVEL_AT_LEAST(0xF5);
    c.cont = high & ~c0;
    c.lead2 = c0 & ~e0;
    c.lead3 = e0 & ~f0;
    c.lead4 = f0 & ~f5;
    c.bad = f5 | CORVEL_IS(0xC0) | CORVEL_IS(0xC1);
    c.e0 = CORVEL_IS(0xE0);
    c.ed = CORVEL_IS(0xED);
    c.f0 = CORVEL_IS(0xF0);
    c.f4 = CORVEL_IS(0xF4);
    c.below90 = ~CORVEL_AT_LEAST(0x90);
    c.belowA0 = ~CORVEL_AT_LEAST(0xA0);
    c.tails = CORVEL_IS(0x9F) | CORVEL_IS(0xAB) | CORVEL_IS(0xAF) | CORVEL_IS(0xBD);
#undef CORVEL_AT_LEAST
#undef CORVEL_IS
    return c;
}
#endif

// What a block of UTF-8 leaves open for the next: the places (bits 0-2)
// where continuation bytes must follow, and its last byte.
struct Utf8Open {
    std::uint64_t continuations = 0;
    unsigned char last = 0;
};

// Whether the block is valid UTF-8 after `open`, and what it leaves open.
inline bool utf8BlockValid(const Utf8Classes& c, Utf8Open& open)
{
    const std::uint64_t from2 = c.lead2 | c.lead3 | c.lead4;  // a continuation 1 byte on
    const std::uint64_t from3 = c.lead3 | c.lead4;            // 2 bytes on
    const std::uint64_t from4 = c.lead4;                      // 3 bytes on
    const std::uint64_t expected = (from2 << 1) | (from3 << 2) | (from4 << 3) | open.continuations;
    // The second byte after E0 (no overlong form), ED (no surrogate), F0
    // and F4 (U+10000 to U+10FFFF), also after the last byte before.
    const std::uint64_t before = open.last;
    const std::uint64_t e0 = (c.e0 << 1) | (before == 0xE0 ? 1 : 0);
    const std::uint64_t ed = (c.ed << 1) | (before == 0xED ? 1 : 0);
    const std::uint64_t f0 = (c.f0 << 1) | (before == 0xF0 ? 1 : 0);
    const std::uint64_t f4 = (c.f4 << 1) | (before == 0xF4 ? 1 : 0);
    const std::uint64_t narrow = (e0 & c.belowA0) | (ed & ~c.belowA0) | (f0 & c.below90) |
                                 (f4 & ~c.below90);
    open.continuations = (from2 >> 63) | (from3 >> 62) | (from4 >> 61);
    return expected == c.cont && (c.bad | (narrow & c.cont)) == 0;
}

}  // namespace corvel::encoding

namespace corvel::encoding {

// Checks whole 64-byte blocks of UTF-8 after `open`: false at the first
// that is not valid. `leads` gathers the leads of multibyte characters.
bool utf8BlocksValid(const char* p, std::size_t blocks, Utf8Open& open, std::uint64_t& leads,
                     InstructionSet isa);

}  // namespace corvel::encoding
