// What the check logs need to be written in the dictionary's encoding: GBK
// as always, or UTF-8 under `--encoding utf-8` with the same layout, its
// print zones counted in display columns (a CJK character two columns, as
// in GBK, where it takes two bytes).
#pragma once

#include "platform.h"
#include "reading_options.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace corvel::encoding {

// The log is written in UTF-8 for a dictionary read as UTF-8, in GBK
// otherwise (GB18030 agrees with GBK on every text of the log).
inline bool logIsUtf8(TextEncoding dictionary)
{
    return dictionary == TextEncoding::Utf8;
}

// One of the program's own texts (UTF-8 in the source) in the log's bytes.
std::string logLiteral(std::string_view utf8, TextEncoding dictionary);

// The columns of a log text: its bytes in GBK, its display columns in UTF-8.
std::size_t logColumns(std::string_view text, TextEncoding dictionary);

// Pads `line` with spaces to the start of the next 14-column print zone,
// columns as logColumns() counts them; a line at a zone start gets nothing.
void padToPrintZone(std::string& line, TextEncoding dictionary);

// "检查时间：yyyy年mm月dd日　HH:MM:SS" in the log's bytes.
std::string dateLine(const LocalTime& time, TextEncoding dictionary);

}  // namespace corvel::encoding
