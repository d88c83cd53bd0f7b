// Marks in one text that the byte scan of the file cannot see on its own:
// UTF-8 text that was once read as GBK (鏂囦欢 for 文件), UTF-8 text that
// was once read as Latin-1 or Windows-1252 (CafÃ© for Café), and invisible
// controls in UTF-8 text (C1 controls, the bidi controls).
#pragma once

#include "corvel/run_request.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace corvel::report {

// Where GBK `text` holds two or more Chinese characters whose UTF-8 bytes
// were read as GBK: the bytes form UTF-8 Chinese and their GBK reading
// takes characters beyond GB2312, which common Chinese text rarely holds.
std::optional<std::size_t> findUtf8ReadAsGbk(std::string_view text);

// Where UTF-8 `text` holds a UTF-8 character spelt out in Latin-1 or
// Windows-1252 characters: a lead such as Ã or â followed by as many
// characters of 0x80..0xBF (or their Windows-1252 forms, € ™ ...) as the
// lead promises.
std::optional<std::size_t> findUtf8ReadAsLatin1(std::string_view text);

// A character of `text` (UTF-8) that isInvisibleControl() and that
// `source` does not hold: its offset and code point.
struct ControlFound {
    std::size_t offset = 0;
    char32_t code = 0;
};
std::optional<ControlFound> findNewInvisibleControl(std::string_view source,
                                                    std::string_view text);

}  // namespace corvel::report
