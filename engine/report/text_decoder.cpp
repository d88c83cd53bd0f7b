#include "corvel/report/text_decoder.h"

#include "gbk_chars.h"
#include "gbk_table.h"
#include "utf8.h"

#include <algorithm>

namespace corvel::report {

namespace {

// The GBK character at `at` (not ASCII): its length with its code point, or
// 0 when it has none.
std::size_t gbkCharAt(std::string_view bytes, std::size_t at, char32_t& code,
                      const GbkTable*& table)
{
    if (table == nullptr)
        table = &GbkTable::instance();
    const auto b = static_cast<unsigned char>(bytes[at]);
    const std::size_t length = gbk::charLength(bytes, at);
    code = length == 2 ? table->pair(b, static_cast<unsigned char>(bytes[at + 1]))
                       : table->single(b);
    return code == 0 ? 0 : length;
}

}  // namespace

std::size_t utf8CharAt(std::string_view bytes, std::size_t at, char32_t& code)
{
    return utf8::charAt(bytes, at, code);
}

void appendByteEscape(std::string& out, unsigned char byte)
{
    static const char kHex[] = "0123456789ABCDEF";
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
}

std::string TextDecoder::toUtf8(std::string_view bytes) const
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    appendUtf8(out, bytes);
    return out;
}

// GBK text is converted character by character; UTF-8 text is copied as it
// is. A byte that starts no character (in UTF-8 also an overlong form, a
// surrogate or a code point beyond U+10FFFF) is written as \xNN and the
// next byte is looked at on its own.
void TextDecoder::appendUtf8(std::string& out, std::string_view bytes) const
{
    const bool utf8 = encoding_ == TextEncoding::Utf8;
    const GbkTable* table = nullptr;  // built only when a byte needs it
    std::size_t i = 0;
    while (i < bytes.size()) {
        auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        char32_t code = 0;
        std::size_t length = utf8 ? utf8::charAt(bytes, i, code) : gbkCharAt(bytes, i, code, table);
        if (length == 0)
            appendByteEscape(out, b);
        else if (utf8)
            out.append(bytes.substr(i, length));
        else
            utf8::appendCodePoint(out, code);
        i += std::max<std::size_t>(length, 1);
    }
}

}  // namespace corvel::report
