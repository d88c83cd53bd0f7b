#include "text_marks.h"

#include "gbk_chars.h"
#include "corvel/report/text_decoder.h"

#include <cstring>

namespace corvel::report {

namespace {

bool inGb2312(unsigned char lead, unsigned char trail)
{
    return lead >= 0xA1 && lead <= 0xF7 && trail >= 0xA1 && trail <= 0xFE;
}

// The end of the run of three-byte UTF-8 characters from `at` (CJK,
// CJK punctuation and full-width forms), with how many it holds.
std::size_t utf8ChineseRun(std::string_view text, std::size_t at, int& count)
{
    count = 0;
    char32_t code = 0;
    while (at < text.size()) {
        auto b = static_cast<unsigned char>(text[at]);
        if (b < 0xE3 || b > 0xEF || utf8::charAt(text, at, code) != 3)
            break;
        bool chinese = (code >= 0x4E00 && code <= 0x9FFF) || (code >= 0x3000 && code <= 0x303F) ||
                       (code >= 0xFF00 && code <= 0xFFEF);
        if (!chinese)
            break;
        ++count;
        at += 3;
    }
    return at;
}

// Whether the GBK characters over bytes [from, to) take one beyond GB2312.
bool takesRareGbk(std::string_view text, std::size_t from, std::size_t to)
{
    for (std::size_t i = from; i < to;) {
        std::size_t length = gbk::charLength(text, i);
        if (length == 2 && !inGb2312(static_cast<unsigned char>(text[i]),
                                     static_cast<unsigned char>(text[i + 1])))
            return true;
        i += length;
    }
    return false;
}

// The byte 0x80..0xBF that a Latin-1 or Windows-1252 character stands for,
// or 0.
unsigned char continuationByteOf(char32_t code)
{
    if (code >= 0x80 && code <= 0xBF)
        return static_cast<unsigned char>(code);
    // Windows-1252 0x80..0x9F.
    static constexpr char32_t kWindows1252[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
        0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    for (unsigned k = 0; k < 32; ++k)
        if (kWindows1252[k] != 0 && kWindows1252[k] == code)
            return static_cast<unsigned char>(0x80 + k);
    return 0;
}

// How many continuation bytes a lead byte (as a Latin-1 character) promises.
int promisedBy(char32_t code)
{
    const utf8::Lead lead = utf8::leadOf(static_cast<std::uint8_t>(code));
    return code <= 0xFF && lead.length > 0 ? lead.length - 1 : 0;
}

}  // namespace

std::optional<std::size_t> findUtf8ReadAsGbk(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        auto b = static_cast<unsigned char>(text[i]);
        if (b >= 0xE3 && b <= 0xEF) {
            int count = 0;
            std::size_t end = utf8ChineseRun(text, i, count);
            if (count >= 2 && takesRareGbk(text, i, end))
                return i;
        }
        i += gbk::charLength(text, i);
    }
    return std::nullopt;
}

std::optional<std::size_t> findUtf8ReadAsLatin1(std::string_view text)
{
    char32_t code = 0;
    for (std::size_t i = 0; i < text.size();) {
        auto b = static_cast<unsigned char>(text[i]);
        std::size_t length = b >= 0x80 ? utf8::charAt(text, i, code) : 0;
        if (length == 0) {
            ++i;
            continue;
        }
        int promised = promisedBy(code);
        std::size_t at = i + length;
        int seen = 0;
        while (seen < promised && at < text.size()) {
            char32_t next = 0;
            std::size_t nextLength = utf8::charAt(text, at, next);
            if (nextLength == 0 || continuationByteOf(next) == 0)
                break;
            ++seen;
            at += nextLength;
        }
        if (promised > 0 && seen == promised)
            return i;
        i += length;
    }
    return std::nullopt;
}

std::optional<ControlFound> findNewInvisibleControl(std::string_view source,
                                                    std::string_view text)
{
    char32_t code = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto b = static_cast<unsigned char>(text[i]);
        // The leads of U+0080..U+009F, U+061C and U+2000..U+207F.
        if (b != 0xC2 && b != 0xD8 && b != 0xE2)
            continue;
        std::size_t length = utf8::charAt(text, i, code);
        if (length == 0 || !isInvisibleControl(code))
            continue;
        if (source.find(text.substr(i, length)) == std::string_view::npos)
            return ControlFound {i, code};
        i += length - 1;
    }
    return std::nullopt;
}

}  // namespace corvel::report
