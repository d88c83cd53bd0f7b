// What a report says about one dictionary besides its findings: which
// dictionary, how the check log ended and how many findings of each kind.
// The writers of the report formats take these.
#pragma once

#include "corvel/report/finding.h"
#include "corvel/run_request.h"

#include <cstdint>
#include <string>

namespace corvel::report {

struct DictionaryHeader {
    std::string path;  // as named on the command line, UTF-8
    Layout layout = Layout::LinePairs;
};

// The counts of the check log. In the equals-line layout `erroneous`
// counts the lines without "=" and `empty` stays 0.
struct LogCounts {
    std::int32_t lines = 0;
    std::int32_t erroneous = 0;
    std::int32_t empty = 0;
    std::int32_t untranslated = 0;
};

struct FindingCounts {
    std::int64_t errors = 0;    // error-level findings, baseline ones included
    std::int64_t warnings = 0;  // warning-level findings, baseline ones included
    std::int64_t baseline = 0;  // findings held by the baseline
    std::int64_t failing = 0;   // findings that make the exit status fail

    FindingCounts& operator+=(const FindingCounts& other)
    {
        errors += other.errors;
        warnings += other.warnings;
        baseline += other.baseline;
        failing += other.failing;
        return *this;
    }
};

struct DictionaryOutcome {
    std::int32_t lines = 0;  // lines the report covered: every line of the dictionary
    bool complete = true;    // false when the check log stopped early
    LogCounts log;
    std::string logPath;   // the check log written, UTF-8 (empty: none)
    FindingCounts findings;
};

const char* layoutName(Layout layout);  // "line-pairs", "equals-lines"
const char* severityName(Severity severity);  // "error", "warning"

}  // namespace corvel::report
