// The report's entry point: a dictionary read once, its bytes through the
// encoding scanner and its lines through the analyser, the two streams of
// findings merged in line order, then marked against the baseline and
// counted.
#include "corvel/report/analysis.h"

#include "analyser.h"
#include "corvel/report/finding_tally.h"
#include "encoding/encoding_scanner.h"
#include "finding_merge.h"

namespace corvel::report {

namespace {

// The analysis with the encoding rules in the same pass: `reading`'s
// encoding and line ends override those of `options`, and a line's
// encoding findings reach `sink` before its other findings. Only the rules
// that `options.rules` selects report.
Error analyseWithEncoding(const std::filesystem::path& path, AnalysisOptions options,
                          const encoding::ScanSettings& reading, FindingSink& sink,
                          AnalysisStats* stats)
{
    const encoding::EncodingScanner* progress = nullptr;
    FindingMerge merged(sink, options.rules, [&] { return progress->lineCount(); });
    encoding::EncodingScanner scanner(reading, merged.early());
    progress = &scanner;
    options.encoding = reading.encoding;
    options.lineEnds = reading.lineEnds;
    options.observer = &scanner;
    options.pairObserver = &merged;
    Error error = analyseDictionary(path, options, merged, stats);
    scanner.finish();
    merged.finish();
    return error;
}

}  // namespace

Error analyseForReport(const DictionaryHeader& header, const std::filesystem::path& path,
                       const ReportSettings& settings, std::optional<LogStop> stop,
                       const encoding::ScanSettings& reading, FindingSink& sink,
                       FindingCounts& counts, AnalysisStats* stats)
{
    FindingTally tally(sink, settings.failOn);
    std::optional<BaselineMarker> marker;
    if (settings.baseline)
        marker.emplace(settings.baseline->forDictionary(header.path), tally);
    encoding::ScanSettings scan = reading;
    scan.layout = header.layout;
    AnalysisOptions options;
    options.layout = header.layout;
    options.rules = settings.rules;
    options.logStop = stop;
    Error error = analyseWithEncoding(path, options, scan,
                                      marker ? static_cast<FindingSink&>(*marker) : tally, stats);
    counts = tally.counts();
    return error;
}

}  // namespace corvel::report
