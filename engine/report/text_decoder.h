// Dictionary text to UTF-8 for the report's messages. Bytes that do not
// convert are written as \xNN, so every byte of the line stays visible.
// Only the lines a finding quotes are converted, never the whole file.
#pragma once

#include "corvel/run_request.h"

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

// Appends a code point as UTF-8.
void appendCodePoint(std::string& out, char32_t code);
// Appends "\xNN" (upper-case hex).
void appendByteEscape(std::string& out, unsigned char byte);

}  // namespace corvel::report
