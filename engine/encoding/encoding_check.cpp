#include "encoding_check.h"

#include "encoding_scanner.h"
#include "platform.h"
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
