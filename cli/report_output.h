// The report of one corvel-check call: the writers of --format (standard
// output) and --report (a file), the baseline, and the session that
// streams each checked dictionary through the report's rules into them.
#pragma once

#include "corvel/check_runs.h"
#include "corvel/file_identity.h"
#include "corvel/replacing_file.h"
#include "options.h"
#include "report/report_session.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace corvel::cli {

class ReportOutput {
public:
    // Starts the --report file (a new file, which replaces the old one when
    // finished) and reads the --baseline report; none with `error` set when
    // either fails.
    static std::unique_ptr<ReportOutput> open(const CliOptions& options, std::ostream& out,
                                              std::string& error);

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
    // writers() between begin() and end() (endEntries() for a translation
    // file).
    void begin(const std::string& name, Layout layout, std::optional<FileFormat> format = {});
    report::FindingSink& writers() { return session_->writers(); }
    void end(const RunReport& run, bool complete, const Analysed& analysed);
    void endEntries(const Analysed& analysed);
    // In its turn: a dictionary that could not be checked, with why.
    void notChecked(const std::string& name, Layout layout, std::optional<FileFormat> format,
                    const std::string& error);
    // Ends the documents and puts the --report file in place; the failure
    // of writing it, if any (the old file is left as it was then).
    std::string finish();

    // Whether a finding that counts toward the exit status was reported.
    bool failed() const { return session_->failed(); }
    // Whether the check's summary lines follow the report on standard
    // output (the text format does; JSON and SARIF are documents alone).
    bool withSummaries() const { return !format_->document; }

private:
    ReportOutput() = default;

    const ReportFormat* format_ = nullptr;
    ReportSettings settings_;
    std::string fileName_;
    std::unique_ptr<ReplacingFile> file_;  // the --report file, until finished
    std::vector<std::unique_ptr<ReportWriter>> writers_;
    std::unique_ptr<ReportSession> session_;
};

}  // namespace corvel::cli
