// The command line of corvel-check.
#pragma once

#include "platform.h"
#include "run_window.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corvel::cli {

enum class Layout { LinePairs, Equals };

struct CliOptions {
    Layout layout = Layout::LinePairs;
    Mode mode = Mode::Check;
    std::vector<std::pair<Option, bool>> optionChanges;  // from a fresh window's
    std::string workdir;                  // empty: each dictionary's own folder
    std::optional<LocalTime> time;        // fixed time for the date lines
    bool quiet = false;
    bool help = false;
    bool version = false;
    std::vector<std::string> dictionaries;
};

struct ParseResult {
    CliOptions options;
    std::string error;  // empty when the command line is valid
};

ParseResult parseCommandLine(const std::vector<std::string>& args);

// Parses "YYYY-MM-DD HH:MM:SS".
std::optional<LocalTime> parseTime(const std::string& text);

extern const char* const kUsage;

}  // namespace corvel::cli
