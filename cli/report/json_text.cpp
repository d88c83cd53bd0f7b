#include "json_text.h"

#include "corvel/report/text_decoder.h"

namespace corvel::cli {

namespace {

const char kHex[] = "0123456789abcdef";
const char kUpperHex[] = "0123456789ABCDEF";

void appendUnicodeEscape(std::string& out, unsigned code)
{
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += kHex[(code >> shift) & 0xF];
}

// The length of the UTF-8 sequence at `at`, or 0 when it is not one.
std::size_t utf8Length(std::string_view text, std::size_t at)
{
    auto b = static_cast<unsigned char>(text[at]);
    std::size_t length = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 ? 2 : 0;
    if (b >= 0xF5 || length == 0 || at + length > text.size())
        return 0;
    std::uint32_t code = b & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        auto c = static_cast<unsigned char>(text[at + k]);
        if ((c & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (c & 0x3F);
    }
    constexpr std::uint32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kMinimum[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

}  // namespace

namespace {
bool plainJsonByte(unsigned char b)
{
    return b >= 0x20 && b < 0x7F && b != '"' && b != '\\';
}
}  // namespace

void appendJsonString(std::string& out, std::string_view text)
{
    out += '"';
    std::size_t i = 0;
    while (i < text.size()) {
        // Printable ASCII that needs no escape goes out as a run.
        std::size_t run = i;
        while (run < text.size() && plainJsonByte(static_cast<unsigned char>(text[run])))
            ++run;
        if (run != i) {
            out.append(text, i, run - i);
            i = run;
            continue;
        }
        auto b = static_cast<unsigned char>(text[i]);
        if (b >= 0x80) {
            std::size_t length = utf8Length(text, i);
            if (length == 0) {
                out += "\\\\x";
                out += kUpperHex[b >> 4];
                out += kUpperHex[b & 0xF];
                ++i;
                continue;
            }
            std::string_view sequence = text.substr(i, length);
            if (char32_t code = report::codePointOf(sequence); report::isInvisibleControl(code))
                appendUnicodeEscape(out, static_cast<unsigned>(code));
            else
                out.append(sequence);
            i += length;
            continue;
        }
        switch (b) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
            if (b < 0x20 || b == 0x7F)
                appendUnicodeEscape(out, b);
            else
                out += static_cast<char>(b);
        }
        ++i;
    }
    out += '"';
}

std::string jsonString(std::string_view text)
{
    std::string out;
    appendJsonString(out, text);
    return out;
}

}  // namespace corvel::cli
