#include "analyser.h"

#include "chars.h"
#include "equals_log.h"
#include "finding_queue.h"
#include "pair_checks.h"
#include "pair_log.h"
#include "pair_shift_tracker.h"
#include "pair_rules.h"
#include "text_files.h"

#include <deque>
#include <limits>
#include <string>
#include <vector>

namespace corvel::report {

namespace {
// The bytes of a line too long to be held that its findings quote.
constexpr std::uint64_t kLongLineHead = 4096;

// The classes of a line too long to be held, from its facts.
LineClass pairClassOf(scan::LineFlag flag)
{
    switch (flag) {
    case scan::LineFlag::Empty: return LineClass::Empty;
    case scan::LineFlag::Erroneous: return LineClass::Erroneous;
    case scan::LineFlag::Untranslated: return LineClass::Untranslated;
    default: return LineClass::Good;
    }
}

EqualsClass equalsClassOf(scan::LineFlag flag)
{
    switch (flag) {
    case scan::LineFlag::NoEquals: return EqualsClass::SeriousError;
    case scan::LineFlag::Untranslated: return EqualsClass::Untranslated;
    default: return EqualsClass::Accepted;
    }
}
}

class DictionaryAnalyser::Run {
public:
    Run(AnalysisOptions options, FindingSink& sink);

    // `cut`: the line was too long to be held; `text` is its start.
    void addLine(std::string_view text, std::optional<scan::LineFlag> cut = std::nullopt);
    void finish();
    std::int32_t lines() const { return line_; }
    AnalysisStats stats() const;

private:
    // The two lines of a line pair (a last odd line may stand alone).
    struct LinePair {
        std::string_view odd;
        std::string_view even;
        std::int32_t oddLine = 0;
        LineClass oddClass = LineClass::Good;
        LineClass evenClass = LineClass::Good;
        bool hasEven = true;
        bool cut = false;  // a line of it was too long to be held
    };
    // A pair held while a candidate shifted region is open.
    struct HeldPair {
        std::string odd;
        std::string even;
        LinePair lines;  // its views point into odd and even
    };

    bool wants(RuleId id) const { return options_.rules.enabled(id); }
    void addPairLine(std::string_view text, std::optional<scan::LineFlag> cut);
    void addEqualsLine(std::string_view text, std::optional<scan::LineFlag> cut);
    void takePair(const LinePair& pair);
    void hold(const LinePair& pair);
    void releaseHeld(bool shifted);
    void emitPair(const LinePair& pair, bool pairRules);
    void checkPair(FindingQueue::Entry& entry, const PairText& pair);
    void addShiftFinding(const LinePair& first);
    void addLineClass(LineClass lineClass, std::int32_t line, QuotedPair& quoted);
    void addEqualsClass(EqualsClass lineClass, QuotedPair& quoted);
    void addLogStop(std::int32_t line, QuotedPair& quoted);
    void add(RuleId id, std::int32_t line, QuotedPair& quoted, std::string message);

    AnalysisOptions options_;
    TextDecoder decoder_;
    PairChecks pairChecks_;
    PairShiftTracker shifts_;
    bool trackShifts_;
    std::int32_t line_ = 0;
    std::string odd_;  // the odd line waiting for its even line
    LineClass oddClass_ = LineClass::Good;
    bool oddCut_ = false;  // it was too long to be held
    std::deque<HeldPair> held_;
    FindingQueue queue_;
    std::vector<Finding>* pending_ = nullptr;  // the findings of the pair at hand
    std::optional<Finding> shift_;  // a pair-shift finding for the next pair
};

DictionaryAnalyser::DictionaryAnalyser(AnalysisOptions options, FindingSink& sink)
    : run_(std::make_unique<Run>(std::move(options), sink))
{
}

DictionaryAnalyser::~DictionaryAnalyser() = default;

void DictionaryAnalyser::addLine(std::string_view text)
{
    run_->addLine(text);
}

void DictionaryAnalyser::addLongLine(std::string_view head, scan::LineFlag flag)
{
    run_->addLine(head, flag);
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

DictionaryAnalyser::Run::Run(AnalysisOptions options, FindingSink& sink)
    : options_(std::move(options)),
      decoder_(options_.encoding),
      pairChecks_(options_.rules, decoder_),
      trackShifts_(options_.layout == Layout::LinePairs && wants(RuleId::PairShift)),
      queue_(sink, decoder_)
{
}

void DictionaryAnalyser::Run::addLine(std::string_view text, std::optional<scan::LineFlag> cut)
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
            LinePair lone {odd_, {}, line_, oddClass_, LineClass::Good, false};
            emitPair(lone, false);
        }
    }
    queue_.drain();
}

AnalysisStats DictionaryAnalyser::Run::stats() const
{
    AnalysisStats s;
    s.lines = line_;
    s.distinctSources = queue_.consistency().distinctSources();
    s.consistencyBytes = queue_.consistency().memoryBytes();
    return s;
}

void DictionaryAnalyser::Run::addPairLine(std::string_view text,
                                           std::optional<scan::LineFlag> cut)
{
    const LineClass lineClass =
        cut ? pairClassOf(*cut) : classifyPairLine(text, line_, options_.encoding);
    if (line_ % 2 != 0) {
        odd_.assign(text);  // the reader's view ends with the next line
        oddClass_ = lineClass;
        oddCut_ = cut.has_value();
        return;
    }
    takePair({odd_, text, line_ - 1, oddClass_, lineClass, true, oddCut_ || cut});
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

void DictionaryAnalyser::Run::emitPair(const LinePair& lines, bool pairRules)
{
    FindingQueue::Entry& entry = queue_.next();
    pending_ = &entry.findings;
    if (shift_) {
        pending_->push_back(std::move(*shift_));
        shift_.reset();
    }
    PairText pair {lines.odd, lines.even, lines.oddLine, lines.oddLine + 1, 0};
    QuotedPair quoted(pair, decoder_);
    addLineClass(lines.oddClass, lines.oddLine, quoted);
    addLogStop(lines.oddLine, quoted);
    if (lines.hasEven) {
        addLineClass(lines.evenClass, lines.oddLine + 1, quoted);
        if (pairRules && !lines.cut && lines.oddClass != LineClass::Empty &&
            lines.evenClass != LineClass::Empty)
            checkPair(entry, pair);
        addLogStop(lines.oddLine + 1, quoted);
    }
    queue_.push();
}

void DictionaryAnalyser::Run::addEqualsLine(std::string_view text,
                                             std::optional<scan::LineFlag> cut)
{
    FindingQueue::Entry& entry = queue_.next();
    pending_ = &entry.findings;
    PairText pair = equalsPair(text, line_);
    QuotedPair quoted(pair, decoder_);
    EqualsClass lineClass =
        cut ? equalsClassOf(*cut) : classifyEqualsLine(text, options_.encoding);
    addEqualsClass(lineClass, quoted);
    if (!cut && lineClass != EqualsClass::SeriousError && !isEmptyLine(pair.source) &&
        !isEmptyLine(pair.translation))
        checkPair(entry, pair);
    addLogStop(line_, quoted);
    queue_.push();
}

// The rules of a pair on its own, then consistency, which the queue decides.
void DictionaryAnalyser::Run::checkPair(FindingQueue::Entry& entry, const PairText& pair)
{
    pairChecks_.check(pair, entry.findings);
    if (wants(RuleId::InconsistentTranslation))
        queue_.checkConsistency(entry, pair.source, pair.translation, pair.translationLine);
}

void DictionaryAnalyser::Run::addShiftFinding(const LinePair& first)
{
    if (!wants(RuleId::PairShift))
        return;
    PairText pair {first.odd, first.even, first.oddLine, first.oddLine + 1, 0};
    QuotedPair quoted(pair, decoder_);
    std::int32_t last = shifts_.lastInStepLine();
    shift_ = makeFinding(RuleId::PairShift, first.oddLine);
    quoted.fill(*shift_);
    shift_->message =
        "the line pairs are out of step from here: odd lines hold translations and even lines "
        "sources; " +
        (last > 0 ? "line " + std::to_string(last) + " is the last that still paired correctly"
                  : std::string("no line above paired correctly"));
}

void DictionaryAnalyser::Run::addLineClass(LineClass lineClass, std::int32_t line, QuotedPair& quoted)
{
    if (lineClass == LineClass::Good)
        return;
    bool odd = line % 2 != 0;
    switch (lineClass) {
    case LineClass::Good: return;
    case LineClass::Empty:
        if (wants(RuleId::EmptyLine))
            add(RuleId::EmptyLine, line, quoted,
                odd ? "empty source line" : "empty translation line");
        return;
    case LineClass::Erroneous:
        if (wants(RuleId::SourceHasChinese))
            add(RuleId::SourceHasChinese, line, quoted,
                "the source line " + quote(quoted.source()) +
                    " holds characters beyond ASCII, which the check reads as Chinese");
        return;
    case LineClass::Untranslated:
        if (wants(RuleId::Untranslated))
            add(RuleId::Untranslated, line, quoted,
                "the translation " + quote(quoted.translation()) + " holds no Chinese character");
        return;
    }
}

void DictionaryAnalyser::Run::addEqualsClass(EqualsClass lineClass, QuotedPair& quoted)
{
    if (lineClass == EqualsClass::SeriousError && wants(RuleId::MissingEquals)) {
        add(RuleId::MissingEquals, line_, quoted, "no \"=\" between source and translation");
    } else if (lineClass == EqualsClass::Untranslated && wants(RuleId::Untranslated)) {
        add(RuleId::Untranslated, line_, quoted,
            quoted.pair().translation.empty()
                ? std::string("nothing after \"=\"")
                : "the translation " + quote(quoted.translation()) + " holds no Chinese character");
    }
}

void DictionaryAnalyser::Run::addLogStop(std::int32_t line, QuotedPair& quoted)
{
    const std::optional<LogStop>& stop = options_.logStop;
    if (!stop || stop->line != line || !wants(stop->rule)) [[likely]]
        return;
    add(stop->rule, line, quoted,
        stop->rule == RuleId::StoppedAtEmptyLine
            ? "the check log stops at this empty line (--stop-on-empty); the lines after it are "
              "not in the log"
            : "the check log stops here after a row of erroneous lines; the lines after this "
              "one are not in the log");
}

void DictionaryAnalyser::Run::add(RuleId id, std::int32_t line, QuotedPair& quoted,
                             std::string message)
{
    Finding finding = makeFinding(id, line);
    quoted.fill(finding);
    finding.message = std::move(message);
    pending_->push_back(std::move(finding));
}

Error analyseDictionary(const std::filesystem::path& path, const AnalysisOptions& options,
                        FindingSink& sink, AnalysisStats* stats)
{
    Error error;
    File file = File::open(path, File::Access::Read, error);
    if (error)
        return error;
    LineReader reader(std::move(file));
    reader.observe(options.observer);
    reader.boundLines(nullptr);
    if (options.encoding == TextEncoding::Utf8)
        (void)reader.skipUtf8Bom();
    const bool anyEnds = options.lineEnds == LineEnds::Any;
    DictionaryAnalyser analyser(options, sink);
    std::string head;  // the first bytes of a line too long to be held
    while (!reader.atEnd()) {
        std::string_view line = anyEnds ? reader.nextAnyEnds() : reader.next();
        if (reader.error())  // a piece cut short by a failed read is no line
            break;
        if (analyser.lines() == std::numeric_limits<std::int32_t>::max()) {
            error = Error(ErrorKind::Other, FileOp::Read, displayPath(path),
                          "the dictionary has more lines than can be counted");
            break;
        }
        if (const LongLine* longLine = reader.takeLongLine()) {
            head.clear();
            const std::uint64_t headEnd =
                std::min<std::uint64_t>(longLine->end, longLine->start + kLongLineHead);
            if (!reader.pieces(longLine->start, headEnd,
                               [](void* to, std::string_view piece) {
                                   static_cast<std::string*>(to)->append(piece);
                               },
                               &head)) {
                error = reader.rereadError();
                break;
            }
            const std::uint64_t number = static_cast<std::uint64_t>(analyser.lines()) + 1;
            analyser.addLongLine(head, longLine->facts.flag(options.layout, number, options.encoding));
            continue;
        }
        analyser.addLine(line);
    }
    if (reader.error())
        error = reader.error();
    analyser.finish();
    if (stats != nullptr)
        *stats = analyser.stats();
    return error;
}

}  // namespace corvel::report
