// The character tests of both runs, on the dictionary's bytes.
//
// A translation character is one whose code lies outside 0..128: every
// double-byte GBK character (its lead byte is 0x81 or above) and a single
// byte of 129 to 255. So a line holds a translation character exactly when
// one of its bytes is 0x81 or above; no decoding is needed. GB18030 agrees.
// In UTF-8 it is any character beyond ASCII, whose bytes are all 0x80 or
// above (a stray byte of 0x80-0xFF counts too, as a stray GBK byte does).
#pragma once

#include "corvel/run_request.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace corvel {

inline bool isTranslationByte(unsigned char byte)
{
    return byte >= 0x81;
}

// Whether two texts are the same apart from the case of ASCII letters
// (names the report compares: tags, attributes, keys).
inline bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

namespace detail {

// Whether one of eight bytes is 0x81 or above: its top bit is set and its
// low seven bits are not all zero.
inline bool wordHasTranslationByte(const char* p)
{
    constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7FULL;
    constexpr std::uint64_t high = 0x8080808080808080ULL;
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    return (word & ((word & low7) + low7) & high) != 0;
}

#if defined(__SSE2__)
inline bool blockHasTranslationByte(const char* p)
{
    const __m128i limit = _mm_set1_epi8(static_cast<char>(0x81));
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    return _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_max_epu8(v, limit), v)) != 0;
}
#endif

}  // namespace detail

// Whether any byte of `text` is 0x81 or above. Reads only inside `text`; the
// last block overlaps the one before it rather than reading past the end.
inline bool hasTranslationChar(std::string_view text)
{
    const char* p = text.data();
    const std::size_t n = text.size();
#if defined(__SSE2__)
    if (n >= 16) {
        for (std::size_t i = 0; i + 16 <= n; i += 16)
            if (detail::blockHasTranslationByte(p + i))
                return true;
        return detail::blockHasTranslationByte(p + n - 16);
    }
#else
    if (n >= 16) {
        for (std::size_t i = 0; i + 8 <= n; i += 8)
            if (detail::wordHasTranslationByte(p + i))
                return true;
        return detail::wordHasTranslationByte(p + n - 8);
    }
#endif
    if (n >= 8)
        return detail::wordHasTranslationByte(p) || detail::wordHasTranslationByte(p + n - 8);
    for (std::size_t i = 0; i < n; ++i)
        if (isTranslationByte(static_cast<unsigned char>(p[i])))
            return true;
    return false;
}

// Whether a byte of `text` is 0x80 or above.
inline bool hasNonAsciiByte(std::string_view text)
{
    const char* p = text.data();
    const std::size_t n = text.size();
    std::size_t i = 0;
#if defined(__SSE2__)
    for (; i + 16 <= n; i += 16)
        if (_mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i))) != 0)
            return true;
#endif
    for (; i < n; ++i)
        if (static_cast<unsigned char>(p[i]) >= 0x80)
            return true;
    return false;
}

inline bool hasTranslationChar(std::string_view text, TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8 ? hasNonAsciiByte(text) : hasTranslationChar(text);
}

// Only the space 0x20 makes a line empty; so does no character at all.
inline bool isEmptyLine(std::string_view text)
{
    for (char c : text)
        if (c != ' ')
            return false;
    return true;
}

}  // namespace corvel
