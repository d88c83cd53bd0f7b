// What a report says about one dictionary besides its findings: which
// dictionary, how the check log ended and how many findings of each kind.
// The writers of the report formats take these.
#pragma once

#include "corvel/file_format.h"
#include "corvel/report/finding.h"
#include "corvel/run_request.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvel::report {

struct DictionaryHeader {
    std::string path;  // as named on the command line, UTF-8
    Layout layout = Layout::LinePairs;
    // A translation file's format; none for a dictionary of `layout`.
    std::optional<FileFormat> format = std::nullopt;
};

// What the entries of a translation file came to. Each plural form is an
// entry of its own.
struct EntryCounts {
    std::int64_t entries = 0;          // every entry read
    std::int64_t checked = 0;          // translations the rules weighed
    std::int64_t untranslated = 0;     // empty, or the source kept where it should not be
    std::int64_t fuzzy = 0;            // gettext's fuzzy: not a translation yet
    std::int64_t unfinished = 0;       // marked as not finished (Qt, XLIFF)
    std::int64_t obsolete = 0;         // kept for history (gettext #~, Qt vanished/obsolete)
    std::int64_t notTranslatable = 0;  // marked as never translated
    std::int64_t missing = 0;          // keys of the source the translation lacks
    std::int64_t unknownKeys = 0;      // keys only the translation has
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
    // False when the dictionary could not be checked: `error` says why and
    // the counts are 0.
    bool checked = true;
    // Why it could not be checked, or why its report stopped short (a read
    // failure); empty when nothing failed.
    std::string error;
    // A translation file's entries (set for one, never for a dictionary).
    std::optional<EntryCounts> entries;
};

const char* layoutName(Layout layout);  // "line-pairs", "equals-lines"
// What the report names the file as: its format ("po", ...) or its layout.
std::string_view layoutName(const DictionaryHeader& header);
const char* severityName(Severity severity);  // "error", "warning"

}  // namespace corvel::report
