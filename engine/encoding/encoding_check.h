// The encoding and line-end findings of a whole dictionary on its own: what
// the file is (from its first bytes, and a UTF-8 scan as far as needed),
// then one pass over its bytes. A run that reads the dictionary anyway
// gets the same findings by handing its LineReader an EncodingScanner
// (LineReader::observe) instead.
#pragma once

#include "corvel/error.h"
#include "file_kind.h"
#include "reading_options.h"
#include "report/finding.h"

#include <cstdint>
#include <filesystem>

namespace corvel::encoding {

struct EncodingCheck {
    FileKind kind;
    TextEncoding encoding = TextEncoding::Gbk;  // `options.encoding` resolved
    std::int64_t lines = 0;                     // as the options read them
};

// Sends the findings of the dictionary at `path`, read with `options`, to
// `sink`; `check` receives what was found out.
Error checkEncoding(const std::filesystem::path& path, const ReadingOptions& options,
                    report::FindingSink& sink, EncodingCheck& check);

}  // namespace corvel::encoding
