// Character steps and the few characters the report rules look for, on GBK
// bytes. A lead byte 0x81..0xFE followed by a trail byte 0x40..0xFE (not
// 0x7F) is one double-byte character; every other byte stands alone. A trail
// byte can be '@', '[', '\\', ']', '{', '}' or a letter, so those ASCII
// characters are found only by stepping from the start of the text.
#pragma once

#include "corvel/run_request.h"
#include "corvel/report/text_decoder.h"
#include "gbk_cells.h"

#include <algorithm>

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace corvel::report::gbk {

// Bytes of the character starting at `at` (1 or 2).
inline std::size_t charLength(std::string_view text, std::size_t at)
{
    auto lead = static_cast<unsigned char>(text[at]);
    if (encoding::isGbkLead(lead) && at + 1 < text.size() &&
        encoding::isGbkTrail(static_cast<unsigned char>(text[at + 1])))
        return 2;
    return 1;
}

// The double-byte character at `at` as lead << 8 | trail, or 0 when the
// character there is a single byte.
inline std::uint16_t wideAt(std::string_view text, std::size_t at)
{
    if (charLength(text, at) != 2)
        return 0;
    return static_cast<std::uint16_t>(static_cast<unsigned char>(text[at]) << 8 |
                                      static_cast<unsigned char>(text[at + 1]));
}

// Characters the rules name.
constexpr std::uint16_t kSection = 0xA1EC;          // §
constexpr std::uint16_t kIdeographicSpace = 0xA1A1;  // 　
constexpr std::uint16_t kFullStop = 0xA1A3;          // 。
constexpr std::uint16_t kFullwidthColon = 0xA3BA;    // ：
constexpr std::uint16_t kFullwidthComma = 0xA3AC;    // ，
constexpr std::uint16_t kFullwidthExclamation = 0xA3A1;  // ！
constexpr std::uint16_t kFullwidthQuestion = 0xA3BF;     // ？
constexpr std::uint16_t kFullwidthDollar = 0xA1E7;       // ＄

// The ASCII character a full-width form stands for (％ -> '%', ｓ -> 's',
// ０ -> '0'), or 0. Row A3 holds U+FF01..U+FF5E in order, except ￥ (A3A4)
// and ￣ (A3FE); ＄ lives in row A1.
inline char halfWidthOf(std::uint16_t wide)
{
    if (wide == kFullwidthDollar)
        return '$';
    if ((wide >> 8) != 0xA3)
        return 0;
    unsigned trail = wide & 0xFF;
    if (trail < 0xA1 || trail == 0xA4 || trail == 0xFE)
        return 0;
    return static_cast<char>(trail - 0x80);
}

// The value 1..10 of the Chinese numerals 一..十 (and 两, 2), or 0.
inline int chineseNumeralValue(std::uint16_t wide)
{
    switch (wide) {
    case 0xD2BB: return 1;   // 一
    case 0xB6FE: return 2;   // 二
    case 0xC1BD: return 2;   // 两
    case 0xC8FD: return 3;   // 三
    case 0xCBC4: return 4;   // 四
    case 0xCEE5: return 5;   // 五
    case 0xC1F9: return 6;   // 六
    case 0xC6DF: return 7;   // 七
    case 0xB0CB: return 8;   // 八
    case 0xBEC5: return 9;   // 九
    case 0xCAAE: return 10;  // 十
    default: return 0;
    }
}

// A multibyte character that the rules do not name.
constexpr std::uint16_t kOtherWide = 0xFFFF;

// The GBK code of the characters the rules name, from their code points.
inline std::uint16_t namedGbkCode(char32_t code)
{
    if (code >= 0xFF01 && code <= 0xFF5E && code != 0xFF04)  // full-width forms: row A3
        return static_cast<std::uint16_t>(0xA3A1 + (code - 0xFF01));
    switch (code) {
    case 0x00A7: return kSection;
    case 0x3000: return kIdeographicSpace;
    case 0x3002: return kFullStop;
    case 0xFF04: return kFullwidthDollar;
    case 0x4E00: return 0xD2BB;  // 一
    case 0x4E8C: return 0xB6FE;  // 二
    case 0x4E24: return 0xC1BD;  // 两
    case 0x4E09: return 0xC8FD;  // 三
    case 0x56DB: return 0xCBC4;  // 四
    case 0x4E94: return 0xCEE5;  // 五
    case 0x516D: return 0xC1F9;  // 六
    case 0x4E03: return 0xC6DF;  // 七
    case 0x516B: return 0xB0CB;  // 八
    case 0x4E5D: return 0xBEC5;  // 九
    case 0x5341: return 0xCAAE;  // 十
    default: return kOtherWide;
    }
}

// Steps through text in the encoding a dictionary is read in: GBK (and
// GB18030, whose four-byte characters the rules never name) or UTF-8. A
// multibyte character's wide code is its GBK code in either encoding (for a
// UTF-8 character the rules do not name, kOtherWide), so that the rules
// keep one set of constants.
class CharSteps {
public:
    explicit CharSteps(TextEncoding encoding = TextEncoding::Gbk)
        : utf8_(encoding == TextEncoding::Utf8)
    {
    }

    bool utf8() const { return utf8_; }
    std::size_t length(std::string_view text, std::size_t at) const
    {
        if (!utf8_)
            return charLength(text, at);
        char32_t code = 0;
        return std::max<std::size_t>(utf8CharAt(text, at, code), 1);
    }
    // 0 for a single-byte character.
    std::uint16_t wideAt(std::string_view text, std::size_t at) const
    {
        if (!utf8_)
            return gbk::wideAt(text, at);
        char32_t code = 0;
        return utf8CharAt(text, at, code) == 0 ? 0 : namedGbkCode(code);
    }

private:
    bool utf8_;
};

}  // namespace corvel::report::gbk
