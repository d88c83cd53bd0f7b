// One invocation's report: after each dictionary's check run, streams the
// dictionary through the analyser into the writers (standard output and
// --report FILE), marking baseline findings and counting what fails the
// exit status.
#pragma once

#include "report_writer.h"

#include "corvel/report/analysis.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace corvel::cli {

using report::ReportSettings;

class ReportSession {
public:
    ReportSession(const ReportSettings& settings, std::vector<ReportWriter*> writers);
    ~ReportSession();

    // Reports the dictionary at `path`. `outcome` carries what its check run
    // gave (complete, the log's counts and path; the rest is filled in);
    // `stop` where its log stopped early. Returns the failure of reading
    // the dictionary. `reading` says how it is read and what it is (its
    // layout is the header's); the findings about its encoding and line
    // ends come first, each in its line's place.
    Error addDictionary(const report::DictionaryHeader& header, const std::filesystem::path& path,
                        report::DictionaryOutcome outcome, std::optional<report::LogStop> stop,
                        report::AnalysisStats* stats = nullptr,
                        const encoding::ScanSettings& reading = {});
    // The same in steps, for a dictionary analysed on another thread while
    // the writers are busy with earlier ones: analyse() streams it through
    // the rules into `sink`, marking baseline findings and counting; then,
    // in the writers' turn, beginDictionary(), the findings to writers(),
    // and endDictionary() with the counts analyse() gave.
    Error analyse(const report::DictionaryHeader& header, const std::filesystem::path& path,
                  std::optional<report::LogStop> stop, const encoding::ScanSettings& reading,
                  report::FindingSink& sink, report::FindingCounts& counts,
                  report::AnalysisStats* stats = nullptr) const;
    void beginDictionary(const report::DictionaryHeader& header);
    report::FindingSink& writers();
    void endDictionary(report::DictionaryOutcome outcome);

    // Ends every writer's document.
    void finish();

    const report::FindingCounts& total() const { return total_; }
    // Whether a finding that counts (by --fail-on, baseline ones not) was reported.
    bool failed() const { return total_.failing > 0; }

private:
    class FanOut;

    const ReportSettings& settings_;
    std::vector<ReportWriter*> writers_;
    std::unique_ptr<FanOut> fanOut_;
    report::FindingCounts total_;
};

}  // namespace corvel::cli
