// Text conventions shared by both check logs: spaced numbers, print-zone
// filler, captions and the date line. A log is written in GBK, or in UTF-8
// with the same layout for a dictionary read as UTF-8; its print zones are
// then counted in display columns (a CJK character two, as in GBK, where it
// takes two bytes).
#pragma once

#include "corvel/run_events.h"
#include "gbk_texts.h"
#include "platform.h"
#include "text_files.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace corvel {

// A count with one leading space in the place of its sign: " 7", "-9".
void appendSpacedNumber(std::string& out, std::int32_t number);
std::string spacedNumber(std::int32_t number);

// Whether the log of a dictionary read in `encoding` is written in UTF-8
// (GB18030 agrees with GBK on every text of the log).
inline bool logIsUtf8(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8;
}

// The log's fixed texts in its encoding.
const gbk::TextSet& logTexts(TextEncoding encoding);

// Pads `line` with spaces to the start of the next 14-column print zone;
// columns are bytes in GBK, display columns in UTF-8. A line already at a
// zone start gets nothing.
void padToPrintZone(std::string& line, TextEncoding encoding = TextEncoding::Gbk);

// A caption (UTF-8) in the log's encoding: in GBK the standard ones as made
// at build time, any other converted (which loads the conversion only when a
// caption was changed).
std::string logCaption(std::string_view utf8, TextEncoding encoding);

// Writes an entry: `lead`, the finding's line as read, CR LF. A line too
// long to be held goes to the log in pieces.
void writeEntry(OutputFile& file, std::string& lead, const Finding& finding);

// "检查时间：yyyy年mm月dd日　HH:MM:SS", in the log's encoding.
std::string dateLine(const LocalTime& time, TextEncoding encoding = TextEncoding::Gbk);

}  // namespace corvel
