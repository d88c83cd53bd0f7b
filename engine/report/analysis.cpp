#include "encoding_check.h"

#include "encoding_scanner.h"
#include "platform.h"
#include "corvel/report/finding_tally.h"
#include "report/finding_merge.h"

#include <memory>

namespace corvel::encoding {

Error checkEncoding(const std::filesystem::path& path, const ReadingOptions& options,
                    report::FindingSink& sink, EncodingCheck& check)
{
    check = EncodingCheck {};
    if (Error error = detectFileKind(path, check.kind))
        return error;
    check.encoding = resolveEncoding(options.encoding, check.kind);

    EncodingScanner scanner({check.encoding, options.lineEnds, options.charset, options.layout,
                             check.kind},
                            sink);
    if (Error error = readInPieces(path, 256 * 1024, [&](const char* data, std::size_t size) {
            scanner.bytesRead(data, size);
            return true;
        }))
        return error;
    scanner.finish();
    check.lines = scanner.lineCount();
    return Error();
}

Error analyseWithEncoding(const std::filesystem::path& path, report::AnalysisOptions options,
                          const ScanSettings& reading, report::FindingSink& sink,
                          report::AnalysisStats* stats)
{
    const EncodingScanner* progress = nullptr;
    report::FindingMerge merged(sink, options.rules, [&] { return progress->lineCount(); });
    EncodingScanner scanner(reading, merged.early());
    progress = &scanner;
    options.encoding = reading.encoding;
    options.lineEnds = reading.lineEnds;
    options.observer = &scanner;
    options.pairObserver = &merged;
    Error error = report::analyseDictionary(path, options, merged, stats);
    scanner.finish();
    merged.finish();
    return error;
}

}  // namespace corvel::encoding

namespace corvel::report {

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
    Error error = encoding::analyseWithEncoding(
        path, options, scan, marker ? static_cast<FindingSink&>(*marker) : tally, stats);
    counts = tally.counts();
    return error;
}

}  // namespace corvel::report
