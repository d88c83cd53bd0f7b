#include "gbk_cells.h"

namespace corvel::encoding {

namespace {

struct CellRange {
    std::uint8_t first;
    std::uint8_t last;
};

// The assigned cells of GB2312's symbol rows 0xA1-0xA9 (row 0xA1 and 0xA3
// are full). Rows 0xAA-0xAF are empty; of the hanzi rows only 0xD7 ends
// early, at 0xD7F9.
struct SymbolRow {
    CellRange ranges[3];
    int count;
};

constexpr SymbolRow kSymbolRows[9] = {
    {{{0xA1, 0xFE}}, 1},                              // 0xA1 punctuation and signs
    {{{0xB1, 0xE2}, {0xE5, 0xEE}, {0xF1, 0xFC}}, 3},  // 0xA2 numbers in circles, Roman
    {{{0xA1, 0xFE}}, 1},                              // 0xA3 full-width ASCII
    {{{0xA1, 0xF3}}, 1},                              // 0xA4 hiragana
    {{{0xA1, 0xF6}}, 1},                              // 0xA5 katakana
    {{{0xA1, 0xB8}, {0xC1, 0xD8}}, 2},                // 0xA6 Greek
    {{{0xA1, 0xC1}, {0xD1, 0xF1}}, 2},                // 0xA7 Cyrillic
    {{{0xA1, 0xBA}, {0xC5, 0xE9}}, 2},                // 0xA8 pinyin, bopomofo
    {{{0xA4, 0xEF}}, 1},                              // 0xA9 box drawing
};

constexpr unsigned kFourByteBmpLast = 39419;      // 0x8431A439
constexpr unsigned kFourByteSupplementFirst = 189000;  // 0x90308130
constexpr unsigned kFourByteSupplementLast = 189000 + 0xFFFFF;  // 0xE3329A35

}  // namespace

bool isGb18030FourByte(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4)
{
    if (!isGbkLead(b1) || !isGb18030FourByteSecond(b2) || !isGbkLead(b3) ||
        !isGb18030FourByteSecond(b4))
        return false;
    unsigned linear = (((b1 - 0x81u) * 10 + (b2 - 0x30u)) * 126 + (b3 - 0x81u)) * 10 + (b4 - 0x30u);
    return linear <= kFourByteBmpLast ||
           (linear >= kFourByteSupplementFirst && linear <= kFourByteSupplementLast);
}

bool isGb2312(std::uint8_t lead, std::uint8_t trail)
{
    if (lead < 0xA1 || lead > 0xF7 || trail < 0xA1 || trail > 0xFE)
        return false;
    if (lead >= 0xB0)
        return lead != 0xD7 || trail <= 0xF9;
    if (lead >= 0xAA)
        return false;
    const SymbolRow& row = kSymbolRows[lead - 0xA1];
    for (int i = 0; i < row.count; ++i)
        if (trail >= row.ranges[i].first && trail <= row.ranges[i].last)
            return true;
    return false;
}

}  // namespace corvel::encoding
