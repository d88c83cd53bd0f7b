#include "display_width.h"

#include "char_decoder.h"

#include <algorithm>
#include <iterator>

namespace corvel::encoding {

namespace {

struct Range {
    std::uint32_t first;
    std::uint32_t last;
};

// Wide and full-width ranges (East Asian Width W and F), merged where the
// gaps hold nothing a log writes; sorted.
constexpr Range kWide[] = {
    {0x1100, 0x115F},   {0x231A, 0x231B},   {0x2329, 0x232A},   {0x23E9, 0x23EC},
    {0x23F0, 0x23F0},   {0x23F3, 0x23F3},   {0x25FD, 0x25FE},   {0x2614, 0x2615},
    {0x2648, 0x2653},   {0x267F, 0x267F},   {0x2693, 0x2693},   {0x26A1, 0x26A1},
    {0x26AA, 0x26AB},   {0x26BD, 0x26BE},   {0x26C4, 0x26C5},   {0x26CE, 0x26CE},
    {0x26D4, 0x26D4},   {0x26EA, 0x26EA},   {0x26F2, 0x26F3},   {0x26F5, 0x26F5},
    {0x26FA, 0x26FA},   {0x26FD, 0x26FD},   {0x2705, 0x2705},   {0x270A, 0x270B},
    {0x2728, 0x2728},   {0x274C, 0x274C},   {0x274E, 0x274E},   {0x2753, 0x2755},
    {0x2757, 0x2757},   {0x2795, 0x2797},   {0x27B0, 0x27B0},   {0x27BF, 0x27BF},
    {0x2B1B, 0x2B1C},   {0x2B50, 0x2B50},   {0x2B55, 0x2B55},   {0x2E80, 0x303E},
    {0x3041, 0x33FF},   {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},
    {0xA960, 0xA97F},   {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE10, 0xFE19},
    {0xFE30, 0xFE6F},   {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},   {0x1F300, 0x1F64F},
    {0x1F900, 0x1F9FF}, {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
};

}  // namespace

int displayWidth(std::uint32_t codePoint)
{
    if (codePoint < kWide[0].first)
        return 1;
    auto after = std::upper_bound(std::begin(kWide), std::end(kWide), codePoint,
                                  [](std::uint32_t cp, const Range& r) { return cp < r.first; });
    if (after == std::begin(kWide))
        return 1;
    const Range& range = *std::prev(after);
    return codePoint <= range.last ? 2 : 1;
}

std::size_t displayColumns(std::string_view utf8)
{
    std::size_t columns = 0;
    CharDecoder decoder(TextEncoding::Utf8);
    auto count = [&](const DecodedChar& c) {
        columns += c.kind == CharKind::Multibyte ? static_cast<std::size_t>(displayWidth(c.code))
                                                 : c.size;
    };
    for (char byte : utf8)
        decoder.push(static_cast<std::uint8_t>(byte), 0, count);
    decoder.flush(count);
    return columns;
}

}  // namespace corvel::encoding
