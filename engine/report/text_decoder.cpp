#include "corvel/report/text_decoder.h"

#include "gbk_chars.h"
#include "gbk_table.h"
#include "utf8.h"

namespace corvel::report {

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

void TextDecoder::appendUtf8(std::string& out, std::string_view bytes) const
{
    if (encoding_ == TextEncoding::Utf8)
        appendCheckedUtf8(out, bytes);
    else
        appendGbk(out, bytes);
}

void TextDecoder::appendGbk(std::string& out, std::string_view bytes) const
{
    const GbkTable* table = nullptr;  // built only when a byte needs it
    std::size_t i = 0;
    while (i < bytes.size()) {
        auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        if (table == nullptr)
            table = &GbkTable::instance();
        char32_t code = 0;
        std::size_t length = gbk::charLength(bytes, i);
        if (length == 2)
            code = table->pair(b, static_cast<unsigned char>(bytes[i + 1]));
        else
            code = table->single(b);
        if (code == 0) {
            appendByteEscape(out, b);  // the next byte is looked at on its own
            ++i;
            continue;
        }
        utf8::appendCodePoint(out, code);
        i += length;
    }
}

// UTF-8 text is copied as it is, except for the bytes of sequences that are
// not UTF-8 (overlong forms, surrogates and code points beyond U+10FFFF too).
void TextDecoder::appendCheckedUtf8(std::string& out, std::string_view bytes) const
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        char32_t code = 0;
        const std::size_t length = utf8::charAt(bytes, i, code);
        if (length == 0) {
            appendByteEscape(out, b);
            ++i;
            continue;
        }
        out.append(bytes.substr(i, length));
        i += length;
    }
}

}  // namespace corvel::report
