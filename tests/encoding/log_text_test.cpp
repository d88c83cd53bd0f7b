// The texts of a check log written in UTF-8: the same layout as in GBK,
// print zones counted in display columns.
#include "display_width.h"
#include "log_format.h"
#include "scan_support.h"

#include <gtest/gtest.h>

namespace corvel::encoding::test {
namespace {

TEST(DisplayWidth, WideCharactersTakeTwoColumns)
{
    struct Case {
        std::uint32_t codePoint;
        int width;
    };
    const std::vector<Case> cases = {
        {'a', 1},     {0x00E9, 1},  {0x2014, 1},   {0x2460, 1},  {0x1100, 2},
        {0x3000, 2},  {0x3001, 2},  {0x303F, 1},   {0x4E2D, 2},  {0x9FFF, 2},
        {0xAC00, 2},  {0xFF1A, 2},  {0xFF61, 1},   {0xFFE5, 2},  {0x1F600, 2},
        {0x1F680, 1}, {0x20000, 2}, {0x3FFFD, 2},  {0xE000, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(displayWidth(c.codePoint), c.width) << std::hex << c.codePoint;
    EXPECT_EQ(displayColumns("ab中文　x"), 9u);
    EXPECT_EQ(displayColumns("a\xFF\xE4\xB8"), 4u) << "each invalid byte one column";
}

// Every fixed text of the check logs takes as many display columns in
// UTF-8 as it has bytes in GBK, so a UTF-8 log keeps the GBK log's layout.
TEST(LogText, LiteralsTakeAsManyColumnsAsTheirGbkBytes)
{
    for (const gbk::Text& text : gbk::kTexts)
        EXPECT_EQ(displayColumns(text.utf8), text.gbk.size()) << text.name;
    const TextEncoding encodings[] = {TextEncoding::Gbk, TextEncoding::Utf8};
    for (TextEncoding encoding : encodings)
        EXPECT_EQ(logTexts(encoding).pairTitle,
                  encoding == TextEncoding::Utf8 ? gbk::kTexts[0].utf8 : gbk::kTexts[0].gbk);
}

TEST(LogText, PadsToTheSameZoneInUtf8AsInGbk)
{
    struct Case {
        std::string utf8;
        std::size_t spaces;  // added to reach the next zone
    };
    const std::vector<Case> cases = {
        {"", 0},
        {"a", 13},
        {"中", 12},
        {"* 第 1 行发生错误。", 9},        // 19 columns
        {"  第 12 行没有翻译。", 8},       // 20 columns
        {"# 第 123456 行是空行。", 6},     // 22 columns
        {"中文中文中文中", 0},             // 14 columns
        {"中文中文中文中a", 13},
    };
    for (const Case& c : cases) {
        std::string utf8 = c.utf8;
        corvel::padToPrintZone(utf8, TextEncoding::Utf8);
        EXPECT_EQ(utf8, c.utf8 + std::string(c.spaces, ' ')) << c.utf8;
        std::string gbkLine = gbk(c.utf8);
        corvel::padToPrintZone(gbkLine, TextEncoding::Gbk);
        EXPECT_EQ(gbkLine, gbk(c.utf8) + std::string(c.spaces, ' ')) << c.utf8;
    }
}

TEST(LogText, DateLineInUtf8IsTheGbkOneConverted)
{
    LocalTime t {2002, 5, 30, 14, 5, 9};
    EXPECT_EQ(corvel::dateLine(t, TextEncoding::Utf8), "检查时间：2002年05月30日　14:05:09");
    EXPECT_EQ(utf8FromGbk(corvel::dateLine(t, TextEncoding::Gbk)), corvel::dateLine(t, TextEncoding::Utf8));
}

}  // namespace
}  // namespace corvel::encoding::test
