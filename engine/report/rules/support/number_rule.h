// number-mismatch: the numbers of a source that its translation lacks (GBK
// bytes). A number is a run of digits (full-width digits count, read as
// ASCII) with its decimal points and thousands commas ("1,000" is 1000).
// Digits inside placeholders (%1$s, {0}, §1, <h1>) and inside words (E2E,
// MP3, H.264, x64) are not numbers. Numbers are compared as a Chinese
// reader reads them: leading zeros do not count (01 is 1), the translation
// may write a number in Chinese numerals with units or digit by digit
// (八十五, 一万, 叁柒伍, 两, 双 for 2, 半 for 0.5, 零 for 0), and a date
// written 2025.7.21 holds 2025, 7 and 21; an hour 20:00 is also 8 (8pm).
// A decade or century of the source (1400s, 1970's) is not required where
// the translation names centuries or decades. A
// number said fewer times in the translation counts only where the
// translation writes a number the source lacks.
#pragma once

#include "report/gbk_chars.h"
#include "placeholder_scanner.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvel::report {

class NumberRule {
public:
    explicit NumberRule(TextEncoding encoding = TextEncoding::Gbk) : steps_(encoding) {}

    // Replaces `missing` with the source's numbers (each once, in source
    // order) that the translation lacks. The placeholder lists, in text
    // order, mark the bytes that hold no numbers.
    void findMissing(std::string_view source, const std::vector<Placeholder>& sourcePlaceholders,
                     std::string_view translation,
                     const std::vector<Placeholder>& translationPlaceholders,
                     std::vector<std::string>& missing);

    // The same by reading both texts character by character, without the
    // quick answer below (which must never disagree with it).
    void readMissing(std::string_view source, const std::vector<Placeholder>& sourcePlaceholders,
                     std::string_view translation,
                     const std::vector<Placeholder>& translationPlaceholders,
                     std::vector<std::string>& missing);

    // The quick answer for the usual pair: true when every number of the
    // source is a plain run of ASCII digits found as such in the
    // translation (so findMissing() would find nothing); false when that
    // is not so or not so simple to tell.
    static bool plainNumbersPresent(std::string_view source,
                                    const std::vector<Placeholder>& sourcePlaceholders,
                                    std::string_view translation,
                                    const std::vector<Placeholder>& translationPlaceholders);

private:
    // The numbers of `text`, leading zeros dropped; with `translation`,
    // also those it writes in Chinese numerals and the parts of dates.
    // `digitNumbers`, when given, gets those written in digits.
    void collect(std::string_view text, const std::vector<Placeholder>& placeholders,
                 std::vector<std::string>& numbers, bool translation,
                 std::vector<std::string>* digitNumbers = nullptr);

    gbk::CharSteps steps_;
    std::vector<std::string> sourceNumbers_;
    std::vector<std::string> translationNumbers_;
    std::vector<std::string> translationDigits_;
    std::vector<std::string> decades_;  // the source's decades and centuries (1400s)
};

std::vector<std::string> missingNumbers(std::string_view source, std::string_view translation,
                                        TextEncoding encoding = TextEncoding::Gbk);

}  // namespace corvel::report
