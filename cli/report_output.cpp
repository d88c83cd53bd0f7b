#include "report_output.h"

#include "corvel/display_path.h"
#include "corvel/file_identity.h"
#include "version.h"

namespace corvel::cli {

namespace {

namespace fs = std::filesystem;

report::RuleId stopRule(StopCause cause)
{
    return cause == StopCause::EmptyLine ? report::RuleId::StoppedAtEmptyLine
                                         : report::RuleId::RowOfErrors;
}

}  // namespace

std::unique_ptr<ReportOutput> ReportOutput::open(const CliOptions& options, std::ostream& out,
                                                 std::string& error)
{
    const ReportOptions& wanted = options.report;
    std::unique_ptr<ReportOutput> output(new ReportOutput());
    output->format_ = wanted.format;
    output->settings_.rules = wanted.rules;
    output->settings_.failOn = wanted.failOn;
    if (!wanted.baseline.empty()) {
        output->settings_.baseline = report::Baseline::load(pathFromUtf8(wanted.baseline), error);
        if (!error.empty()) {
            error = "the baseline " + error;
            return nullptr;
        }
    }
    ToolInfo tool;
    tool.version = version::kFull;
    tool.baselineUsed = output->settings_.baseline.has_value();
    if (!wanted.file.empty()) {
        // The report replaces the file only once it is whole; a link at its
        // name stays and leads to the report.
        output->fileName_ = wanted.file;
        output->file_ = std::make_unique<ReplacingFile>();
        if (Error made = output->file_->open(pathFromUtf8(wanted.file))) {
            error = wanted.file + ": the report cannot be written: " + made.cause();
            return nullptr;
        }
        output->writers_.push_back(wanted.format->makeWriter(output->file_->stream(), tool));
    }
    // -q silences the text report with the summaries; a document asked for
    // on standard output is still printed.
    if (!options.quiet || wanted.format->document)
        output->writers_.push_back(wanted.format->makeWriter(out, tool));
    std::vector<ReportWriter*> writers;
    for (auto& writer : output->writers_)
        writers.push_back(writer.get());
    output->session_ = std::make_unique<ReportSession>(output->settings_, std::move(writers));
    return output;
}

ReportOutput::Analysed ReportOutput::analyse(const std::string& name, const fs::path& path,
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
    report::DictionaryHeader header;
    header.path = name;
    header.layout = layout;
    std::optional<report::LogStop> logStop;
    if (stop)
        logStop = report::LogStop {stopRule(stop->cause), stopLine};
    Analysed analysed;
    if ((analysed.error = changed()))
        return analysed;
    report::AnalysisStats stats;
    try {
        analysed.error =
            session_->analyse(header, path, logStop, reading, sink, analysed.counts, &stats);
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

ReportOutput::Analysed ReportOutput::analyseEntries(const std::string& name,
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

void ReportOutput::begin(const std::string& name, Layout layout, std::optional<FileFormat> format)
{
    session_->beginDictionary({name, layout, format});
}

void ReportOutput::endEntries(const Analysed& analysed)
{
    report::DictionaryOutcome outcome;
    outcome.findings = analysed.counts;
    outcome.entries = analysed.entries;
    if (analysed.error)
        outcome.error = analysed.error.describe();
    session_->endDictionary(std::move(outcome));
}

void ReportOutput::end(const RunReport& run, bool complete, const Analysed& analysed)
{
    report::DictionaryOutcome outcome;
    outcome.lines = analysed.lines;
    outcome.complete = complete;
    outcome.log = {run.lines, run.erroneous, run.empty, run.untranslated};
    outcome.logPath = run.log.empty() ? std::string() : displayPath(run.log);
    outcome.findings = analysed.counts;
    if (analysed.error)
        outcome.error = analysed.error.describe();
    session_->endDictionary(std::move(outcome));
}

void ReportOutput::notChecked(const std::string& name, Layout layout,
                              std::optional<FileFormat> format, const std::string& error)
{
    session_->beginDictionary({name, layout, format});
    report::DictionaryOutcome outcome;
    if (format)
        outcome.entries = report::EntryCounts {};
    outcome.complete = false;
    outcome.checked = false;
    outcome.error = error;
    session_->endDictionary(std::move(outcome));
}

std::string ReportOutput::finish()
{
    session_->finish();
    if (file_) {
        Error error = file_->commit();
        if (error)
            return fileName_ + ": the report cannot be written: " + error.cause();
    }
    return {};
}

}  // namespace corvel::cli
