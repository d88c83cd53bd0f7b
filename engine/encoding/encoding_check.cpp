#include "corvel/encoding_check.h"

#include "encoding_scanner.h"
#include "platform.h"

namespace corvel::encoding {

Error checkEncoding(const std::filesystem::path& path, const ReadingOptions& options,
                    NoteSink& sink, EncodingCheck& check)
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

}  // namespace corvel::encoding
