// The translation-character test of the line classes under each encoding:
// a character beyond ASCII. In GBK and GB18030 that is a byte of 0x81 or
// above (chars.h); in UTF-8 any multibyte character, whose bytes are all
// 0x80 or above (a stray byte of 0x80-0xFF counts too, as a stray GBK byte
// does).
#pragma once

#include "chars.h"
#include "reading_options.h"

#include <cstddef>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace corvel::encoding {

// Whether a byte of `text` is 0x80 or above.
inline bool hasNonAsciiByte(std::string_view text)
{
    const char* p = text.data();
    const std::size_t n = text.size();
    std::size_t i = 0;
#if defined(__SSE2__)
    for (; i + 16 <= n; i += 16)
        if (_mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i))) != 0)
            return true;
#endif
    for (; i < n; ++i)
        if (static_cast<unsigned char>(p[i]) >= 0x80)
            return true;
    return false;
}

inline bool hasTranslationChar(std::string_view text, TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8 ? hasNonAsciiByte(text) : corvel::hasTranslationChar(text);
}

}  // namespace corvel::encoding
