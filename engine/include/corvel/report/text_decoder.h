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
    TextEncoding encoding_;
};

// The multibyte UTF-8 character at `at`: its length with its code point in
// `code`, or 0 when the bytes there are not one (an ASCII byte, a stray
// byte, a cut-off sequence, an overlong form, a surrogate or a code point
// beyond U+10FFFF). The engine's own decoder, for the front ends.
std::size_t utf8CharAt(std::string_view bytes, std::size_t at, char32_t& code);

// A character that shows nothing yet moves or breaks the text around it:
// the C1 controls (U+0085 ends a line for some readers, U+009B starts a
// terminal sequence), the line and paragraph separators and the controls
// of the bidirectional algorithm (U+202E writes what follows backwards).
inline bool isInvisibleControl(char32_t code)
{
    return (code >= 0x80 && code <= 0x9F) || code == 0x2028 || code == 0x2029 ||
           code == 0x061C || code == 0x200E || code == 0x200F ||
           (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
}

// Appends "\xNN" (upper-case hex).
void appendByteEscape(std::string& out, unsigned char byte);

}  // namespace corvel::report
