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
            char32_t code = 0;
            std::size_t length = report::utf8CharAt(text, i, code);
            if (length == 0) {
                out += "\\\\x";
                out += kUpperHex[b >> 4];
                out += kUpperHex[b & 0xF];
                ++i;
                continue;
            }
            if (report::isInvisibleControl(code))
                appendUnicodeEscape(out, static_cast<unsigned>(code));
            else
                out.append(text.substr(i, length));
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
