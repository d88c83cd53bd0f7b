// One corvel-check call's report: the writers of --format (standard
// output) and --report (a file), the baseline, and the analysis that
// streams each checked dictionary or translation file through the report's
// rules into them, marking baseline findings and counting what fails the
// exit status.
#pragma once

#include "report_writer.h"

#include "corvel/check_runs.h"
#include "corvel/file_identity.h"
#include "corvel/replacing_file.h"
#include "corvel/report/analysis.h"
#include "options.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace corvel::cli {

using report::ReportSettings;

class ReportSession {
public:
    // Starts the --report file (a new file, which replaces the old one when
    // finished) and reads the --baseline report; none with `error` set when
    // either fails.
    static std::unique_ptr<ReportSession> open(const CliOptions& options, std::ostream& out,
                                               std::string& error);
    // A report into writers the caller keeps.
    ReportSession(ReportSettings settings, std::vector<ReportWriter*> writers);
    ~ReportSession();

    // What the analysis of one dictionary gave.
    struct Analysed {
        Error error;  // the failure of reading the dictionary
        report::FindingCounts counts;
        std::int32_t lines = 0;
        report::EntryCounts entries;  // a translation file's
    };

    // On any thread: streams the dictionary named `name` on the command
    // line, read from `path`, through the rules into `sink`; `stop` is where
    // its check log stopped early (`stopLine` the line read last);
    // `reading` how it was read and what it is; `checked` the file its
    // check read (a file that is no longer it fails instead).
    Analysed analyse(const std::string& name, const std::filesystem::path& path, Layout layout,
                     const std::optional<Stop>& stop, std::int32_t stopLine,
                     const encoding::ScanSettings& reading, const FileStamp& checked,
                     report::FindingSink& sink) const;
    // On any thread: streams the entries of a translation file named
    // `name` on the command line through the rules into `sink`.
    Analysed analyseEntries(const std::string& name, const report::TranslationFiles& files,
                            report::FindingSink& sink) const;
    // In the dictionary's turn, one thread at a time: its findings go to
    // writers() between beginDictionary() and end() (endEntries() for a
    // translation file, endDictionary() with an outcome made elsewhere).
    void beginDictionary(const report::DictionaryHeader& header);
    report::FindingSink& writers();
    void end(const RunReport& run, bool complete, const Analysed& analysed);
    void endEntries(const Analysed& analysed);
    void endDictionary(report::DictionaryOutcome outcome);
    // In its turn: a dictionary that could not be checked, with why.
    void notChecked(const std::string& name, Layout layout, std::optional<FileFormat> format,
                    const std::string& error);

    // All of a dictionary's report at once: analyses the dictionary at
    // `path` into the writers between beginDictionary() and
    // endDictionary(). `outcome` carries what its check run gave (complete,
    // the log's counts and path; the rest is filled in); `stop` where its
    // log stopped early; `reading` how it is read and what it is (its
    // layout is the header's). Returns the failure of reading it.
    Error addDictionary(const report::DictionaryHeader& header, const std::filesystem::path& path,
                        report::DictionaryOutcome outcome, std::optional<report::LogStop> stop,
                        report::AnalysisStats* stats = nullptr,
                        const encoding::ScanSettings& reading = {});

    // Ends the documents and puts the --report file in place; the failure
    // of writing it, if any (the old file is left as it was then).
    std::string finish();

    const report::FindingCounts& total() const { return total_; }
    // Whether a finding that counts (by --fail-on, baseline ones not) was reported.
    bool failed() const { return total_.failing > 0; }
    // Whether the check's summary lines follow the report on standard
    // output (the text format does; JSON and SARIF are documents alone).
    bool withSummaries() const { return !document_; }

private:
    class FanOut;

    ReportSettings settings_;
    bool document_ = false;
    std::string fileName_;
    std::unique_ptr<ReplacingFile> file_;  // the --report file, until finished
    std::vector<std::unique_ptr<ReportWriter>> owned_;
    std::vector<ReportWriter*> writers_;
    std::unique_ptr<FanOut> fanOut_;
    report::FindingCounts total_;
};

}  // namespace corvel::cli
