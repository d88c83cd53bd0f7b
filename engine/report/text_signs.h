// What the rules about punctuation, addresses, options, paths, variables,
// attributes and control bytes share: the marks of a text read as
// characters (full-width and CJK punctuation included), and the ASCII
// tokens of a text.
#pragma once

#include "gbk_chars.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace corvel::report {

// A character that is none of the marks these rules read (a Han
// character, a letter beyond ASCII, a byte that is no character).
constexpr char32_t kOtherChar = 0x110000;

// The character at `at` as a code point where it is ASCII, a full-width
// form or CJK punctuation (in GBK too), else kOtherChar; `length` is set to
// its bytes.
char32_t markAt(std::string_view text, std::size_t at, const gbk::CharSteps& steps,
                std::size_t& length);

// Calls `visit(token, offset)` for each run of the ASCII characters that
// `inToken` accepts, found by stepping through the characters of `text`
// (a GBK trail byte is never taken for ASCII).
template <typename InToken, typename Visit>
void forEachAsciiToken(std::string_view text, const gbk::CharSteps& steps, InToken inToken,
                       Visit visit)
{
    std::size_t start = std::string_view::npos;
    for (std::size_t i = 0; i <= text.size();) {
        const bool in = i < text.size() && static_cast<unsigned char>(text[i]) < 0x80 &&
                        inToken(text[i]);
        if (in && start == std::string_view::npos)
            start = i;
        if (!in && start != std::string_view::npos) {
            visit(text.substr(start, i - start), start);
            start = std::string_view::npos;
        }
        if (i == text.size())
            break;
        i += steps.length(text, i);
    }
}

// Whether `text` holds `token` with no letter, digit, '_' or '-' right
// before or after it (found by stepping through its characters).
bool holdsToken(std::string_view text, std::string_view token, const gbk::CharSteps& steps);

}  // namespace corvel::report
