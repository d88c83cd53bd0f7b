#include "report_session.h"

#include "corvel/display_path.h"
#include "version.h"

namespace corvel::cli {

namespace fs = std::filesystem;

// Hands each finding to every writer.
class ReportSession::FanOut : public report::FindingSink {
public:
    explicit FanOut(const std::vector<ReportWriter*>& writers) : writers_(writers) {}

    // Goes on while some writer can still write.
    bool add(report::Finding finding) override
    {
        bool goOn = false;
        for (std::size_t i = 0; i + 1 < writers_.size(); ++i)
            goOn = writers_[i]->add(finding) || goOn;
        if (!writers_.empty())
            goOn = writers_.back()->add(std::move(finding)) || goOn;
        return goOn;
    }

private:
    const std::vector<ReportWriter*>& writers_;
};

ReportSession::ReportSession(ReportSettings settings, std::vector<ReportWriter*> writers)
    : settings_(std::move(settings)),
      writers_(std::move(writers)),
      fanOut_(std::make_unique<FanOut>(writers_))
{
}

ReportSession::~ReportSession() = default;

std::unique_ptr<ReportSession> ReportSession::open(const CliOptions& options, std::ostream& out,
                                                   std::string& error)
{
    const ReportOptions& wanted = options.report;
    ReportSettings settings;
    settings.rules = wanted.rules;
    settings.failOn = wanted.failOn;
    if (!wanted.baseline.empty()) {
        settings.baseline = report::Baseline::load(pathFromUtf8(wanted.baseline), error);
        if (!error.empty()) {
            error = "the baseline " + error;
            return nullptr;
        }
    }
    ToolInfo tool;
    tool.version = version::kFull;
    tool.baselineUsed = settings.baseline.has_value();
    std::unique_ptr<ReportSession> session(new ReportSession(std::move(settings), {}));
    session->document_ = wanted.format->document;
    if (!wanted.file.empty()) {
        // The report replaces the file only once it is whole; a link at its
        // name stays and leads to the report.
        session->fileName_ = wanted.file;
        session->file_ = std::make_unique<ReplacingFile>();
        if (Error made = session->file_->open(pathFromUtf8(wanted.file))) {
            error = wanted.file + ": the report cannot be written: " + made.cause();
            return nullptr;
        }
        session->owned_.push_back(wanted.format->makeWriter(session->file_->stream(), tool));
    }
    // -q silences the text report with the summaries; a document asked for
    // on standard output is still printed.
    if (!options.quiet || wanted.format->document)
        session->owned_.push_back(wanted.format->makeWriter(out, tool));
    for (auto& writer : session->owned_)
        session->writers_.push_back(writer.get());
    return session;
}

ReportSession::Analysed ReportSession::analyse(const std::string& name, const fs::path& path,
                                               Layout layout, const std::optional<Stop>& stop,
                                               std::int32_t stopLine,
                                               const encoding::ScanSettings& reading,
                                               const FileStamp& checked,
                                               report::FindingSink& sink) const
{
    // The report reads the dictionary again: it must be the file the check
    // read, before and after, or the report and the summary would differ.
    const auto changed = [&] {
        return fileStamp(path) == checked
                   ? Error()
                   : Error(ErrorKind::Other, FileOp::Read, displayPath(path),
                           "the file changed after its check (replaced, deleted, grown or "
                           "cut), so the report cannot follow the check; check it again");
    };
    std::optional<report::LogStop> logStop;
    if (stop)
        logStop = report::LogStop {stop->cause == StopCause::EmptyLine
                                       ? report::RuleId::StoppedAtEmptyLine
                                       : report::RuleId::RowOfErrors,
                                   stopLine};
    Analysed analysed;
    if ((analysed.error = changed()))
        return analysed;
    report::AnalysisStats stats;
    try {
        analysed.error = report::analyseForReport({name, layout}, path, settings_, logStop,
                                                  reading, sink, analysed.counts, &stats);
    } catch (const std::exception& failure) {
        // Memory ran out (the consistency rule's table grows with the
        // dictionary): the dictionary fails, the report stays well formed.
        analysed.error = Error::fromException(failure, displayPath(path));
    }
    analysed.lines = stats.lines;
    if (!analysed.error)
        analysed.error = changed();
    return analysed;
}

ReportSession::Analysed ReportSession::analyseEntries(const std::string& name,
                                                      const report::TranslationFiles& files,
                                                      report::FindingSink& sink) const
{
    report::DictionaryHeader header;
    header.path = name;
    header.format = files.format;
    Analysed analysed;
    try {
        analysed.error = report::analyseTranslationFile(header, files, settings_, sink,
                                                        analysed.counts, analysed.entries);
    } catch (const std::exception& failure) {
        analysed.error = Error::fromException(failure, displayPath(files.translation));
    }
    return analysed;
}

void ReportSession::beginDictionary(const report::DictionaryHeader& header)
{
    for (ReportWriter* writer : writers_)
        writer->beginDictionary(header);
}

report::FindingSink& ReportSession::writers()
{
    return *fanOut_;
}

void ReportSession::endEntries(const Analysed& analysed)
{
    report::DictionaryOutcome outcome;
    outcome.findings = analysed.counts;
    outcome.entries = analysed.entries;
    if (analysed.error)
        outcome.error = analysed.error.describe();
    endDictionary(std::move(outcome));
}

void ReportSession::end(const RunReport& run, bool complete, const Analysed& analysed)
{
    report::DictionaryOutcome outcome;
    outcome.lines = analysed.lines;
    outcome.complete = complete;
    outcome.log = {run.lines, run.erroneous, run.empty, run.untranslated};
    outcome.logPath = run.log.empty() ? std::string() : displayPath(run.log);
    outcome.findings = analysed.counts;
    if (analysed.error)
        outcome.error = analysed.error.describe();
    endDictionary(std::move(outcome));
}

void ReportSession::endDictionary(report::DictionaryOutcome outcome)
{
    total_ += outcome.findings;
    for (ReportWriter* writer : writers_)
        writer->endDictionary(outcome);
}

void ReportSession::notChecked(const std::string& name, Layout layout,
                               std::optional<FileFormat> format, const std::string& error)
{
    beginDictionary({name, layout, format});
    report::DictionaryOutcome outcome;
    if (format)
        outcome.entries = report::EntryCounts {};
    outcome.complete = false;
    outcome.checked = false;
    outcome.error = error;
    endDictionary(std::move(outcome));
}

Error ReportSession::addDictionary(const report::DictionaryHeader& header, const fs::path& path,
                                   report::DictionaryOutcome outcome,
                                   std::optional<report::LogStop> stop,
                                   report::AnalysisStats* stats,
                                   const encoding::ScanSettings& reading)
{
    beginDictionary(header);
    report::AnalysisStats analysed;
    Error error = report::analyseForReport(header, path, settings_, stop, reading, writers(),
                                           outcome.findings, &analysed);
    if (stats != nullptr)
        *stats = analysed;
    outcome.lines = analysed.lines;
    endDictionary(std::move(outcome));
    return error;
}

std::string ReportSession::finish()
{
    for (ReportWriter* writer : writers_)
        writer->finish(total_);
    if (file_) {
        Error error = file_->commit();
        if (error)
            return fileName_ + ": the report cannot be written: " + error.cause();
    }
    return {};
}

}  // namespace corvel::cli
