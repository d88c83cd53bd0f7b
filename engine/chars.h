// The character tests of both runs, on GBK bytes.
//
// A translation character is one whose code lies outside 0..128: every
// double-byte GBK character (its lead byte is 0x81 or above) and a single
// byte of 129 to 255. So a line holds a translation character exactly when
// one of its bytes is 0x81 or above; no decoding is needed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace corvel {

inline bool isTranslationByte(unsigned char byte)
{
    return byte >= 0x81;
}

// Whether any byte of `text` is 0x81 or above. Eight bytes at a time: a byte
// is >= 0x81 when its top bit is set and its low seven bits are not all zero.
inline bool hasTranslationChar(std::string_view text)
{
    constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7FULL;
    constexpr std::uint64_t high = 0x8080808080808080ULL;
    const char* p = text.data();
    std::size_t n = text.size();
    while (n >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & ((word & low7) + low7) & high)
            return true;
        p += 8;
        n -= 8;
    }
    while (n > 0) {
        if (isTranslationByte(static_cast<unsigned char>(*p)))
            return true;
        ++p;
        --n;
    }
    return false;
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
