// number-mismatch: the numbers of a source that its translation lacks (GBK
// bytes). A number is a run of digits (full-width digits count, read as
// ASCII) with its decimal points and thousands commas ("1,000" is 1000).
// Digits inside placeholders (%1$s, {0}, §1, <h1>) are not numbers. A number
// from 1 to 10 also counts as present when the translation writes it in
// Chinese numerals (一..十, 两).
#pragma once

#include "gbk_chars.h"
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
    // The numbers of `text`; with `numerals`, also the set of Chinese
    // numerals it holds (bit n for the value n).
    void collect(std::string_view text, const std::vector<Placeholder>& placeholders,
                 std::vector<std::string>& numbers, std::uint32_t* numerals);

    gbk::CharSteps steps_;
    std::vector<std::string> sourceNumbers_;
    std::vector<std::string> translationNumbers_;
};

std::vector<std::string> missingNumbers(std::string_view source, std::string_view translation,
                                        TextEncoding encoding = TextEncoding::Gbk);

}  // namespace corvel::report
