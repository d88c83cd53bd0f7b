#include "encoding_check.h"

#include "encoding_scanner.h"
#include "platform.h"
#include "report/finding_merge.h"

#include <memory>

namespace corvel::encoding {

Error checkEncoding(const std::filesystem::path& path, const ReadingOptions& options,
                    report::FindingSink& sink, EncodingCheck& check)
{
    constexpr std::size_t kChunk = 256 * 1024;
    check = EncodingCheck {};
    if (Error error = detectFileKind(path, check.kind))
        return error;
    check.encoding = resolveEncoding(options.encoding, check.kind);

    Error error;
    File file = File::open(path, File::Access::Read, error);
    if (error)
        return error;
    EncodingScanner scanner({check.encoding, options.lineEnds, options.charset, options.layout,
                             check.kind},
                            sink);
    auto buffer = std::make_unique<char[]>(kChunk);
    for (;;) {
        std::size_t n = file.read(buffer.get(), kChunk, error);
        if (error)
            return error;
        if (n == 0)
            break;
        scanner.bytesRead(buffer.get(), n);
    }
    scanner.finish();
    check.lines = scanner.lineCount();
    return file.close();
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
    Error error = report::analyseDictionary(path, options, merged, stats);
    scanner.finish();
    merged.finish();
    return error;
}

}  // namespace corvel::encoding
