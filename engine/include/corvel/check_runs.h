// The two check runs: line pairs (odd lines English, even lines Chinese)
// and equals lines ("English=Chinese"). Each reads the dictionary once,
// writes the check log and, in correct mode, the corrected dictionary into
// the output folder, and reports its events to the sinks.
#pragma once

#include "corvel/error.h"
#include "corvel/run_events.h"
#include "corvel/run_host.h"
#include "corvel/run_request.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace corvel {

// How a run ended.
enum class RunEnding {
    Finished,          // reached the end of the dictionary, summary written
    EmptyLineStop,     // check mode stopped at an empty line
    SeriousErrorStop,  // check mode stopped after a row of erroneous lines
    FileNotFound,      // the dictionary (or the editor) was missing
    UnknownError,      // any other failure; the application was ended
    Ended,             // the host ended the application during the run (ESC)
};

struct RunReport : RunCounts {
    RunEnding ending = RunEnding::Finished;
    std::filesystem::path outputFolder;  // absolute, once it exists
    std::filesystem::path log;           // absolute path of the log, once opened
    Error error;                         // the failure, for FileNotFound / UnknownError
};

using RunSinks = std::vector<RunSink*>;

// The output files a request would write, for telling apart the runs of
// one call: the output folder, the log and the corrected dictionary
// (absolute when the request's paths are). None when no output can be
// named from the dictionary's name.
struct OutputNames {
    std::filesystem::path folder;
    std::filesystem::path log;
    std::filesystem::path corrected;
};
std::optional<OutputNames> outputNames(const RunRequest& request);

RunReport runLinePairCheck(const RunRequest& request, RunHost& host, const RunSinks& sinks = {});
RunReport runEqualsCheck(const RunRequest& request, RunHost& host, const RunSinks& sinks = {});
// The run of the request's layout.
RunReport runCheck(const RunRequest& request, RunHost& host, const RunSinks& sinks = {});

}  // namespace corvel
