// The encoding and line-end findings of a whole dictionary on its own: what
// the file is (from its first bytes, and a UTF-8 scan as far as needed),
// then one pass over its bytes. A run that reads the dictionary anyway
// gets the same findings by handing its LineReader an EncodingScanner
// (LineReader::observe) instead.
#pragma once

#include "corvel/error.h"
#include "file_kind.h"
#include "reading_options.h"
#include "report/analyser.h"
#include "report/finding.h"

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

// The report's analysis (report::analyseDictionary) with the encoding rules
// in the same pass: the dictionary is read once, as `reading` says (its
// encoding and line ends override those of `options`), and the findings
// about its encoding and line ends reach `sink` in their lines' places,
// each line's before its other findings. Only the rules that
// `options.rules` selects report.
Error analyseWithEncoding(const std::filesystem::path& path, report::AnalysisOptions options,
                          const ScanSettings& reading, report::FindingSink& sink,
                          report::AnalysisStats* stats = nullptr);

}  // namespace corvel::encoding
