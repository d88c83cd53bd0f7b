// The classes of line-pair lines and the log entries they get.
#include "chars.h"
#include "pair_rules.h"
#include "run_test.h"

namespace corvel::test {
namespace {

constexpr std::int32_t kEnglish = 1;
constexpr std::int32_t kChinese = 2;

TEST(PairLineClass, EnglishLinesOfPlainCharactersAreGood)
{
    EXPECT_EQ(classifyPairLine("Open", kEnglish), LineClass::Good);
    EXPECT_EQ(classifyPairLine("Version 2.0 (beta)", kEnglish), LineClass::Good);
}

TEST(PairLineClass, EnglishLineWithATranslationCharacterIsErroneous)
{
    EXPECT_EQ(classifyPairLine(gbk("Save 文件"), kEnglish), LineClass::Erroneous);
    EXPECT_EQ(classifyPairLine(gbk("Open："), kEnglish), LineClass::Erroneous);
}

TEST(PairLineClass, ChineseLineWithoutTranslationCharacterIsUntranslated)
{
    EXPECT_EQ(classifyPairLine("OK", kChinese), LineClass::Untranslated);
    EXPECT_EQ(classifyPairLine("123", kChinese), LineClass::Untranslated);
    EXPECT_EQ(classifyPairLine(gbk("OK！"), kChinese), LineClass::Good);
    EXPECT_EQ(classifyPairLine(gbk("打开"), kChinese), LineClass::Good);
}

TEST(PairLineClass, Byte0x80IsPlainAnd0x81IsATranslationCharacter)
{
    EXPECT_EQ(classifyPairLine("a\x80", kEnglish), LineClass::Good);
    EXPECT_EQ(classifyPairLine("a\x80", kChinese), LineClass::Untranslated);
    EXPECT_EQ(classifyPairLine("a\x81", kEnglish), LineClass::Erroneous);
    EXPECT_EQ(classifyPairLine("a\x81", kChinese), LineClass::Good);
    EXPECT_EQ(classifyPairLine("\xFF", kChinese), LineClass::Good);
    EXPECT_EQ(classifyPairLine("\x7F", kChinese), LineClass::Untranslated);
}

// The test looks at eight bytes at a time: a lone translation byte must be
// found at every position of a word and in the tail after the last word.
TEST(PairLineClass, TranslationByteIsFoundAtEveryPositionOfALongLine)
{
    for (std::size_t length = 1; length <= 40; ++length) {
        for (std::size_t at = 0; at < length; ++at) {
            std::string plain(length, '\x80');
            EXPECT_FALSE(hasTranslationChar(plain)) << length;
            std::string line(length, 'a');
            line[at] = '\x81';
            EXPECT_TRUE(hasTranslationChar(line)) << "0x81 at " << at << " of " << length;
            line[at] = '\xFF';
            EXPECT_TRUE(hasTranslationChar(line)) << "0xFF at " << at << " of " << length;
        }
    }
}

TEST(PairLineClass, OnlySpacesMakeALineEmpty)
{
    EXPECT_EQ(classifyPairLine("", kEnglish), LineClass::Empty);
    EXPECT_EQ(classifyPairLine("   ", kEnglish), LineClass::Empty);
    EXPECT_EQ(classifyPairLine("   ", kChinese), LineClass::Empty);
    EXPECT_EQ(classifyPairLine("\t", kEnglish), LineClass::Good);
    EXPECT_EQ(classifyPairLine("\t", kChinese), LineClass::Untranslated);
    EXPECT_EQ(classifyPairLine(" \t ", kChinese), LineClass::Untranslated);
    // Ideographic spaces are double-byte characters, not spaces.
    EXPECT_EQ(classifyPairLine(gbk("　　"), kEnglish), LineClass::Erroneous);
    EXPECT_EQ(classifyPairLine(gbk("　　"), kChinese), LineClass::Good);
}

// The entries as the run writes them.

class PairEntries : public RunTest {};

TEST_F(PairEntries, BoundaryBytesGiveTheirEntriesAndQuoteTheLine)
{
    chooseDictionary("b.txt", crlfLines({"a\x80", "b\x80", "c\x81", "d\x81"}));
    RunReport report = runPairs();
    EXPECT_EQ(report.erroneous, 1);
    EXPECT_EQ(report.untranslated, 1);
    std::string expected = pairCheckHeader() + entryLine("  第 2 行没有翻译。", "b\x80") +
        entryLine("* 第 3 行发生错误。", "c\x81") + pairCheckSummary(4, 1, 1, 0);
    EXPECT_TRUE(sameBytes(output("b/b.log"), expected));
}

TEST_F(PairEntries, TabOnlyLinesAreNotEmpty)
{
    chooseDictionary("t.txt", crlfLines({"\t", "\t"}));
    RunReport report = runPairs();
    EXPECT_EQ(report.empty, 0);
    EXPECT_EQ(report.untranslated, 1);
    EXPECT_TRUE(sameBytes(output("t/t.log"),
                          pairCheckHeader() + entryLine("  第 2 行没有翻译。", "\t") +
                              pairCheckSummary(2, 1, 0, 0)));
}

TEST_F(PairEntries, SpaceOnlyLinesAreEmptyInBothPositions)
{
    chooseDictionary("s.txt", crlfLines({"   ", " "}));
    RunReport report = runPairs();
    EXPECT_EQ(report.empty, 2);
    std::string warning = " (警告:存在空行有可能会导致奇隅行发生严重错误！)";
    EXPECT_TRUE(
        sameBytes(output("s/s.log"),
                  pairCheckHeader() +
                      gbkLines({"# 第 1 行是空行。\t" + warning, "# 第 2 行是空行。\t" + warning}) +
                      pairCheckSummary(2, 0, 0, 2)));
}

TEST_F(PairEntries, LongTextRunsPastTheZoneAndLineNumbersGrowTheEntry)
{
    // Line 1001 gives "* 第 1001 行发生错误。": 22 bytes, filled to 28.
    std::string bytes;
    for (int i = 0; i < 500; ++i)
        bytes += crlfLines({"Open", gbk("打开")});
    std::string longText = gbk("很长的一行文字，比一个打印区长得多");
    bytes += crlfLines({longText});
    chooseDictionary("l.txt", bytes);
    (void)runPairs();
    EXPECT_TRUE(sameBytes(output("l/l.log"),
                          pairCheckHeader() + gbk("* 第 1001 行发生错误。") + "      " + longText +
                              "\r\n" + pairCheckSummary(1001, 0, 1, 0)));
}

}  // namespace
}  // namespace corvel::test
