// The report's analysis of one dictionary: reads every line (also those
// after the point where the check log stopped), applies every selected
// rule and hands the findings to a sink in line order. Line texts are
// converted to UTF-8 only for the findings that quote them.
#pragma once

#include "corvel/error.h"
#include "corvel/report/analysis.h"
#include "scan/scan_types.h"
#include "corvel/report/finding.h"
#include "corvel/report/rule_selection.h"
#include "corvel/report/text_decoder.h"
#include "pair_text.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

namespace corvel {
class ReadObserver;
}

namespace corvel::report {

using corvel::Layout;

struct AnalysisOptions {
    Layout layout = Layout::LinePairs;
    RuleSelection rules;
    std::optional<LogStop> logStop;
    TextEncoding encoding = TextEncoding::Gbk;
    LineEnds lineEnds = LineEnds::CrLf;
    // analyseDictionary() hands every byte it reads to this one (the
    // encoding scanner), before the lines of those bytes are analysed.
    ReadObserver* observer = nullptr;
    // Told every pair as it is read.
    PairObserver* pairObserver = nullptr;
};

class ConsistencyIndex;

// inconsistent-translation weighs each pair against every pair of its
// source in the whole dictionary, so the lines are fed twice: first to a
// census analyser, which only counts the pairs the rule will weigh into a
// ConsistencyIndex (and settles it at finish()), then, the same lines
// again, to the report analyser given that index.
class DictionaryAnalyser {
public:
    // The report pass. Without a census inconsistent-translation finds
    // nothing.
    DictionaryAnalyser(AnalysisOptions options, FindingSink& sink,
                       ConsistencyIndex* census = nullptr);
    // The census pass: no findings, the pairs counted into `census`.
    DictionaryAnalyser(AnalysisOptions options, ConsistencyIndex& census);
    ~DictionaryAnalyser();
    DictionaryAnalyser(const DictionaryAnalyser&) = delete;
    DictionaryAnalyser& operator=(const DictionaryAnalyser&) = delete;

    // The next line of the dictionary, without its line end.
    void addLine(std::string_view text);
    // The next line when it is too long to be held: its first bytes, its
    // class as the check log has it (the line's facts) and its length. Its
    // line class is reported, with its first bytes for text; the rules that
    // weigh a source against its translation pass its pair over, and a
    // pair-not-checked finding says so.
    void addLongLine(std::string_view head, LineClass flag, std::uint64_t length);
    // After the last line: emits what is still held.
    void finish();

    std::int32_t lines() const;
    AnalysisStats stats() const;
    // Whether the sink said stop: no line after it need be read.
    bool stopped() const;

private:
    class Run;
    std::unique_ptr<Run> run_;
};

// Streams the dictionary at `path` through an analyser (reading it twice
// when inconsistent-translation is on: a census pass, then the report's);
// the failure of opening or reading it, if any (findings up to it have
// been emitted).
// Memory does not grow with the length of a line: a line longer than the
// reader holds goes to addLongLine() with its first bytes.
Error analyseDictionary(const std::filesystem::path& path, const AnalysisOptions& options,
                        FindingSink& sink, AnalysisStats* stats = nullptr);

}  // namespace corvel::report
