#include "analyser.h"

#include "consistency_index.h"
#include "chars.h"
#include "equals_log.h"
#include "finding_queue.h"
#include "line_rules.h"
#include "pair_checks.h"
#include "pair_log.h"
#include "pair_shift_tracker.h"
#include "pair_rules.h"
#include "text_files.h"

#include <algorithm>
#include <deque>
#include <limits>
#include <string>
#include <vector>

namespace corvel::report {

namespace {
// The bytes of a line too long to be held that its findings quote.
constexpr std::uint64_t kLongLineHead = 4096;
// A guess of a dictionary's bytes for each distinct source it holds, to
// size the consistency table from the start.
constexpr std::uintmax_t kBytesPerSource = 256;

// The kind of a line class for the line rules (0: none in this layout).
unsigned lineKindOf(LineClass lineClass, Layout layout)
{
    switch (lineClass) {
    case LineClass::Empty: return layout == Layout::LinePairs ? unsigned{kOnEmpty} : 0u;
    case LineClass::Erroneous: return layout == Layout::LinePairs ? unsigned{kOnErroneous} : 0u;
    case LineClass::Untranslated: return kOnUntranslated;
    case LineClass::MissingEquals: return layout == Layout::Equals ? unsigned{kOnNoEquals} : 0u;
    case LineClass::Good: break;
    }
    return 0;
}
}

// A line too long to be held: its class and its length in bytes.
struct CutLine {
    LineClass flag;
    std::uint64_t length = 0;
};

class DictionaryAnalyser::Run {
public:
    // `counting`: the census pass, which only counts pairs into `census`.
    Run(AnalysisOptions options, FindingSink& sink, ConsistencyIndex* census, bool counting);

    // `cut`: the line was too long to be held; `text` is its start.
    void addLine(std::string_view text, std::optional<CutLine> cut = std::nullopt);
    void finish();
    std::int32_t lines() const { return line_; }
    AnalysisStats stats() const;
    bool stopped() const { return queue_.stopped(); }

private:
    // The two lines of a line pair (a last odd line may stand alone).
    struct LinePair {
        std::string_view odd;
        std::string_view even;
        std::int32_t oddLine = 0;
        LineClass oddClass = LineClass::Good;
        LineClass evenClass = LineClass::Good;
        bool hasEven = true;
        // The lengths of its lines too long to be held (0: held).
        std::uint64_t oddCut = 0;
        std::uint64_t evenCut = 0;
        bool cut() const { return oddCut != 0 || evenCut != 0; }
    };
    // A pair held while a candidate shifted region is open.
    struct HeldPair {
        std::string odd;
        std::string even;
        LinePair lines;  // its views point into odd and even
    };

    bool wants(RuleId id) const { return options_.rules.enabled(id); }
    void addPairLine(std::string_view text, std::optional<CutLine> cut);
    void addEqualsLine(std::string_view text, std::optional<CutLine> cut);
    void addNotChecked(std::int32_t line, std::uint64_t sourceCut, std::uint64_t translationCut,
                       QuotedPair& quoted);
    void takePair(const LinePair& pair);
    void hold(const LinePair& pair);
    void releaseHeld(bool shifted);
    void emitPair(const LinePair& pair, bool pairRules);
    void countPair(const LinePair& pair, bool pairRules);
    void checkPair(FindingQueue::Entry& entry, const PairText& pair);
    void addShiftFinding(const LinePair& first);
    // `cut`: the line was too long to be held, and only its start is seen.
    void addLineClass(LineClass lineClass, std::int32_t line, QuotedPair& quoted,
                      bool cut = false);
    void addLogStop(std::int32_t line, QuotedPair& quoted);
    LineRuleContext lineContext(LineKind kind, std::int32_t line, QuotedPair& quoted) const
    {
        return LineRuleContext(kind, line, quoted, options_.layout, options_.encoding);
    }

    AnalysisOptions options_;
    ConsistencyIndex* census_;
    bool counting_;
    TextDecoder decoder_;
    PairChecks pairChecks_;
    LineRules lineRules_;
    PairShiftTracker shifts_;
    bool trackShifts_;
    std::int32_t line_ = 0;
    std::string odd_;  // the odd line waiting for its even line
    LineClass oddClass_ = LineClass::Good;
    std::uint64_t oddCut_ = 0;  // its length when it was too long to be held
    std::deque<HeldPair> held_;
    FindingQueue queue_;
    std::vector<Finding>* pending_ = nullptr;  // the findings of the pair at hand
    std::optional<Finding> shift_;  // a pair-shift finding for the next pair
};

namespace {
// Where the census pass's (absent) findings go.
class NoFindings : public FindingSink {
public:
    bool add(Finding) override { return true; }
};
NoFindings noFindings;
}  // namespace

DictionaryAnalyser::DictionaryAnalyser(AnalysisOptions options, FindingSink& sink,
                                       ConsistencyIndex* census)
    : run_(std::make_unique<Run>(std::move(options), sink, census, false))
{
}

DictionaryAnalyser::DictionaryAnalyser(AnalysisOptions options, ConsistencyIndex& census)
    : run_(std::make_unique<Run>(std::move(options), noFindings, &census, true))
{
}

DictionaryAnalyser::~DictionaryAnalyser() = default;

void DictionaryAnalyser::addLine(std::string_view text)
{
    run_->addLine(text);
}

void DictionaryAnalyser::addLongLine(std::string_view head, LineClass flag,
                                     std::uint64_t length)
{
    run_->addLine(head, CutLine {flag, std::max<std::uint64_t>(length, 1)});
}

void DictionaryAnalyser::finish()
{
    run_->finish();
}

std::int32_t DictionaryAnalyser::lines() const
{
    return run_->lines();
}

AnalysisStats DictionaryAnalyser::stats() const
{
    return run_->stats();
}

bool DictionaryAnalyser::stopped() const
{
    return run_->stopped();
}

DictionaryAnalyser::Run::Run(AnalysisOptions options, FindingSink& sink,
                             ConsistencyIndex* census, bool counting)
    : options_(std::move(options)),
      census_(wants(RuleId::InconsistentTranslation) ? census : nullptr),
      counting_(counting),
      decoder_(options_.encoding),
      pairChecks_(options_.rules, decoder_),
      lineRules_(options_.rules),
      // Shifted regions are tracked with pair-shift off too: their pairs
      // are no pairs, and the pair rules must not weigh them.
      trackShifts_(options_.layout == Layout::LinePairs),
      queue_(sink, decoder_, counting ? nullptr : census_)
{
    if (counting_) {  // told nothing twice
        options_.observer = nullptr;
        options_.pairObserver = nullptr;
    }
}

void DictionaryAnalyser::Run::addLine(std::string_view text, std::optional<CutLine> cut)
{
    ++line_;
    if (options_.layout == Layout::Equals)
        addEqualsLine(text, cut);
    else
        addPairLine(text, cut);
}

void DictionaryAnalyser::Run::finish()
{
    if (options_.layout == Layout::LinePairs) {
        if (trackShifts_ && shifts_.releaseAtEnd())
            releaseHeld(false);
        if (line_ % 2 != 0) {
            if (options_.pairObserver != nullptr)
                options_.pairObserver->pairRead({odd_, {}, line_, 0, 0}, decoder_);
            LinePair lone {odd_, {}, line_, oddClass_, LineClass::Good, false};
            emitPair(lone, false);
        }
    }
    queue_.drain();
    if (counting_ && census_ != nullptr)
        census_->settle();
}

AnalysisStats DictionaryAnalyser::Run::stats() const
{
    AnalysisStats s;
    s.lines = line_;
    if (census_ != nullptr) {
        s.distinctSources = census_->distinctSources();
        s.consistencyBytes = census_->memoryBytes();
    }
    return s;
}

void DictionaryAnalyser::Run::addPairLine(std::string_view text, std::optional<CutLine> cut)
{
    const LineClass lineClass =
        cut ? cut->flag : classifyPairLine(text, line_, options_.encoding);
    if (line_ % 2 != 0) {
        odd_.assign(text);  // the reader's view ends with the next line
        oddClass_ = lineClass;
        oddCut_ = cut ? cut->length : 0;
        return;
    }
    if (options_.pairObserver != nullptr)
        options_.pairObserver->pairRead({odd_, text, line_ - 1, line_, 0}, decoder_);
    takePair({odd_, text, line_ - 1, oddClass_, lineClass, true, oddCut_, cut ? cut->length : 0});
}

void DictionaryAnalyser::Run::takePair(const LinePair& pair)
{
    using Action = PairShiftTracker::Action;
    Action action = trackShifts_ ? shifts_.next(pairStep(pair.oddClass, pair.evenClass),
                                                pair.oddLine + 1)
                                 : Action::Emit;
    switch (action) {
    case Action::Emit: emitPair(pair, true); return;
    case Action::EmitShifted: emitPair(pair, false); return;
    case Action::Hold: hold(pair); return;
    case Action::ConfirmHeld:
        hold(pair);
        addShiftFinding(held_.front().lines);
        releaseHeld(true);
        return;
    case Action::ReleaseHeld:
        hold(pair);
        releaseHeld(false);
        return;
    }
}

void DictionaryAnalyser::Run::hold(const LinePair& pair)
{
    HeldPair& held = held_.emplace_back();
    held.odd.assign(pair.odd);
    held.even.assign(pair.even);
    held.lines = pair;
    held.lines.odd = held.odd;
    held.lines.even = held.even;
}

// Emits the held pairs: inside a shifted region with their line classes
// only, otherwise as ordinary pairs.
void DictionaryAnalyser::Run::releaseHeld(bool shifted)
{
    for (const HeldPair& held : held_)
        emitPair(held.lines, !shifted);
    held_.clear();
}

// The census pass: the pair counted when the report pass will weigh it.
void DictionaryAnalyser::Run::countPair(const LinePair& lines, bool pairRules)
{
    if (census_ != nullptr && pairRules && lines.hasEven && !lines.cut() &&
        lines.oddClass != LineClass::Empty && lines.evenClass != LineClass::Empty)
        census_->count(lines.odd, lines.even, lines.oddLine + 1);
}

void DictionaryAnalyser::Run::emitPair(const LinePair& lines, bool pairRules)
{
    if (counting_) {
        countPair(lines, pairRules);
        return;
    }
    FindingQueue::Entry& entry = queue_.next();
    pending_ = &entry.findings;
    if (shift_) {
        pending_->push_back(std::move(*shift_));
        shift_.reset();
    }
    PairText pair {lines.odd, lines.even, lines.oddLine, lines.oddLine + 1, 0};
    QuotedPair quoted(pair, decoder_);
    addLineClass(lines.oddClass, lines.oddLine, quoted, lines.oddCut != 0);
    addLogStop(lines.oddLine, quoted);
    if (lines.hasEven) {
        addLineClass(lines.evenClass, lines.oddLine + 1, quoted);
        const bool weighed = lines.oddClass != LineClass::Empty &&
                             lines.evenClass != LineClass::Empty;
        if (pairRules && weighed && !lines.cut())
            checkPair(entry, pair);
        else if (pairRules && weighed)
            addNotChecked(lines.oddLine + 1, lines.oddCut, lines.evenCut, quoted);
        addLogStop(lines.oddLine + 1, quoted);
    }
    queue_.push();
}

void DictionaryAnalyser::Run::addEqualsLine(std::string_view text, std::optional<CutLine> cut)
{
    PairText pair = equalsPair(text, line_);
    if (counting_) {
        // Weighed as below: not a line without "=" (the check log's serious
        // error), neither side empty.
        if (census_ != nullptr && !cut && pair.translationColumn != 0 &&
            !isEmptyLine(pair.source) && !isEmptyLine(pair.translation))
            census_->count(pair.source, pair.translation, line_);
        return;
    }
    FindingQueue::Entry& entry = queue_.next();
    pending_ = &entry.findings;
    if (options_.pairObserver != nullptr)
        options_.pairObserver->pairRead(pair, decoder_);
    QuotedPair quoted(pair, decoder_);
    LineClass lineClass =
        cut ? cut->flag : classifyEqualsLine(text, options_.encoding);
    addLineClass(lineClass, line_, quoted);
    const bool weighed = lineClass != LineClass::MissingEquals && !isEmptyLine(pair.source) &&
                         !isEmptyLine(pair.translation);
    if (weighed && !cut)
        checkPair(entry, pair);
    else if (weighed)
        addNotChecked(line_, cut->length, 0, quoted);
    addLogStop(line_, quoted);
    queue_.push();
}

// The rules of a pair on its own, then consistency, which the queue decides.
void DictionaryAnalyser::Run::checkPair(FindingQueue::Entry& entry, const PairText& pair)
{
    pairChecks_.check(pair, entry.findings);
    if (census_ != nullptr)
        queue_.checkConsistency(entry, pair.source, pair.translation, pair.translationLine);
}

void DictionaryAnalyser::Run::addShiftFinding(const LinePair& first)
{
    if (counting_ || !lineRules_.any(kOnPairRun))
        return;
    PairText pair {first.odd, first.even, first.oddLine, first.oddLine + 1, 0};
    QuotedPair quoted(pair, decoder_);
    LineRuleContext run = lineContext(kOnPairRun, first.oddLine, quoted);
    run.lastInStep = shifts_.lastInStepLine();
    std::vector<Finding> found;
    lineRules_.check(run, found);
    if (!found.empty())
        shift_ = std::move(found.front());
}

void DictionaryAnalyser::Run::addLineClass(LineClass lineClass, std::int32_t line,
                                           QuotedPair& quoted, bool cut)
{
    const auto kind = static_cast<LineKind>(lineKindOf(lineClass, options_.layout));
    if (kind == 0 || !lineRules_.any(kind))
        return;
    LineRuleContext context = lineContext(kind, line, quoted);
    context.cut = cut;
    lineRules_.check(context, *pending_);
}

// A pair with a line too long to be held: the rules that weigh a source
// against its translation did not see it.
void DictionaryAnalyser::Run::addNotChecked(std::int32_t line, std::uint64_t sourceCut,
                                            std::uint64_t translationCut, QuotedPair& quoted)
{
    if (!lineRules_.any(kOnLongLine))
        return;
    LineRuleContext context = lineContext(kOnLongLine, line, quoted);
    context.sourceLength = sourceCut;
    context.translationLength = translationCut;
    lineRules_.check(context, *pending_);
}

void DictionaryAnalyser::Run::addLogStop(std::int32_t line, QuotedPair& quoted)
{
    const std::optional<LogStop>& stop = options_.logStop;
    if (!stop || stop->line != line || !lineRules_.any(kOnLogStop)) [[likely]]
        return;
    LineRuleContext context = lineContext(kOnLogStop, line, quoted);
    context.stop = stop->rule;
    lineRules_.check(context, *pending_);
}

namespace {
// Feeds every line of the dictionary at `path` to `analyser` (not finished).
Error feedLines(const std::filesystem::path& path, const AnalysisOptions& options,
                ReadObserver* observer, DictionaryAnalyser& analyser)
{
    Error error;
    File file = File::open(path, File::Access::Read, error);
    if (error)
        return error;
    LineReader reader(std::move(file));
    reader.observe(observer);
    reader.boundLines(nullptr);
    if (options.encoding == TextEncoding::Utf8)
        (void)reader.skipUtf8Bom();
    const bool anyEnds = options.lineEnds == LineEnds::Any;
    std::string head;  // the first bytes of a line too long to be held
    while (!reader.atEnd() && !analyser.stopped()) {
        std::string_view line = anyEnds ? reader.nextAnyEnds() : reader.next();
        if (reader.error())  // a piece cut short by a failed read is no line
            break;
        if (analyser.lines() == std::numeric_limits<std::int32_t>::max())
            return Error(ErrorKind::Other, FileOp::Read, displayPath(path),
                         "the dictionary has more lines than can be counted");
        if (const LongLine* longLine = reader.takeLongLine()) {
            head.clear();
            const std::uint64_t headEnd =
                std::min<std::uint64_t>(longLine->end, longLine->start + kLongLineHead);
            if (!reader.pieces(longLine->start, headEnd,
                               [](void* to, std::string_view piece) {
                                   static_cast<std::string*>(to)->append(piece);
                               },
                               &head))
                return reader.rereadError();
            const std::uint64_t number = static_cast<std::uint64_t>(analyser.lines()) + 1;
            analyser.addLongLine(head, longLine->facts.flag(options.layout, number, options.encoding),
                                 longLine->end - longLine->start);
            continue;
        }
        analyser.addLine(line);
    }
    return reader.error();
}
}  // namespace

Error analyseDictionary(const std::filesystem::path& path, const AnalysisOptions& options,
                        FindingSink& sink, AnalysisStats* stats)
{
    // The census reads the same lines first; a failure to read them shows
    // again in the report's pass, which says so.
    const bool consistency = options.rules.enabled(RuleId::InconsistentTranslation);
    std::error_code ec;
    const std::uintmax_t bytes = consistency ? std::filesystem::file_size(path, ec) : 0;
    ConsistencyIndex census(ec ? 0 : static_cast<std::size_t>(bytes / kBytesPerSource));
    if (consistency) {
        DictionaryAnalyser counting(options, census);
        (void)feedLines(path, options, nullptr, counting);
        counting.finish();
    }
    DictionaryAnalyser analyser(options, sink, &census);
    Error error = feedLines(path, options, options.observer, analyser);
    analyser.finish();
    if (stats != nullptr)
        *stats = analyser.stats();
    return error;
}

}  // namespace corvel::report
