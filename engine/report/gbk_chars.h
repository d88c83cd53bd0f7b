// Character steps and the few characters the report rules look for, on GBK
// bytes. A lead byte 0x81..0xFE followed by a trail byte 0x40..0xFE (not
// 0x7F) is one double-byte character; every other byte stands alone. A trail
// byte can be '@', '[', '\\', ']', '{', '}' or a letter, so those ASCII
// characters are found only by stepping from the start of the text.
#pragma once

#include "corvel/run_request.h"
#include "corvel/report/text_decoder.h"
#include "gbk_cells.h"
#include "utf8.h"

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

// The digit 0..9 of a Chinese numeral (零..九, 两, and the financial forms
// 壹..玖), or -1.
inline int chineseDigit(std::uint16_t wide)
{
    switch (wide) {
    case 0xC1E3: return 0;  // 零
    case 0xD2BB: case 0xD2BC: return 1;  // 一 壹
    case 0xB6FE: case 0xC1BD: case 0xB7A1: return 2;  // 二 两 贰
    case 0xC8FD: case 0xC8FE: return 3;  // 三 叁
    case 0xCBC4: case 0xCBC1: return 4;  // 四 肆
    case 0xCEE5: case 0xCEE9: return 5;  // 五 伍
    case 0xC1F9: case 0xC2BD: return 6;  // 六 陆
    case 0xC6DF: case 0xC6E2: return 7;  // 七 柒
    case 0xB0CB: case 0xB0C6: return 8;  // 八 捌
    case 0xBEC5: case 0xBEC1: return 9;  // 九 玖
    default: return -1;
    }
}

// The value of a Chinese unit (十 拾 10, 百 佰 100, 千 仟 1000, 万 10^4,
// 亿 10^8), or 0.
inline std::uint64_t chineseUnit(std::uint16_t wide)
{
    switch (wide) {
    case 0xCAAE: case 0xCAB0: return 10;
    case 0xB0D9: case 0xB0DB: return 100;
    case 0xC7A7: case 0xC7AA: return 1000;
    case 0xCDF2: return 10000;
    case 0xD2DA: return 100000000;
    default: return 0;
    }
}

constexpr std::uint16_t kDouble = 0xCBAB;  // 双: two, twice
constexpr std::uint16_t kHalf = 0xB0EB;    // 半: a half
constexpr std::uint16_t kTurnOver = 0xB7AD;  // 翻: with 倍, to double
constexpr std::uint16_t kTimes = 0xB1B6;     // 倍: times
constexpr std::uint16_t kEach = 0xC3BF;      // 每: each, per (one)

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
    case 0x96F6: return 0xC1E3;  // 零
    case 0x767E: return 0xB0D9;  // 百
    case 0x5343: return 0xC7A7;  // 千
    case 0x4E07: return 0xCDF2;  // 万
    case 0x4EBF: return 0xD2DA;  // 亿
    case 0x58F9: return 0xD2BC;  // 壹
    case 0x8D30: return 0xB7A1;  // 贰
    case 0x53C1: return 0xC8FE;  // 叁
    case 0x8086: return 0xCBC1;  // 肆
    case 0x4F0D: return 0xCEE9;  // 伍
    case 0x9646: return 0xC2BD;  // 陆
    case 0x67D2: return 0xC6E2;  // 柒
    case 0x634C: return 0xB0C6;  // 捌
    case 0x7396: return 0xBEC1;  // 玖
    case 0x62FE: return 0xCAB0;  // 拾
    case 0x4F70: return 0xB0DB;  // 佰
    case 0x4EDF: return 0xC7AA;  // 仟
    case 0x53CC: return 0xCBAB;  // 双
    case 0x7FFB: return kTurnOver;  // 翻
    case 0x500D: return kTimes;     // 倍
    case 0x6BCF: return kEach;      // 每
    case 0x534A: return 0xB0EB;  // 半
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
        return std::max<std::size_t>(utf8::charAt(text, at, code), 1);
    }
    // 0 for a single-byte character.
    std::uint16_t wideAt(std::string_view text, std::size_t at) const
    {
        if (!utf8_)
            return gbk::wideAt(text, at);
        char32_t code = 0;
        return utf8::charAt(text, at, code) == 0 ? 0 : namedGbkCode(code);
    }

private:
    bool utf8_;
};

}  // namespace corvel::report::gbk
