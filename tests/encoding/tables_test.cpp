// The byte tables against the system's converters, the decoder on the
// sequences that decide it, and the GBK pairing of the fast path against
// decoding byte by byte.
#include "char_decoder.h"
#include "gbk_cells.h"
#include "utf8.h"
#include "encoding/plain_block.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#if !defined(_WIN32)
#include <iconv.h>
#endif

namespace corvel::encoding::test {
namespace {

#if !defined(_WIN32)
// Whether iconv converts `bytes` from `encoding` to UTF-8 in full.
class Converter {
public:
    explicit Converter(const char* encoding) : cd_(::iconv_open("UTF-8", encoding)) {}
    ~Converter() { ::iconv_close(cd_); }
    bool converts(std::string bytes)
    {
        ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char out[16];
        char* in = bytes.data();
        std::size_t inLeft = bytes.size();
        char* outPtr = out;
        std::size_t outLeft = sizeof out;
        return ::iconv(cd_, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) &&
               inLeft == 0;
    }

private:
    iconv_t cd_;
};

TEST(Tables, Gb2312CellsAreThoseTheSystemConverts)
{
    Converter gb2312("GB2312");
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            std::string cell {static_cast<char>(lead), static_cast<char>(trail)};
            EXPECT_EQ(isGb2312(static_cast<std::uint8_t>(lead), static_cast<std::uint8_t>(trail)),
                      gb2312.converts(cell))
                << std::hex << lead << " " << trail;
        }
}

// Every four-byte sequence the system converts is valid; the system leaves
// a few cells of the Basic Multilingual Plane range unmapped, which count
// as valid here all the same.
TEST(Tables, Gb18030FourByteRangesHoldWhatTheSystemConverts)
{
    Converter gb18030("GB18030");
    const int thirds[] = {0x81, 0x82, 0xA4, 0xA5, 0x99, 0x9A, 0xFE};
    int acceptedOnlyHere = 0;
    for (int b1 = 0x81; b1 <= 0xFE; ++b1)
        for (int b2 = 0x30; b2 <= 0x39; ++b2)
            for (int b3 : thirds)
                for (int b4 : {0x30, 0x35, 0x37, 0x39}) {
                    std::string seq {static_cast<char>(b1), static_cast<char>(b2),
                                     static_cast<char>(b3), static_cast<char>(b4)};
                    const bool valid = isGb18030FourByte(b1, b2, b3, b4);
                    if (gb18030.converts(seq))
                        EXPECT_TRUE(valid) << std::hex << b1 << b2 << b3 << b4;
                    else
                        acceptedOnlyHere += valid;
                }
    EXPECT_LE(acceptedOnlyHere, 4);
    // The edges of both ranges.
    EXPECT_TRUE(isGb18030FourByte(0x84, 0x31, 0xA4, 0x39));
    EXPECT_FALSE(isGb18030FourByte(0x84, 0x31, 0xA5, 0x30));
    EXPECT_FALSE(isGb18030FourByte(0x8F, 0x39, 0xFE, 0x39));
    EXPECT_TRUE(isGb18030FourByte(0x90, 0x30, 0x81, 0x30));
    EXPECT_TRUE(isGb18030FourByte(0xE3, 0x32, 0x9A, 0x35));
    EXPECT_FALSE(isGb18030FourByte(0xE3, 0x32, 0x9A, 0x36));
}
#endif

struct Decoded {
    CharKind kind;
    std::uint32_t code;
    std::uint64_t pos;
};

std::vector<Decoded> decode(TextEncoding encoding, std::string_view bytes)
{
    std::vector<Decoded> out;
    CharDecoder decoder(encoding);
    auto sink = [&](const DecodedChar& c) { out.push_back({c.kind, c.code, c.pos}); };
    for (std::size_t i = 0; i < bytes.size(); ++i)
        decoder.push(static_cast<std::uint8_t>(bytes[i]), i, sink);
    decoder.flush(sink);
    return out;
}

bool operator==(const Decoded& a, const Decoded& b)
{
    return a.kind == b.kind && a.code == b.code && a.pos == b.pos;
}

// UTF-8 as the standard defines it: the code point a lead byte and its
// continuations give, refused when overlong, a surrogate or past U+10FFFF.
std::size_t referenceUtf8(std::string_view bytes, char32_t& code)
{
    auto b = static_cast<unsigned char>(bytes[0]);
    std::size_t length = b >= 0xF8 ? 0 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 0;
    if (length == 0 || length > bytes.size())
        return 0;
    code = b & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        auto c = static_cast<unsigned char>(bytes[k]);
        if ((c & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (c & 0x3F);
    }
    constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kMinimum[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

// The one-character decoder and the stream decoder against the standard,
// on every lead byte and second byte, with the third and fourth bytes at
// the edges of the continuation range, and cut short.
TEST(Utf8, BothDecodersReadEverySequenceAsTheStandardDoes)
{
    for (int lead = 0x80; lead <= 0xFF; ++lead)
        for (int second = 0; second <= 0xFF; ++second)
            for (const char* tail : {"\x80\x80", "\xBF\xBF", "\x7F\x80", "\x80\xC0", "", "\x80"}) {
                std::string bytes {static_cast<char>(lead), static_cast<char>(second)};
                bytes += tail;
                SCOPED_TRACE(::testing::PrintToString(bytes));
                char32_t want = 0, got = 0;
                const std::size_t length = referenceUtf8(bytes, want);
                ASSERT_EQ(utf8::charAt(bytes, 0, got), length);
                std::vector<Decoded> stream = decode(TextEncoding::Utf8, bytes);
                if (length == 0) {
                    EXPECT_EQ(stream[0].kind, CharKind::Invalid);
                    continue;
                }
                EXPECT_EQ(got, want);
                EXPECT_EQ(stream[0].kind, CharKind::Multibyte);
                EXPECT_EQ(stream[0].code, want);
                std::string encoded;
                utf8::appendCodePoint(encoded, want);
                EXPECT_EQ(encoded, bytes.substr(0, length));
            }
}

TEST(CharDecoder, CutsCharactersAndResumesAfterInvalidBytes)
{
    using K = CharKind;
    struct Case {
        TextEncoding encoding;
        std::string bytes;
        std::vector<Decoded> expected;
    };
    const TextEncoding gbk = TextEncoding::Gbk, gb18030 = TextEncoding::Gb18030,
                       utf8 = TextEncoding::Utf8;
    const std::vector<Case> cases = {
        {gbk, "a\xD6\xD0", {{K::Ascii, 'a', 0}, {K::Multibyte, 0xD6D0, 1}}},
        {gbk, "\x81\x40\x80", {{K::Multibyte, 0x8140, 0}, {K::Invalid, 0x80, 2}}},
        {gbk, "\xD6 ", {{K::Invalid, 0xD620, 0}, {K::Ascii, ' ', 1}}},
        {gbk, "\xD6", {{K::Invalid, 0xD6, 0}}},
        {gbk, "\x81\x30\x81\x30", {{K::Invalid, 0x81308130, 0}}},
        {gbk, "\x81\x30" "a", {{K::Invalid, 0x813061, 0}, {K::Ascii, '0', 1}, {K::Ascii, 'a', 2}}},
        {gb18030, "\x81\x30\x81\x30", {{K::Multibyte, 0x81308130, 0}}},
        {gb18030, "\x81\x30\x41", {{K::Invalid, 0x813041, 0}, {K::Ascii, '0', 1}, {K::Ascii, 'A', 2}}},
        {gb18030, "\x81\x30\x81\x41",
         {{K::Invalid, 0x81308141, 0}, {K::Ascii, '0', 1}, {K::Multibyte, 0x8141, 2}}},
        {gb18030, "\x81\x30\x81",
         {{K::Invalid, 0x813081, 0}, {K::Ascii, '0', 1}, {K::Invalid, 0x81, 2}}},
        {utf8, "a\xE4\xB8\xAD", {{K::Ascii, 'a', 0}, {K::Multibyte, 0x4E2D, 1}}},
        {utf8, "\xF0\x9F\x98\x80", {{K::Multibyte, 0x1F600, 0}}},
        {utf8, "\xE4\xB8" "a", {{K::Invalid, 0xE4B8, 0}, {K::Ascii, 'a', 2}}},
        {utf8, "\xE0\x80\x80", {{K::Invalid, 0xE0, 0}, {K::Invalid, 0x80, 1}, {K::Invalid, 0x80, 2}}},
        {utf8, "\xF4\x90\x80\x80",
         {{K::Invalid, 0xF4, 0}, {K::Invalid, 0x90, 1}, {K::Invalid, 0x80, 2}, {K::Invalid, 0x80, 3}}},
        {utf8, "\xC3", {{K::Invalid, 0xC3, 0}}},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(decode(c.encoding, c.bytes) == c.expected) << c.bytes;
}

// Byte-by-byte GBK pairing of a block whose high bytes are all leads or
// trails: the low bytes taken as trails, and whether the last is a lead.
Pairing pairSequentially(std::uint64_t high, bool leadBefore)
{
    Pairing p;
    bool afterLead = leadBefore;
    for (int i = 0; i < 64; ++i) {
        const bool isHigh = (high >> i) & 1;
        if (afterLead) {
            if (!isHigh)
                p.lowTrails |= std::uint64_t {1} << i;
            afterLead = false;
        } else {
            afterLead = isHigh;
        }
    }
    p.leadAtEnd = afterLead;
    return p;
}

TEST(PlainBlock, PairingOnMasksMatchesPairingByteByByte)
{
    std::mt19937_64 random(12);
    for (int i = 0; i < 20000; ++i) {
        // Runs of high bytes: every byte high with some chance, in stretches.
        std::uint64_t high = random() & random();
        if (i % 3 == 0)
            high |= random() & (random() | random());
        const bool leadBefore = i % 2 == 0;
        Pairing fast = pairGbk(high, leadBefore);
        Pairing slow = pairSequentially(high, leadBefore);
        ASSERT_EQ(fast.lowTrails, slow.lowTrails) << std::hex << high << " " << leadBefore;
        ASSERT_EQ(fast.leadAtEnd, slow.leadAtEnd) << std::hex << high << " " << leadBefore;
    }
    EXPECT_EQ(pairGbk(~std::uint64_t {0}, true).leadAtEnd, true);
    EXPECT_EQ(pairGbk(~std::uint64_t {0}, false).leadAtEnd, false);
}

}  // namespace
}  // namespace corvel::encoding::test
