// Dictionary text to UTF-8 for the report's messages. Bytes that do not
// convert are written as \xNN, so every byte of the line stays visible.
// Only the lines a finding quotes are converted, never the whole file.
#pragma once

#include "corvel/run_request.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace corvel::report {

using corvel::TextEncoding;

class TextDecoder {
public:
    explicit TextDecoder(TextEncoding encoding = TextEncoding::Gbk) : encoding_(encoding) {}

    TextEncoding encoding() const { return encoding_; }
    std::string toUtf8(std::string_view bytes) const;
    void appendUtf8(std::string& out, std::string_view bytes) const;

private:
    void appendGbk(std::string& out, std::string_view bytes) const;
    void appendCheckedUtf8(std::string& out, std::string_view bytes) const;

    TextEncoding encoding_;
};

// The multibyte UTF-8 character at `at`: its length with its code point in
// `code`, or 0 when the bytes there are not one (an ASCII byte, a stray
// byte, a cut-off sequence, an overlong form, a surrogate or a code point
// beyond U+10FFFF).
inline std::size_t utf8CharAt(std::string_view bytes, std::size_t at, char32_t& code)
{
    auto b = static_cast<unsigned char>(bytes[at]);
    std::size_t length = b >= 0xF8 ? 0 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 0;
    if (length == 0 || at + length > bytes.size())
        return 0;
    code = length == 4 ? b & 0x07 : length == 3 ? b & 0x0F : b & 0x1F;
    for (std::size_t k = 1; k < length; ++k) {
        auto c = static_cast<unsigned char>(bytes[at + k]);
        if ((c & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (c & 0x3F);
    }
    constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kMinimum[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

// Appends a code point as UTF-8.
void appendCodePoint(std::string& out, char32_t code);
// Appends "\xNN" (upper-case hex).
void appendByteEscape(std::string& out, unsigned char byte);

}  // namespace corvel::report
