// UTF-8 in 64-byte blocks, for the fast path of the scanner and the
// detection: whether a block is valid UTF-8, given what the block before
// left open, from bit masks of its byte classes (written once on the lanes
// of every instruction set, as in plain_block.h).
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

template <class Lanes>
inline Utf8Classes utf8Classes(const char* p)
{
    using L = Lanes;
    const auto v = L::load(p);
    const std::uint64_t high = L::bits(v);
    const std::uint64_t c0 = L::bits(L::atLeast(v, 0xC0)), e0 = L::bits(L::atLeast(v, 0xE0)),
                        f0 = L::bits(L::atLeast(v, 0xF0)), f5 = L::bits(L::atLeast(v, 0xF5));
    Utf8Classes c;
    c.cont = high & ~c0;
    c.lead2 = c0 & ~e0;
    c.lead3 = e0 & ~f0;
    c.lead4 = f0 & ~f5;
    c.bad = f5 | L::bits(L::either(L::eq(v, 0xC0), L::eq(v, 0xC1)));
    c.e0 = L::bits(L::eq(v, 0xE0));
    c.ed = L::bits(L::eq(v, 0xED));
    c.f0 = L::bits(L::eq(v, 0xF0));
    c.f4 = L::bits(L::eq(v, 0xF4));
    c.below90 = ~L::bits(L::atLeast(v, 0x90));
    c.belowA0 = ~L::bits(L::atLeast(v, 0xA0));
    c.tails = L::bits(L::either(L::either(L::eq(v, 0x9F), L::eq(v, 0xAB)),
                                L::either(L::eq(v, 0xAF), L::eq(v, 0xBD))));
    return c;
}

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
