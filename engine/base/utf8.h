// The engine's one reading of UTF-8: what a lead byte promises (the length
// of its character and the range its second byte must lie in, so that no
// overlong form, surrogate or code point beyond U+10FFFF passes), one
// character decoded at a position, and a code point encoded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvel::utf8 {

struct Lead {
    std::uint8_t length = 0;  // bytes of the character; 0: the byte starts none
    std::uint8_t low = 0x80;  // the range of the second byte
    std::uint8_t high = 0xBF;
    std::uint8_t bits = 0;    // the code point's bits the lead byte holds
};

constexpr Lead leadOf(std::uint8_t b)
{
    if (b >= 0xC2 && b <= 0xDF)
        return {2, 0x80, 0xBF, static_cast<std::uint8_t>(b & 0x1F)};
    if (b >= 0xE0 && b <= 0xEF)
        return {3, static_cast<std::uint8_t>(b == 0xE0 ? 0xA0 : 0x80),
                static_cast<std::uint8_t>(b == 0xED ? 0x9F : 0xBF),
                static_cast<std::uint8_t>(b & 0x0F)};
    if (b >= 0xF0 && b <= 0xF4)
        return {4, static_cast<std::uint8_t>(b == 0xF0 ? 0x90 : 0x80),
                static_cast<std::uint8_t>(b == 0xF4 ? 0x8F : 0xBF),
                static_cast<std::uint8_t>(b & 0x07)};
    return {};
}

constexpr bool isContinuation(std::uint8_t b)
{
    return (b & 0xC0) == 0x80;
}

// The multibyte character at `at`: its length with its code point in
// `code`, or 0 when the bytes there are not one (an ASCII byte, a stray
// byte, a cut-off sequence, an overlong form, a surrogate or a code point
// beyond U+10FFFF).
inline std::size_t charAt(std::string_view bytes, std::size_t at, char32_t& code)
{
    const Lead lead = leadOf(static_cast<std::uint8_t>(bytes[at]));
    if (lead.length == 0 || at + lead.length > bytes.size())
        return 0;
    char32_t value = lead.bits;
    for (std::size_t k = 1; k < lead.length; ++k) {
        const auto c = static_cast<std::uint8_t>(bytes[at + k]);
        if (k == 1 ? c < lead.low || c > lead.high : !isContinuation(c))
            return 0;
        value = value << 6 | (c & 0x3F);
    }
    code = value;
    return lead.length;
}

// Appends a code point as UTF-8.
inline void appendCodePoint(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
        return;
    }
    const int length = code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
    constexpr unsigned char kLeadMark[] = {0, 0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(kLeadMark[length] | (code >> (6 * (length - 1))));
    for (int k = length - 2; k >= 0; --k)
        out += static_cast<char>(0x80 | ((code >> (6 * k)) & 0x3F));
}

}  // namespace corvel::utf8
