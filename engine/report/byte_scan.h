// Quick tests of which kinds of bytes a text holds, so that the rules look
// closer only at the few texts that may concern them. SSE2 where the
// compiler has it; every test may say yes too often, never too rarely.
#pragma once

#include "chars.h"
#include "corvel/run_request.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace corvel::report {

enum ByteKind : unsigned {
    kPlaceholderStart = 1,  // % { \ < @ _ &, or 0xEC (the second byte of §)
    kDigit = 2,             // 0..9
    kFullwidthLead = 4,     // 0xA3: full-width digits, letters and signs
};

namespace detail {

inline unsigned kindOfByte(unsigned char b)
{
    unsigned kinds = 0;
    if (b == '%' || b == '{' || b == '\\' || b == '<' || b == '@' || b == '_' || b == '&' ||
        b == 0xEC)
        kinds |= kPlaceholderStart;
    if (b >= '0' && b <= '9')
        kinds |= kDigit;
    if (b == 0xA3)
        kinds |= kFullwidthLead;
    return kinds;
}

#if defined(__SSE2__)
inline unsigned kindsOfBlock(__m128i v)
{
    auto eq = [&](char c) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(c)); };
    __m128i start = _mm_or_si128(_mm_or_si128(eq('%'), eq('{')),
                                 _mm_or_si128(_mm_or_si128(eq('\\'), eq('<')),
                                              _mm_or_si128(_mm_or_si128(eq('@'), eq('_')),
                                                           _mm_or_si128(eq('&'), eq(static_cast<char>(0xEC))))));
    __m128i fromZero = _mm_sub_epi8(v, _mm_set1_epi8('0'));
    __m128i digit = _mm_cmpeq_epi8(_mm_min_epu8(fromZero, _mm_set1_epi8(9)), fromZero);
    unsigned kinds = 0;
    if (_mm_movemask_epi8(start) != 0)
        kinds |= kPlaceholderStart;
    if (_mm_movemask_epi8(digit) != 0)
        kinds |= kDigit;
    if (_mm_movemask_epi8(eq(static_cast<char>(0xA3))) != 0)
        kinds |= kFullwidthLead;
    return kinds;
}
#endif

}  // namespace detail

#if defined(__SSE2__)
namespace detail {

// The bytes p[0..n) for 8 <= n < 16 as a vector: two overlapping 8-byte
// loads (a vector load over a byte copy would stall on store forwarding).
// Bytes n-8..7 appear twice; lanes 8..15 hold bytes n-8..n-1.
inline __m128i loadShort(const char* p, std::size_t n)
{
    std::uint64_t low;
    std::uint64_t high;
    std::memcpy(&low, p, 8);
    std::memcpy(&high, p + n - 8, 8);
    return _mm_set_epi64x(static_cast<long long>(high), static_cast<long long>(low));
}

// The bytes p[0..n) for 4 <= n < 8 in lanes 0..7, the rest zero (a byte
// that is no kind): lanes 0..3 hold bytes 0..3, lanes 4..7 bytes n-4..n-1.
inline __m128i loadTiny(const char* p, std::size_t n)
{
    std::uint32_t low;
    std::uint32_t high;
    std::memcpy(&low, p, 4);
    std::memcpy(&high, p + n - 4, 4);
    return _mm_cvtsi64_si128(static_cast<long long>(std::uint64_t {high} << 32 | low));
}

inline __m128i load(const char* p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

}  // namespace detail
#endif

// The kinds of bytes `text` holds (a set of ByteKind).
inline unsigned byteKinds(std::string_view text)
{
    const char* p = text.data();
    std::size_t n = text.size();
    unsigned kinds = 0;
#if defined(__SSE2__)
    if (n >= 16) {
        std::size_t i = 0;
        for (; i + 16 <= n; i += 16)
            kinds |= detail::kindsOfBlock(detail::load(p + i));
        if (i < n)  // the last block overlaps the one before
            kinds |= detail::kindsOfBlock(detail::load(p + n - 16));
        return kinds;
    }
    if (n >= 8)
        return detail::kindsOfBlock(detail::loadShort(p, n));
    if (n >= 4)
        return detail::kindsOfBlock(detail::loadTiny(p, n));
#endif
    for (std::size_t i = 0; i < n; ++i)
        kinds |= detail::kindOfByte(static_cast<unsigned char>(p[i]));
    return kinds;
}

// Bit i set where byte i of a text of at most 64 bytes is an ASCII digit,
// and where it is 0xA3.
struct ShortTextMasks {
    std::uint64_t digits = 0;
    std::uint64_t fullwidthLeads = 0;
};

inline ShortTextMasks shortTextMasks(std::string_view text)
{
    ShortTextMasks masks;
    const char* p = text.data();
    std::size_t n = text.size() < 64 ? text.size() : 64;
#if defined(__SSE2__)
    // Adds the masks of a block of 16 bytes whose lane 0 is byte `at`.
    auto add = [&](__m128i v, std::size_t at) {
        __m128i fromZero = _mm_sub_epi8(v, _mm_set1_epi8('0'));
        __m128i digit = _mm_cmpeq_epi8(_mm_min_epu8(fromZero, _mm_set1_epi8(9)), fromZero);
        auto d = static_cast<std::uint32_t>(_mm_movemask_epi8(digit));
        auto f = static_cast<std::uint32_t>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(0xA3)))));
        masks.digits |= std::uint64_t {d} << at;
        masks.fullwidthLeads |= std::uint64_t {f} << at;
    };
    if (n >= 16) {
        std::size_t i = 0;
        for (; i + 16 <= n; i += 16)
            add(detail::load(p + i), i);
        if (i < n)  // overlapping: its first lanes repeat bytes already seen
            add(detail::load(p + n - 16), n - 16);
        return masks;
    }
    if (n >= 8) {
        // Lanes 0..7 are bytes 0..7, lanes 8..15 bytes n-8..n-1.
        __m128i v = detail::loadShort(p, n);
        add(v, 0);
        std::uint64_t lowLanes = 0xFF;
        ShortTextMasks lanes = masks;
        masks.digits = (lanes.digits & lowLanes) | ((lanes.digits >> 8) << (n - 8));
        masks.fullwidthLeads =
            (lanes.fullwidthLeads & lowLanes) | ((lanes.fullwidthLeads >> 8) << (n - 8));
        return masks;
    }
    if (n >= 4) {
        // Lanes 0..3 are bytes 0..3, lanes 4..7 bytes n-4..n-1.
        add(detail::loadTiny(p, n), 0);
        const std::uint64_t lowLanes = 0xF;
        ShortTextMasks lanes = masks;
        masks.digits = (lanes.digits & lowLanes) | (((lanes.digits >> 4) & lowLanes) << (n - 4));
        masks.fullwidthLeads = (lanes.fullwidthLeads & lowLanes) |
                               (((lanes.fullwidthLeads >> 4) & lowLanes) << (n - 4));
        return masks;
    }
#endif
    for (std::size_t i = 0; i < n; ++i) {
        auto b = static_cast<unsigned char>(p[i]);
        masks.digits |= std::uint64_t {b >= '0' && b <= '9'} << i;
        masks.fullwidthLeads |= std::uint64_t {b == 0xA3} << i;
    }
    return masks;
}

// Whether `text` holds a byte 0x80..0xA0 (what UTF-8 read as GBK leaves in
// a character beyond GB2312).
inline bool holdsByteFrom80ToA0(std::string_view text)
{
    const char* p = text.data();
    std::size_t n = text.size();
#if defined(__SSE2__)
    // Lanes beyond the text are zero, which is outside the range.
    auto any = [](__m128i v) {
        __m128i fromLow = _mm_sub_epi8(v, _mm_set1_epi8(static_cast<char>(0x80)));
        __m128i inRange =
            _mm_cmpeq_epi8(_mm_min_epu8(fromLow, _mm_set1_epi8(0x20)), fromLow);
        return _mm_movemask_epi8(inRange) != 0;
    };
    if (n >= 16) {
        std::size_t i = 0;
        for (; i + 16 <= n; i += 16)
            if (any(detail::load(p + i)))
                return true;
        return i < n && any(detail::load(p + n - 16));
    }
    if (n >= 8)
        return any(detail::loadShort(p, n));
    if (n >= 4)
        return any(detail::loadTiny(p, n));
#endif
    for (std::size_t i = 0; i < n; ++i)
        if (static_cast<unsigned char>(static_cast<unsigned char>(p[i]) - 0x80) <= 0x20)
            return true;
    return false;
}

// byteKinds() for text in `encoding`: in UTF-8 the marks of § and of the
// full-width forms are other bytes, so any text beyond ASCII may hold them.
inline unsigned byteKinds(std::string_view text, TextEncoding encoding)
{
    unsigned kinds = byteKinds(text);
    if (encoding == TextEncoding::Utf8 && hasNonAsciiByte(text))
        kinds |= kPlaceholderStart | kFullwidthLead;
    return kinds;
}

}  // namespace corvel::report
