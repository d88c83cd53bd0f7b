// One pair of a dictionary as the report's rules see it, and its texts in
// UTF-8, converted once and only when a finding quotes them.
#pragma once

#include "corvel/report/finding.h"
#include "corvel/report/text_decoder.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvel::report {

struct PairText {
    std::string_view source;       // the source's bytes
    std::string_view translation;  // the translation's bytes
    std::int32_t sourceLine = 0;
    std::int32_t translationLine = 0;
    std::uint32_t translationColumn = 0;  // byte offset of the translation in its line
};

// The pair of an equals line: the source before the "=", the translation
// after it. Where the texts themselves hold "=", the separator is the
// middle "=" when the line holds an odd number of them and the middle one
// comes before the first Chinese character ("%n=Nick=%n=昵称"), else the
// last "=" before that character ("a = b=甲"); with no Chinese after the
// first "=", the first "=". A line without "=" is all source.
PairText equalsPair(std::string_view line, std::int32_t number);

class QuotedPair {
public:
    QuotedPair(const PairText& pair, const TextDecoder& decoder) : pair_(pair), decoder_(decoder) {}

    const PairText& pair() const { return pair_; }
    const std::string& source();
    const std::string& translation();
    // Fills a finding's source and translation.
    void fill(Finding& finding);

private:
    const PairText& pair_;
    const TextDecoder& decoder_;
    std::optional<std::string> source_;
    std::optional<std::string> translation_;
};

// A text quoted for a message: in double quotes, cut after 60 characters.
std::string quote(std::string_view utf8);

}  // namespace corvel::report
