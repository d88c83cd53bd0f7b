#include "report_session.h"

namespace corvel::cli {

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

ReportSession::ReportSession(const ReportSettings& settings, std::vector<ReportWriter*> writers)
    : settings_(settings), writers_(std::move(writers)), fanOut_(std::make_unique<FanOut>(writers_))
{
}

ReportSession::~ReportSession() = default;

Error ReportSession::addDictionary(const report::DictionaryHeader& header,
                                   const std::filesystem::path& path,
                                   report::DictionaryOutcome outcome,
                                   std::optional<report::LogStop> stop,
                                   report::AnalysisStats* stats,
                                   const encoding::ScanSettings& reading)
{
    beginDictionary(header);
    report::AnalysisStats analysed;
    Error error = analyse(header, path, stop, reading, writers(), outcome.findings, &analysed);
    if (stats != nullptr)
        *stats = analysed;
    outcome.lines = analysed.lines;
    endDictionary(std::move(outcome));
    return error;
}

Error ReportSession::analyse(const report::DictionaryHeader& header,
                             const std::filesystem::path& path,
                             std::optional<report::LogStop> stop,
                             const encoding::ScanSettings& reading, report::FindingSink& sink,
                             report::FindingCounts& counts, report::AnalysisStats* stats) const
{
    return report::analyseForReport(header, path, settings_, stop, reading, sink, counts, stats);
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

void ReportSession::endDictionary(report::DictionaryOutcome outcome)
{
    total_ += outcome.findings;
    for (ReportWriter* writer : writers_)
        writer->endDictionary(outcome);
}

void ReportSession::finish()
{
    for (ReportWriter* writer : writers_)
        writer->finish(total_);
}

}  // namespace corvel::cli
