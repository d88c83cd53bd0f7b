#include "text_kinds.h"

#include "gbk_chars.h"
#include "corvel/report/text_decoder.h"

#include <cctype>

namespace corvel::report {

namespace {

bool cjkCodePoint(char32_t c)
{
    return (c >= 0x3040 && c <= 0x312F) ||    // kana, bopomofo
           (c >= 0x3400 && c <= 0x4DBF) ||    // Han extension A
           (c >= 0x4E00 && c <= 0x9FFF) ||    // Han
           (c >= 0xAC00 && c <= 0xD7AF) ||    // hangul
           (c >= 0xF900 && c <= 0xFAFF) ||    // Han compatibility
           (c >= 0x20000 && c <= 0x3FFFF);    // Han beyond the BMP
}

// A GBK double-byte character that is CJK: Han (rows B0..F7 of GB2312 and
// the GBK extensions, whose trail bytes lie below 0xA1 or whose leads lie
// outside A1..A9), kana (rows A4, A5) and bopomofo (A8C5..A8E9).
bool cjkGbk(unsigned char lead, unsigned char trail)
{
    if (lead == 0xA4 || lead == 0xA5)
        return true;
    if (lead == 0xA8)
        return trail >= 0xC5 && trail <= 0xE9;
    if (lead >= 0xA1 && lead <= 0xA9)
        return false;  // symbols, full-width forms, Greek, Cyrillic, pinyin
    return true;
}

bool isPlaceholderStart(char c)
{
    return c == '%' || c == '$' || c == '@' || c == '{' || c == '\\' || c == '<';
}

// Skips a placeholder or markup at `i` (a rough reading: enough to leave
// out its letters).
std::size_t skipPlaceholder(std::string_view s, std::size_t i)
{
    const char c = s[i];
    std::size_t j = i + 1;
    if (c == '<' || c == '{') {
        const std::size_t end = s.find(c == '<' ? '>' : '}', j);
        return end == std::string_view::npos ? j : end + 1;
    }
    if (c == '\\')
        return std::min(s.size(), j + 1);
    // %s, %5.2f, %1$s, %C24, %O, $1, $t, @1
    while (j < s.size() && (std::isdigit(static_cast<unsigned char>(s[j])) || s[j] == '.' ||
                            s[j] == '-' || s[j] == '$' || s[j] == '*'))
        ++j;
    if (j < s.size() && std::isalpha(static_cast<unsigned char>(s[j])))
        ++j;
    while (c == '%' && j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])))
        ++j;  // %C24: a colour code and its number
    return j;
}

// A word kept as it is: an acronym (two or more capitals, or a letter
// with digits), a name with an inner capital, or a single capital letter.
bool nameLike(std::string_view word, bool withDigit)
{
    bool inner = false;
    bool lower = false;
    for (std::size_t k = 0; k < word.size(); ++k) {
        const bool upper = std::isupper(static_cast<unsigned char>(word[k])) != 0;
        inner = inner || (k > 0 && upper);
        lower = lower || !upper;
    }
    return withDigit || inner || !lower;
}

bool addressLike(std::string_view s)
{
    if (s.find(' ') != std::string_view::npos)
        return false;
    return s.find("://") != std::string_view::npos || s.find('@') != std::string_view::npos ||
           s.find('/') != std::string_view::npos || s.find('*') != std::string_view::npos ||
           (s.find('.') != std::string_view::npos && s.find('.') + 1 < s.size());
}

}  // namespace

bool holdsCjk(std::string_view text, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8) {
        char32_t code = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            std::size_t length = utf8::charAt(text, i, code);
            if (length > 0 && cjkCodePoint(code))
                return true;
            if (length > 0)
                i += length - 1;
        }
        return false;
    }
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = gbk::charLength(text, i);
        if (length == 2 && cjkGbk(static_cast<unsigned char>(text[i]),
                                  static_cast<unsigned char>(text[i + 1])))
            return true;
        if (length == 1 && static_cast<unsigned char>(text[i]) >= 0x80)
            return true;  // a byte that is no GBK character: leave it to the check log's class
        i += length;
    }
    return false;
}

bool keptInEnglish(std::string_view source, std::string_view translation)
{
    if (source != translation || source.empty())
        return false;
    if (addressLike(source))
        return true;
    for (std::size_t i = 0; i < source.size();) {
        const char c = source[i];
        if (isPlaceholderStart(c)) {
            i = skipPlaceholder(source, i);
            continue;
        }
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++i;
            continue;
        }
        std::size_t end = i;
        bool digit = false;
        // Hyphens join the parts of one name (Wi-Fi, A-Z).
        auto inWord = [&](std::size_t k) {
            const auto b = static_cast<unsigned char>(source[k]);
            return std::isalnum(b) || b == '_' ||
                   (b == '-' && k + 1 < source.size() &&
                    std::isalnum(static_cast<unsigned char>(source[k + 1])));
        };
        while (end < source.size() && inWord(end)) {
            digit = digit || std::isdigit(static_cast<unsigned char>(source[end])) != 0;
            ++end;
        }
        if (!nameLike(source.substr(i, end - i), digit))
            return false;
        i = end;
    }
    return true;
}

}  // namespace corvel::report
