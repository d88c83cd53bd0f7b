// What a file is, from its first bytes and a UTF-8 scan, and how --encoding
// auto reads it.
#include "encoding/file_kind.h"
#include "chars.h"
#include "scan_support.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <random>

namespace corvel::encoding::test {
namespace {

using namespace std::string_literals;

struct KindCase {
    const char* name;
    std::string bytes;
    bool utf8Bom;
    Utf16 utf16;
    bool utf8Text;
    TextEncoding automatic;
};

FileKind detect(std::string_view bytes, std::size_t piece)
{
    FileKindDetector detector;
    for (std::size_t at = 0; at < bytes.size() && !detector.settled(); at += piece)
        detector.feed(bytes.data() + at, std::min(piece, bytes.size() - at));
    return detector.finish();
}

TEST(FileKind, FromMarksNulPatternAndUtf8Validity)
{
    const std::string longUtf8 = std::string(5000, 'a') + "中文";
    const std::vector<KindCase> cases = {
        {"empty", "", false, Utf16::None, false, TextEncoding::Gbk},
        {"ascii", "Open\r\nOK\r\n", false, Utf16::None, false, TextEncoding::Gbk},
        {"gbk", "Open\r\n" + gbk("打开"), false, Utf16::None, false, TextEncoding::Gbk},
        {"utf-8", "Open\r\n打开", false, Utf16::None, true, TextEncoding::Utf8},
        {"utf-8 after 5000 ascii bytes", longUtf8, false, Utf16::None, true, TextEncoding::Utf8},
        {"utf-8 then gbk", longUtf8 + gbk("中"), false, Utf16::None, false, TextEncoding::Gbk},
        {"mark and ascii", "\xEF\xBB\xBFOpen", true, Utf16::None, false, TextEncoding::Utf8},
        {"mark and gbk", "\xEF\xBB\xBF" + gbk("打开"), true, Utf16::None, false,
         TextEncoding::Utf8},
        {"utf-8 cut in a character", "Open\r\n\xE4\xB8", false, Utf16::None, false,
         TextEncoding::Gbk},
        {"overlong", "a\xC0\xAF", false, Utf16::None, false, TextEncoding::Gbk},
        {"surrogate", "a\xED\xA0\x80", false, Utf16::None, false, TextEncoding::Gbk},
        {"utf-16 LE mark", "\xFF\xFE" "a\0"s, false, Utf16::LittleEndian, false,
         TextEncoding::Gbk},
        {"utf-16 BE mark", "\xFE\xFF\0a"s, false, Utf16::BigEndian, false, TextEncoding::Gbk},
        {"utf-16 LE ascii", "a\0b\0\r\0\n\0"s, false, Utf16::LittleEndian, false,
         TextEncoding::Gbk},
        {"utf-16 LE Chinese", "\x2D\x4E\x87\x65\r\0\n\0\x2D\x4E\x87\x65\r\0\n\0"s, false,
         Utf16::LittleEndian, false, TextEncoding::Gbk},
        // GBK bytes that happen to be valid UTF-8: 停止 reads as U+0363 U+05B9,
        // 值 as U+05B5, 谢谢 as U+043B U+043B; accents and Chinese are UTF-8.
        {"gbk 停止", gbk("停止"), false, Utf16::None, false, TextEncoding::Gbk},
        {"gbk 值", "Value\r\n" + gbk("值") + "\r\n", false, Utf16::None, false,
         TextEncoding::Gbk},
        {"gbk 谢谢", gbk("谢谢"), false, Utf16::None, false, TextEncoding::Gbk},
        {"utf-8 Café", "Caf\u00e9", false, Utf16::None, true, TextEncoding::Utf8},
        {"utf-8 quotes", "\u201cOK\u201d", false, Utf16::None, true, TextEncoding::Utf8},
        {"utf-8 Чай and 中文", "\u0427\u0430\u0439 中文", false, Utf16::None, true,
         TextEncoding::Utf8},
        {"two NULs in 100 bytes", std::string(50, 'a') + "\0\0"s + std::string(48, 'b'), false,
         Utf16::None, false, TextEncoding::Gbk},
    };
    for (const KindCase& c : cases) {
        for (std::size_t piece : {std::size_t {1}, std::size_t {3}, std::size_t {1 << 20}}) {
            FileKind kind = detect(c.bytes, piece);
            EXPECT_EQ(kind.utf8Bom, c.utf8Bom) << c.name;
            EXPECT_EQ(kind.utf16, c.utf16) << c.name;
            EXPECT_EQ(kind.isUtf8Text(), c.utf8Text) << c.name << ", pieces of " << piece;
            EXPECT_EQ(resolveEncoding(EncodingChoice::Auto, kind), c.automatic) << c.name;
        }
    }
}

TEST(FileKind, Utf8ValidityMatchesDecodingByteByByte)
{
    // Random text of UTF-8 pieces, valid and not, in every piece size.
    const char* pieces[] = {"a", "\r\n", "中", "\xC2\x80", "\xF0\x9F\x98\x80", "\xEF\xBF\xBD",
                            "\xE0\xA0\x80", "\xED\x9F\xBF", "\xF4\x8F\xBF\xBF",
                            "\xE0\x80\x80", "\xED\xA0\x80", "\xF0\x8F\xBF\xBF",
                            "\xF4\x90\x80\x80", "\xC1\xBF", "\xF5", "\x80", "\xE4\xB8"};
    std::mt19937 random(5);
    for (int round = 0; round < 400; ++round) {
        std::string text;
        const int invalidAt = round % 2 == 0 ? -1 : static_cast<int>(random() % 80);
        for (int i = 0; i < 80; ++i)
            text += pieces[i == invalidAt ? 9 + random() % 8 : random() % 9];
        bool valid = true;
        CharDecoder decoder(TextEncoding::Utf8);
        auto note = [&](const DecodedChar& c) { valid = valid && c.kind != CharKind::Invalid; };
        for (char b : text)
            decoder.push(static_cast<std::uint8_t>(b), 0, note);
        decoder.flush(note);
        for (std::size_t piece : {std::size_t {1}, std::size_t {64}, std::size_t {100}})
            EXPECT_EQ(detect(text, piece).validUtf8, valid) << round << " " << piece;
    }
}

TEST(FileKind, NarrowSecondBytesAtEveryPlaceOfABlock)
{
    struct Case {
        const char* bytes;
        bool valid;
    };
    const Case cases[] = {
        {"\xE0\xA0\x80", true},      {"\xE0\x9F\xBF", false},     // no overlong form
        {"\xED\x9F\xBF", true},      {"\xED\xA0\x80", false},     // no surrogate
        {"\xF0\x90\x80\x80", true},  {"\xF0\x8F\xBF\xBF", false},  // from U+10000
        {"\xF4\x8F\xBF\xBF", true},  {"\xF4\x90\x80\x80", false},  // to U+10FFFF
    };
    for (const Case& c : cases)
        for (std::size_t at = 58; at <= 66; ++at) {
            std::string text = std::string(at, 'a') + c.bytes + std::string(80, 'b');
            EXPECT_EQ(detect(text, 1 << 20).validUtf8, c.valid) << c.bytes << " at " << at;
        }
}

TEST(FileKind, SettledOnceTheFileCannotBeUtf8)
{
    FileKindDetector detector;
    std::string gbkText = gbk("打开") + std::string(5000, 'a');
    detector.feed(gbkText.data(), gbkText.size());
    EXPECT_TRUE(detector.settled());
    FileKindDetector utf8;
    std::string utf8Text = "打开" + std::string(5000, 'a');
    utf8.feed(utf8Text.data(), utf8Text.size());
    EXPECT_FALSE(utf8.settled()) << "a later byte may still break UTF-8";
}

class FileKindOfAFile : public corvel::test::TempFolderTest {};

TEST_F(FileKindOfAFile, ReadsTheFileAndFailsWithoutOne)
{
    FileKind kind;
    EXPECT_FALSE(detectFileKind(makeFile("u.txt", "\xEF\xBB\xBF" "Open\r\n打开\r\n"), kind));
    EXPECT_TRUE(kind.utf8Bom);
    EXPECT_TRUE(kind.isUtf8Text());
    Error missing = detectFileKind(root() / "missing.txt", kind);
    EXPECT_EQ(missing.kind(), ErrorKind::FileNotFound);
}

TEST(TranslationChars, Utf8CountsEveryMultibyteCharacter)
{
    struct Case {
        std::string text;
        bool gbkResult;
        bool utf8Result;
    };
    const std::vector<Case> cases = {
        {"Open file", false, false},
        {"", false, false},
        {"\xC2\x80", true, true},                     // U+0080, two bytes
        {"Caf\xC3\xA9", true, true},                  // é
        {std::string(40, 'a') + "\x80", false, true},  // 0x80 is no GBK translation byte
        {std::string(40, 'a') + "中", true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hasTranslationChar(c.text, TextEncoding::Gbk), c.gbkResult) << c.text;
        EXPECT_EQ(hasTranslationChar(c.text, TextEncoding::Utf8), c.utf8Result) << c.text;
    }
}

}  // namespace
}  // namespace corvel::encoding::test
