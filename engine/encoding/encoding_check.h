// The encoding and line-end findings of a whole dictionary on its own: what
// the file is (from its first bytes, and a UTF-8 scan as far as needed),
// then one pass over its bytes. A run that reads the dictionary anyway
// gets the same findings by handing its LineReader an EncodingScanner
// (LineReader::observe) instead.
#pragma once

#include "corvel/report/analysis.h"
#include "report/analyser.h"

#include <cstdint>
#include <filesystem>

namespace corvel::encoding {

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
