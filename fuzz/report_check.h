// The report's part of the fuzz target: the dictionary of a run streamed
// through the report's rules (a selection taken from the input) into the
// three writers, and every report held to its format: the JSON document
// parses and reads back as a baseline, the SARIF log has its required
// members and one result per finding, the text has one line per finding.
#pragma once

#include "corvel/check_runs.h"

#include <cstdint>
#include <filesystem>

namespace corvel::fuzz {

void checkReports(const std::filesystem::path& dictionary, Layout layout, const RunReport& run,
                  std::uint64_t seed);

}  // namespace corvel::fuzz
