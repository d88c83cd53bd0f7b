// The report's entry point: a dictionary read once, its bytes through the
// encoding scanner (whose notes become findings here) and its lines
// through the analyser, the two streams of findings merged in line order,
// then marked against the baseline and counted.
#include "corvel/report/analysis.h"

#include "analyser.h"
#include "corvel/report/finding_tally.h"
#include "encoding/encoding_scanner.h"
#include "gbk_chars.h"
#include "pair_text.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <utility>

namespace corvel::report {

namespace {

// Two streams of findings in line order merged into one: the encoding and
// line-end findings, which the scanner of the bytes gives up to one read
// ahead of the lines, and the findings of the line rules. A line's
// encoding findings go first: what the file is comes before what its lines
// say. So a line rule's finding waits until the early stream has settled
// its line (seen the line's end) or has ended.
class FindingMerge : public FindingSink, public PairObserver {
public:
    // Findings leave to `out`; of the early stream only those of the
    // selected rules. `settled` tells how many lines the early stream has
    // given every finding of.
    FindingMerge(FindingSink& out, const RuleSelection& rules,
                 std::function<std::int64_t()> settled);

    // The stream that runs ahead: the notes of the encoding scan, which
    // become findings here.
    encoding::NoteSink& early() { return early_; }
    // A finding of the line rules: it leaves once its line is settled,
    // after the early ones up to its line.
    bool add(Finding finding) override;
    // The pair just read: quotes it in the early findings of its lines.
    void pairRead(const PairText& pair, const TextDecoder& decoder) override;
    // After both streams ended: what is still held leaves.
    void finish();

private:
    class Early : public encoding::NoteSink {
    public:
        Early(FindingMerge& merge, const RuleSelection& rules) : merge_(merge), rules_(rules) {}
        bool add(RuleId rule, std::int32_t line, std::int32_t column,
                 const encoding::ByteNote& note) override;

    private:
        FindingMerge& merge_;
        const RuleSelection& rules_;
    };
    // A pair read whose lines the early stream has not settled yet (the
    // bytes of its lines wait in the scanner for a whole block, or for the
    // end): its findings come after it was read.
    struct KeptPair {
        std::string source;
        std::string translation;
        PairText pair;  // views into source and translation
        TextDecoder decoder;  // a copy: the pair may outlive its reader
    };

    void releaseUpTo(std::int32_t line);
    void quoteHeld(const PairText& pair, const TextDecoder& decoder);
    void takeEarly(Finding finding);
    void releaseLate(std::int64_t settled);

    FindingSink& out_;
    bool goOn_ = true;  // what `out_` last answered
    std::function<std::int64_t()> settled_;
    std::deque<Finding> held_;
    std::deque<Finding> late_;
    Early early_;
    std::deque<KeptPair> kept_;  // in line order
};

FindingMerge::FindingMerge(FindingSink& out, const RuleSelection& rules,
                           std::function<std::int64_t()> settled)
    : out_(out), settled_(std::move(settled)), early_(*this, rules)
{
}

bool FindingMerge::Early::add(RuleId rule, std::int32_t line, std::int32_t column,
                              const encoding::ByteNote& note)
{
    if (rules_.enabled(rule))
        merge_.takeEarly(makeFinding(rule, line, column, note));
    return merge_.goOn_;
}

bool FindingMerge::add(Finding finding)
{
    late_.push_back(std::move(finding));
    releaseLate(settled_());
    return goOn_;
}

// The characters of `text` before byte `end` (bytes past its end count one
// each: the line end, or the part of a long line the report did not hold).
std::int32_t charactersBefore(std::string_view text, std::size_t end, const gbk::CharSteps& steps)
{
    std::size_t n = 0;
    std::size_t i = 0;
    for (; i < text.size() && i < end; i += steps.length(text, i))
        ++n;
    if (end > i)
        n += end - i;
    return static_cast<std::int32_t>(n);
}

// The character column of byte column `column` of line `line` of `pair`.
std::int32_t characterColumnOf(const PairText& pair, std::int32_t line, std::int32_t column,
                               const gbk::CharSteps& steps)
{
    const std::size_t before = static_cast<std::size_t>(column - 1);
    if (pair.sourceLine != pair.translationLine)
        return 1 + charactersBefore(line == pair.sourceLine ? pair.source : pair.translation,
                                    before, steps);
    if (before <= pair.source.size() || pair.translationColumn == 0)
        return 1 + charactersBefore(pair.source, before, steps);
    return 1 + charactersBefore(pair.source, pair.source.size(), steps) + 1 +
           charactersBefore(pair.translation, before - pair.translationColumn, steps);
}

std::int32_t lastLineOf(const PairText& pair)
{
    return std::max(pair.sourceLine, pair.translationLine);
}

void FindingMerge::pairRead(const PairText& pair, const TextDecoder& decoder)
{
    quoteHeld(pair, decoder);
    const std::int64_t settled = settled_();
    while (!kept_.empty() && lastLineOf(kept_.front().pair) <= settled)
        kept_.pop_front();
    if (lastLineOf(pair) <= settled)
        return;
    KeptPair& kept = kept_.emplace_back();
    kept.source.assign(pair.source);
    kept.translation.assign(pair.translation);
    kept.pair = pair;
    kept.pair.source = kept.source;
    kept.pair.translation = kept.translation;
    kept.decoder = decoder;
}

void FindingMerge::takeEarly(Finding finding)
{
    held_.push_back(std::move(finding));
    for (const KeptPair& kept : kept_)
        if (held_.back().line == kept.pair.sourceLine ||
            held_.back().line == kept.pair.translationLine)
            quoteHeld(kept.pair, kept.decoder);
}

void FindingMerge::quoteHeld(const PairText& pair, const TextDecoder& decoder)
{
    // Most pairs come with no held finding at their lines.
    if (held_.empty() || held_.back().line < pair.sourceLine)
        return;
    const gbk::CharSteps steps(decoder.encoding());
    std::optional<QuotedPair> quoted;
    for (auto f = held_.rbegin(); f != held_.rend() && f->line >= pair.sourceLine; ++f) {
        if (f->line != pair.sourceLine && f->line != pair.translationLine)
            continue;
        if (f->column && !f->characterColumn)
            f->characterColumn = characterColumnOf(pair, f->line, *f->column, steps);
        if (aboutTheWholeFile(f->rule) || !f->source.empty() || !f->translation.empty())
            continue;
        if (!quoted)
            quoted.emplace(pair, decoder);
        quoted->fill(*f);
    }
}

void FindingMerge::finish()
{
    releaseLate(std::numeric_limits<std::int64_t>::max());
    releaseUpTo(std::numeric_limits<std::int32_t>::max());
}

void FindingMerge::releaseLate(std::int64_t settled)
{
    while (!late_.empty() && late_.front().line <= settled) {
        releaseUpTo(late_.front().line);
        if (goOn_)  // none once the sink said stop
            goOn_ = out_.add(std::move(late_.front()));
        late_.pop_front();
    }
}

void FindingMerge::releaseUpTo(std::int32_t line)
{
    while (!held_.empty() && held_.front().line <= line) {
        if (goOn_)
            goOn_ = out_.add(std::move(held_.front()));
        held_.pop_front();
    }
}

// The analysis with the encoding rules in the same pass: `reading`'s
// encoding and line ends override those of `options`, and a line's
// encoding findings reach `sink` before its other findings. Only the rules
// that `options.rules` selects report.
Error analyseWithEncoding(const std::filesystem::path& path, AnalysisOptions options,
                          const encoding::ScanSettings& reading, FindingSink& sink,
                          AnalysisStats* stats)
{
    const encoding::EncodingScanner* progress = nullptr;
    FindingMerge merged(sink, options.rules, [&] { return progress->lineCount(); });
    encoding::EncodingScanner scanner(reading, merged.early());
    progress = &scanner;
    options.encoding = reading.encoding;
    options.lineEnds = reading.lineEnds;
    options.observer = &scanner;
    options.pairObserver = &merged;
    Error error = analyseDictionary(path, options, merged, stats);
    scanner.finish();
    merged.finish();
    return error;
}

}  // namespace

Error analyseForReport(const DictionaryHeader& header, const std::filesystem::path& path,
                       const ReportSettings& settings, std::optional<LogStop> stop,
                       const encoding::ScanSettings& reading, FindingSink& sink,
                       FindingCounts& counts, AnalysisStats* stats)
{
    FindingTally tally(sink, settings.failOn);
    std::optional<BaselineMarker> marker;
    if (settings.baseline)
        marker.emplace(settings.baseline->forDictionary(header.path), tally);
    encoding::ScanSettings scan = reading;
    scan.layout = header.layout;
    AnalysisOptions options;
    options.layout = header.layout;
    options.rules = settings.rules;
    options.logStop = stop;
    Error error = analyseWithEncoding(path, options, scan,
                                      marker ? static_cast<FindingSink&>(*marker) : tally, stats);
    counts = tally.counts();
    return error;
}

}  // namespace corvel::report
