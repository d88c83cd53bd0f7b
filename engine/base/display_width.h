// Columns of text as a fixed-width editor shows it: a wide (CJK) character
// takes two columns, any other character one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace corvel::encoding {

// 2 for the East Asian wide and full-width characters (CJK ideographs and
// symbols, kana, Hangul, full-width forms, wide emoji), 1 otherwise.
int displayWidth(std::uint32_t codePoint);

// The columns of UTF-8 text; a byte that is not valid UTF-8 takes one.
std::size_t displayColumns(std::string_view utf8);

}  // namespace corvel::encoding
