// Text conventions shared by both check logs: spaced numbers, print-zone
// filler and the date line. Everything here builds GBK bytes.
#pragma once

#include "corvel/run_events.h"
#include "platform.h"
#include "text_files.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace corvel {

// A count with one leading space in the place of its sign: " 7", "-9".
void appendSpacedNumber(std::string& out, std::int32_t number);
std::string spacedNumber(std::int32_t number);

// Pads `line` with spaces to the start of the next 14-column print zone;
// columns are bytes. A line already at a zone start gets nothing.
void padToPrintZone(std::string& line);

// A caption in GBK: the standard ones as made at build time, any other
// converted (which loads the conversion only when a caption was changed).
std::string captionGbk(std::string_view utf8);

// Writes an entry: `lead`, the finding's line as read, CR LF. A line too
// long to be held goes to the log in pieces.
void writeEntry(OutputFile& file, std::string& lead, const Finding& finding);

// "检查时间：yyyy年mm月dd日　HH:MM:SS", in GBK.
std::string dateLine(const LocalTime& time);

}  // namespace corvel
