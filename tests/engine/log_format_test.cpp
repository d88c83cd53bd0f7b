// The text conventions both logs share: spaced numbers, the print-zone
// filler, the date line and the GBK form of the program's own texts.
#include "log_format.h"
#include "names.h"
#include "test_support.h"

#include <limits>

namespace corvel::test {
namespace {

TEST(SpacedNumber, PositiveAndZeroTakeASpaceInThePlaceOfTheSign)
{
    EXPECT_EQ(spacedNumber(7), " 7");
    EXPECT_EQ(spacedNumber(0), " 0");
    EXPECT_EQ(spacedNumber(1234567), " 1234567");
    EXPECT_EQ(spacedNumber(std::numeric_limits<std::int32_t>::max()), " 2147483647");
}

TEST(SpacedNumber, NegativeHasItsMinusSignInThatPlace)
{
    EXPECT_EQ(spacedNumber(-9), "-9");
    EXPECT_EQ(spacedNumber(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

TEST(PrintZone, FillsUpToTheNextMultipleOfFourteenBytes)
{
    for (std::size_t length : {1u, 5u, 13u, 15u, 27u, 29u}) {
        std::string line(length, 'x');
        padToPrintZone(line);
        EXPECT_EQ(line.size(), (length / 14 + 1) * 14) << "from " << length << " bytes";
        EXPECT_EQ(line.find_first_not_of('x'), length);
        EXPECT_EQ(line.find_last_not_of(' '), length - 1);
    }
}

TEST(PrintZone, TextEndingAtAZoneStartGetsNoFiller)
{
    for (std::size_t length : {0u, 14u, 28u, 42u}) {
        std::string line(length, 'x');
        padToPrintZone(line);
        EXPECT_EQ(line.size(), length);
    }
}

TEST(PrintZone, CountsColumnsInBytesOfTheGbkText)
{
    // "* 第 3 行发生错误。" is 19 bytes in GBK (10 characters).
    std::string line = gbk("* 第 3 行发生错误。");
    ASSERT_EQ(line.size(), 19u);
    padToPrintZone(line);
    EXPECT_EQ(line.size(), 28u);
}

TEST(DateLine, IsZeroPaddedWithTheTimeRightAfterTheIdeographicSpace)
{
    EXPECT_EQ(dateLine(fixedTime()), gbk("检查时间：2002年05月30日　14:05:09"));
    EXPECT_EQ(dateLine(LocalTime {1999, 12, 1, 0, 0, 0}),
              gbk("检查时间：1999年12月01日　00:00:00"));
    EXPECT_EQ(dateLine(LocalTime {2024, 1, 9, 23, 59, 7}),
              gbk("检查时间：2024年01月09日　23:59:07"));
}

TEST(GbkText, ConvertsToTheCodePage936Bytes)
{
    EXPECT_EQ(gbk("打开"), "\xB4\xF2\xBF\xAA");
    EXPECT_EQ(gbk("　"), "\xA1\xA1");
    EXPECT_EQ(gbk("："), "\xA3\xBA");
    EXPECT_EQ(gbk("；"), "\xA3\xBB");
    EXPECT_EQ(gbk("。"), "\xA1\xA3");
    EXPECT_EQ(gbk("、"), "\xA1\xA2");
    EXPECT_EQ(gbk("＝"), "\xA3\xBD");
    EXPECT_EQ(gbk("Open=x"), "Open=x");
}

// Names formed from the chosen path.

TEST(RunNames, PlainDictionaryGivesFolderLogAndCorrectedNames)
{
    auto names = formRunNames(fs::path("/dic/game.txt"));
    ASSERT_TRUE(names);
    EXPECT_EQ(names->fileName, "game.txt");
    EXPECT_EQ(names->baseName, "game");
    EXPECT_EQ(names->extension, ".txt");
    EXPECT_EQ(names->logName, "game.log");
}

TEST(RunNames, BaseNameEndsAtTheLastDot)
{
    auto names = formRunNames(fs::path("/dic/a.b.txt"));
    ASSERT_TRUE(names);
    EXPECT_EQ(names->baseName, "a.b");
    EXPECT_EQ(names->extension, ".txt");
    EXPECT_EQ(names->logName, "a.b.log");
    auto dat = formRunNames(fs::path("/dic/a.b.DAT"));
    ASSERT_TRUE(dat);
    EXPECT_EQ(dat->baseName, "a.b");
    EXPECT_EQ(dat->logName, "a.b.log");
}

TEST(RunNames, LogDictionaryGetsTheAlternativeLogNameInAnyCase)
{
    for (const char* name : {"/dic/game.log", "/dic/game.LOG", "/dic/game.Log"}) {
        auto names = formRunNames(fs::path(name));
        ASSERT_TRUE(names) << name;
        EXPECT_EQ(names->logName, "game1.log") << name;
    }
    auto longer = formRunNames(fs::path("/dic/game.logs"));
    ASSERT_TRUE(longer);
    EXPECT_EQ(longer->logName, "game.log");
}

TEST(RunNames, NameWithoutDotGivesNoNamesEvenInAFolderWithADot)
{
    EXPECT_FALSE(formRunNames(fs::path("/dic/game")));
    EXPECT_FALSE(formRunNames(fs::path("/dic.d/game")));
}

}  // namespace
}  // namespace corvel::test
