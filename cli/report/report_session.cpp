#include "report_session.h"

#include "report/finding_tally.h"

namespace corvel::cli {

// Hands each finding to every writer.
class ReportSession::FanOut : public report::FindingSink {
public:
    explicit FanOut(const std::vector<ReportWriter*>& writers) : writers_(writers) {}

    void add(report::Finding finding) override
    {
        for (std::size_t i = 0; i + 1 < writers_.size(); ++i)
            writers_[i]->add(finding);
        if (!writers_.empty())
            writers_.back()->add(std::move(finding));
    }

private:
    const std::vector<ReportWriter*>& writers_;
};

ReportSession::ReportSession(const ReportSettings& settings, std::vector<ReportWriter*> writers)
    : settings_(settings), writers_(std::move(writers))
{
}

Error ReportSession::addDictionary(const report::DictionaryHeader& header,
                                   const std::filesystem::path& path,
                                   report::DictionaryOutcome outcome,
                                   std::optional<report::LogStop> stop,
                                   report::AnalysisStats* stats)
{
    for (ReportWriter* writer : writers_)
        writer->beginDictionary(header);
    FanOut fanOut(writers_);
    report::FindingTally tally(fanOut, settings_.failOn);
    std::optional<report::BaselineMarker> marker;
    if (settings_.baseline)
        marker.emplace(settings_.baseline->forDictionary(header.path), tally);
    report::AnalysisOptions options;
    options.layout = header.layout;
    options.rules = settings_.rules;
    options.logStop = stop;
    options.encoding = settings_.encoding;
    report::AnalysisStats analysed;
    Error error = report::analyseDictionary(
        path, options, marker ? static_cast<report::FindingSink&>(*marker) : tally, &analysed);
    if (stats != nullptr)
        *stats = analysed;
    outcome.lines = analysed.lines;
    outcome.findings = tally.counts();
    total_ += tally.counts();
    for (ReportWriter* writer : writers_)
        writer->endDictionary(outcome);
    return error;
}

void ReportSession::finish()
{
    for (ReportWriter* writer : writers_)
        writer->finish(total_);
}

}  // namespace corvel::cli
