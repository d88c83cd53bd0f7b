// The texts corvel-check prints about its own failures and refusals, in one
// place, so that they can be reviewed and translated together. Messages that
// name a file put it first: "PATH: TEXT".
#pragma once

#include <string>

namespace corvel::cli::messages {

// Why a dictionary of a call is refused when its outputs meet another's;
// each names the refused dictionary's own spelling of its output.
inline std::string sharedOutput(const std::string& output, const std::string& other)
{
    return "its output " + output + " would also be written for " + other;
}
inline std::string writtenByAnother(const std::string& writer)
{
    return "it would be written as an output of " + writer;
}
inline std::string outputIsADictionary(const std::string& output, const std::string& reader)
{
    return "its output " + output + " is also the dictionary " + reader + " of this call";
}

// After the reason of a usage error, on its line.
inline constexpr const char* kSeeHelp = " (corvel-check --help tells more)";
// A dictionary that is no longer the file its check read when its report
// reads it again.
inline constexpr const char* kChangedSinceCheck =
    "the file changed after its check (replaced, deleted, grown or cut), so the report "
    "cannot follow the check; check it again";
// A dictionary that a report, which reads it a second time, cannot read
// again.
inline constexpr const char* kPipeReadOnce =
    "a report reads the dictionary a second time, which a pipe cannot give; save it to a file "
    "first";
inline constexpr const char* kDeviceReadOnce =
    "is a device, not a file: a report reads the dictionary a second time, which a device "
    "cannot give; save it to a file first";
// Before the path of a --baseline that cannot be read or is no report.
inline constexpr const char* kTheBaseline = "the baseline ";
// Printed when a signal ends the checker.
inline constexpr const char* kInterrupted =
    "interrupted; the logs, corrected dictionaries and report of earlier runs are kept, "
    "unfinished ones removed";
inline constexpr const char* kOutputFailed = "standard output: cannot be written";

}  // namespace corvel::cli::messages
