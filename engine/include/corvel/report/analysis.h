// The report as the front ends ask for it: which rules report, and the
// calls that stream a dictionary (the encoding rules in the same pass, read
// as corvel/encoding_check.h says) or a translation file through every
// rule into a finding sink.
#pragma once

#include "corvel/encoding_check.h"
#include "corvel/error.h"
#include "corvel/file_format.h"
#include "corvel/report/baseline.h"
#include "corvel/report/dictionary_report.h"
#include "corvel/report/finding.h"
#include "corvel/report/rule_selection.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace corvel::report {

// Where the check log stopped early: RuleId::RowOfErrors or
// RuleId::StoppedAtEmptyLine, at the line the check read last.
struct LogStop {
    RuleId rule = RuleId::RowOfErrors;
    std::int32_t line = 0;
};

struct AnalysisStats {
    std::int32_t lines = 0;
    std::size_t distinctSources = 0;   // kept by inconsistent-translation
    std::size_t consistencyBytes = 0;  // what it keeps for them
};

// Which rules report, what makes the exit status fail, and the earlier
// report whose findings do not count.
struct ReportSettings {
    RuleSelection rules;
    FailOn failOn = FailOn::Error;
    std::optional<Baseline> baseline;
};

// Streams the dictionary at `path` (named header.path, in header.layout)
// through the rules `settings` selects into `sink`, marking the baseline's
// findings and counting into `counts`; `stop` is where its check log
// stopped early, `reading` how it is read and what it is. The findings
// about its encoding and line ends come first, each in its line's place.
// Returns the failure of reading it.
Error analyseForReport(const DictionaryHeader& header, const std::filesystem::path& path,
                       const ReportSettings& settings, std::optional<LogStop> stop,
                       const encoding::ScanSettings& reading, FindingSink& sink,
                       FindingCounts& counts, AnalysisStats* stats = nullptr);

// A translation file and, for a format of one language, its source.
struct TranslationFiles {
    FileFormat format = FileFormat::Po;
    std::filesystem::path translation;
    std::optional<std::filesystem::path> source;
};

// Streams the entries of a translation file (named header.path) through
// the rules `settings` selects into `sink`, in file order, marking the
// baseline's findings and counting into `counts` and `entries`. Returns
// the failure of reading a file, or where one breaks its format (an error
// whose path is "FILE:LINE:COLUMN" and whose cause says what was expected
// there); the findings before it have been emitted.
Error analyseTranslationFile(const DictionaryHeader& header, const TranslationFiles& files,
                             const ReportSettings& settings, FindingSink& sink,
                             FindingCounts& counts, EntryCounts& entries);

}  // namespace corvel::report
