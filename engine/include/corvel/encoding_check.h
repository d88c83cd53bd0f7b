// The encoding and line-end findings of a dictionary on its own: what the
// file is (from its first bytes, and a UTF-8 scan as far as needed), then
// one pass over its bytes. The report's analysis (corvel/report/analysis.h)
// gives the same findings in the pass that reads the dictionary anyway.
#pragma once

#include "corvel/error.h"
#include "corvel/file_kind.h"
#include "corvel/reading_options.h"
#include "corvel/report/finding.h"

#include <cstdint>
#include <filesystem>

namespace corvel::encoding {

// How a dictionary is read and what it is, for the encoding rules.
struct ScanSettings {
    TextEncoding encoding = TextEncoding::Gbk;
    LineEnds lineEnds = LineEnds::CrLf;
    Charset charset = Charset::Any;
    Layout layout = Layout::LinePairs;
    FileKind kind;  // what detection found
};

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
