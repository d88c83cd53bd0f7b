// Reads back a check log the way a person checking it would: its entry
// lines, with the line each names and quotes, and the counts of its summary
// or stop trailer. The texts are compared as GBK bytes.
#pragma once

#include "reference.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvel::fuzz {

enum class LogLayout { LinePairs, Equals };

struct LogEntry {
    Kind kind;
    std::int32_t line;
    std::string_view quoted;  // the text after the filler
};

// The counts a summary or a stop trailer gives.
struct LogCounts {
    std::int32_t lines = 0;
    std::int32_t untranslated = 0;
    std::int32_t erroneous = 0;  // erroneous / serious-error lines
    std::int32_t empty = 0;      // line-pair logs only
};

struct ParsedLog {
    std::vector<LogEntry> entries;
    std::optional<LogCounts> counts;         // from "总共处理了" and the result line
    std::optional<std::int32_t> stopAt;      // the line a stop trailer names
    bool closingBanner = false;              // the banner of a finished run
    std::string problem;                     // empty when the log reads well
};

// Parses one run's section of a log (CR LF lines).
ParsedLog parseLog(std::string_view section, LogLayout layout);

}  // namespace corvel::fuzz
