// The form in which readers hand on texts (see Entry): a decoded text's
// line breaks and tabs written back as the escapes the rules compare.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvel::formats {

inline void appendRuleText(std::string& out, std::string_view decoded)
{
    for (char c : decoded) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else
            out += c;
    }
}

// The 1-based character column of byte `offset` of `line` (UTF-8: a
// continuation byte does not start a character).
inline std::int32_t characterColumnOf(std::string_view line, std::size_t offset)
{
    std::int32_t column = 1;
    for (std::size_t i = 0; i < offset && i < line.size(); ++i)
        if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80)
            ++column;
    return column;
}

}  // namespace corvel::formats
