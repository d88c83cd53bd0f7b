// The report of a translation file: its entries, read by the format's
// reader, weighed by the same pair rules as a dictionary's pairs (in
// UTF-8), with what the file says of each entry deciding whether it is a
// translation to weigh. Files of one language are paired by key with
// their source, of which only the key-to-text map is held.
#include "corvel/report/analysis.h"

#include "consistency_index.h"
#include "finding_queue.h"
#include "line_rules.h"
#include "formats/format_table.h"
#include "formats/text_form.h"
#include "pair_checks.h"
#include "text_kinds.h"
#include "corvel/display_path.h"
#include "corvel/report/finding_tally.h"

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace corvel::report {

namespace {

using formats::Entry;
using formats::EntryState;

// A text's line breaks and tabs as the escapes the rules compare, for a
// reader that handed them on as characters; whether it changed.
bool toRuleText(std::string& text)
{
    if (text.find_first_of("\n\r\t") == std::string::npos)
        return false;
    std::string escaped;
    formats::appendRuleText(escaped, text);
    text = std::move(escaped);
    return true;
}

// The key a plural form belongs to: "files" for Android's "files#one" and
// for "files_one" of JSON files that name plural forms by CLDR category;
// empty for a key of no plural form. Languages use different sets of
// these forms (Chinese only "other"), so a form the translation does not
// use is not missing while it has another form of the same key.
std::string_view pluralBase(std::string_view key)
{
    static constexpr std::string_view kCategories[] = {"zero", "one", "two", "few", "many", "other"};
    for (std::string_view category : kCategories) {
        if (key.size() <= category.size() + 1 || !key.ends_with(category))
            continue;
        const char mark = key[key.size() - category.size() - 1];
        if (mark == '#' || mark == '_')
            return key.substr(0, key.size() - category.size() - 1);
    }
    return {};
}

// A guess of a file's bytes for each distinct source it holds.
constexpr std::uintmax_t kBytesPerEntry = 128;

// The texts of a source file by key, in its order.
class SourceTexts : public formats::EntrySink {
public:
    struct Text {
        std::string key;
        std::string text;
        std::int32_t line = 0;
        bool translatable = true;
        bool seen = false;  // the translation has its key
    };

    bool entry(Entry&& entry) override
    {
        if (entry.state == EntryState::Obsolete || byKey_.count(entry.key) != 0)
            return true;  // a repeated key: its first text is the one compared
        Text& text = texts_.emplace_back();
        text.key = std::move(entry.key);
        text.text = std::move(entry.target);
        toRuleText(text.text);
        text.line = entry.targetPlace.line;
        text.translatable = entry.state != EntryState::NotTranslatable;
        byKey_.emplace(text.key, texts_.size() - 1);
        return true;
    }

    Text* find(const std::string& key)
    {
        auto at = byKey_.find(key);
        return at == byKey_.end() ? nullptr : &texts_[at->second];
    }
    std::deque<Text>& texts() { return texts_; }

private:
    std::deque<Text> texts_;  // stable: byKey_ views their keys
    std::unordered_map<std::string_view, std::size_t> byKey_;
};

// Weighs each entry of the translation file. The census pass only counts
// the pairs inconsistent-translation weighs; the report pass finds.
class EntryChecker : public formats::EntrySink {
public:
    EntryChecker(const RuleSelection& rules, FindingSink& sink, ConsistencyIndex* census,
                 bool counting, SourceTexts* source, const std::string& sourceName,
                 EntryCounts& counts)
        : rules_(rules),
          census_(rules.enabled(RuleId::InconsistentTranslation) ? census : nullptr),
          counting_(counting),
          source_(source),
          sourceName_(sourceName),
          counts_(counts),
          queue_(sink, decoder_, counting ? nullptr : census_),
          lineRules_(rules)
    {
    }

    bool entry(Entry&& entry) override;
    // After the last entry (`whole`: the file was read to its end): the
    // keys of the source the translation lacks, and what is still held.
    void finish(bool whole);

private:
    void count(const Entry& entry);
    PairChecks& checksFor(const std::optional<PlaceholderSyntaxes>& declared);
    Finding finding(RuleId id, const Entry& entry, std::string message) const;
    // Adds the findings of the line rules of `kind` about `entry` (`sourceLine`:
    // the line of a key of the source that the file lacks).
    void checkLines(LineKind kind, const Entry& entry,
                    std::optional<std::int32_t> sourceLine = std::nullopt);
    // Moves the findings of the rules, placed as in a dictionary's line,
    // to the entry's place in its file.
    void place(std::vector<Finding>& findings, std::size_t from, const Entry& entry) const;

    const RuleSelection& rules_;
    ConsistencyIndex* census_;
    bool counting_;
    SourceTexts* source_;
    const std::string& sourceName_;
    EntryCounts& counts_;
    TextDecoder decoder_ {TextEncoding::Utf8};
    FindingQueue queue_;
    LineRules lineRules_;
    std::map<unsigned long, std::unique_ptr<PairChecks>> checks_;
    std::unordered_set<std::string> unknownKeys_;
    std::unordered_set<std::string> pluralKeys_;  // keys the translation gives a plural form of
    std::int32_t lastLine_ = 1;
};

void EntryChecker::count(const Entry& entry)
{
    ++counts_.entries;
    switch (entry.state) {
    case EntryState::Translated: break;
    case EntryState::Fuzzy: ++counts_.fuzzy; break;
    case EntryState::Unfinished: ++counts_.unfinished; break;
    case EntryState::Obsolete: ++counts_.obsolete; break;
    case EntryState::NotTranslatable: ++counts_.notTranslatable; break;
    }
}

PairChecks& EntryChecker::checksFor(const std::optional<PlaceholderSyntaxes>& declared)
{
    PlaceholderSyntaxes syntaxes = rules_.placeholders;
    if (declared)
        syntaxes &= *declared;
    std::unique_ptr<PairChecks>& checks = checks_[syntaxes.bits()];
    if (!checks) {
        RuleSelection rules = rules_;
        rules.placeholders = syntaxes;
        checks = std::make_unique<PairChecks>(rules, decoder_);
    }
    return *checks;
}

Finding EntryChecker::finding(RuleId id, const Entry& entry, std::string message) const
{
    Finding f = makeFinding(id, std::max(entry.targetPlace.line, 1));
    f.source = decoder_.toUtf8(entry.source);
    f.translation = decoder_.toUtf8(entry.target);
    f.message = std::move(message);
    f.entry = decoder_.toUtf8(entry.key);
    if (entry.targetPlace.column > 0) {
        f.column = entry.targetPlace.column;
        f.characterColumn = entry.targetPlace.characterColumn > 0
                                ? entry.targetPlace.characterColumn
                                : entry.targetPlace.column;
    }
    return f;
}

void EntryChecker::checkLines(LineKind kind, const Entry& entry,
                              std::optional<std::int32_t> sourceLine)
{
    if (!lineRules_.any(kind))
        return;
    const PairText pair {entry.source, entry.target, 0, 0, 0};
    QuotedPair quoted(pair, decoder_);
    LineRuleContext context(kind, 0, quoted, Layout::Equals, decoder_.encoding());
    const std::string key = decoder_.toUtf8(entry.key);
    context.key = &key;
    context.sourceFile = sourceName_;
    context.sourceLine = sourceLine;
    std::vector<Finding>& out = queue_.next().findings;
    lineRules_.check(context, out);
    for (Finding& f : out)
        f = finding(f.rule, entry, std::move(f.message));
    queue_.push();
}

void EntryChecker::place(std::vector<Finding>& findings, std::size_t from,
                         const Entry& entry) const
{
    const formats::TextPlace& at = entry.targetPlace;
    const std::int32_t characterStart = at.characterColumn > 0 ? at.characterColumn : at.column;
    for (std::size_t i = from; i < findings.size(); ++i) {
        Finding& f = findings[i];
        f.line = std::max(at.line, 1);
        f.entry = decoder_.toUtf8(entry.key);
        if (at.column <= 0) {
            f.column.reset();
            f.characterColumn.reset();
        } else if (f.column && entry.targetVerbatim) {  // a place within the text
            f.column = at.column + *f.column - 1;
            f.characterColumn = characterStart + f.characterColumn.value_or(1) - 1;
        } else {
            f.column = at.column;
            f.characterColumn = characterStart;
        }
    }
}

bool EntryChecker::entry(Entry&& entry)
{
    if (!counting_) {
        count(entry);
        lastLine_ = std::max(lastLine_, entry.targetPlace.line);
    }
    if (entry.state != EntryState::Translated)
        return true;
    if (toRuleText(entry.target))
        entry.targetVerbatim = false;  // its offsets are no longer the file's
    toRuleText(entry.source);
    if (source_ != nullptr) {
        SourceTexts::Text* text = source_->find(entry.key);
        if (text == nullptr) {
            if (!counting_ && unknownKeys_.insert(entry.key).second) {
                ++counts_.unknownKeys;
                checkLines(kOnPair, entry);
            }
            return true;
        }
        if (!counting_) {
            text->seen = true;
            if (std::string_view base = pluralBase(entry.key); !base.empty())
                pluralKeys_.emplace(base);
        }
        if (!text->translatable)
            return true;
        entry.source = text->text;
    }
    const bool kept = !entry.target.empty() && entry.target == entry.source;
    if (entry.target.empty() || kept) {
        if (counting_)
            return true;
        if (!kept || !keptInEnglish(entry.source, entry.target))
            ++counts_.untranslated;
        checkLines(kOnUntranslated, entry);
        return true;
    }
    if (entry.source.empty())
        return true;
    PairText pair {entry.source, entry.target, std::max(entry.sourcePlace.line, 1),
                   std::max(entry.targetPlace.line, 1), 0};
    if (counting_) {
        if (census_ != nullptr)
            census_->count(pair.source, pair.translation, pair.translationLine);
        return true;
    }
    ++counts_.checked;
    FindingQueue::Entry& held = queue_.next();
    checksFor(entry.syntaxes).check(pair, held.findings);
    queue_.checkConsistency(held, pair.source, pair.translation, pair.translationLine);
    place(held.findings, 0, entry);
    queue_.push();
    return true;
}

void EntryChecker::finish(bool whole)
{
    if (!counting_ && whole && source_ != nullptr) {
        for (SourceTexts::Text& text : source_->texts()) {
            if (text.seen || !text.translatable)
                continue;
            if (std::string_view base = pluralBase(text.key); !base.empty() && pluralKeys_.count(std::string(base)) != 0)
                continue;  // a plural form the translation's language does not use
            ++counts_.missing;
            ++counts_.untranslated;
            Entry missing;
            missing.key = text.key;
            missing.source = text.text;
            missing.targetPlace = {lastLine_, 0, 0};
            checkLines(kOnUntranslated, missing, text.line);
        }
    }
    queue_.drain();
    if (counting_ && census_ != nullptr)
        census_->settle();
}

// The failure of reading `path`: its own, or where it breaks its format.
Error readFailure(const formats::ReadOutcome& outcome, const std::filesystem::path& path)
{
    if (outcome.io)
        return outcome.io;
    if (!outcome.parse)
        return Error();
    std::string where = displayPath(path);
    if (outcome.parse->place.line > 0) {
        where += ':' + std::to_string(outcome.parse->place.line);
        if (outcome.parse->place.column > 0)
            where += ':' + std::to_string(outcome.parse->place.column);
    }
    return Error(ErrorKind::Other, FileOp::Read, std::move(where), outcome.parse->expected);
}

}  // namespace

Error analyseTranslationFile(const DictionaryHeader& header, const TranslationFiles& files,
                             const ReportSettings& settings, FindingSink& sink,
                             FindingCounts& counts, EntryCounts& entries)
{
    entries = EntryCounts {};
    FindingTally tally(sink, settings.failOn);
    std::optional<BaselineMarker> marker;
    if (settings.baseline)
        marker.emplace(settings.baseline->forDictionary(header.path), tally);
    FindingSink& out = marker ? static_cast<FindingSink&>(*marker) : tally;
    const formats::FormatInfo& info = formats::formatInfo(files.format);
    const std::string name(info.name);
    if (info.reader == nullptr)
        return Error(ErrorKind::Other, FileOp::Read, displayPath(files.translation),
                     "this build of corvel-check does not read " + name + " files");
    std::optional<SourceTexts> source;
    std::string sourceName;
    if (info.needsSource) {
        if (!files.source)
            return Error(ErrorKind::Other, FileOp::Read, displayPath(files.translation),
                         "a " + name + " file holds one language: name its source with "
                         "--source SOURCE before it");
        source.emplace();
        sourceName = displayPath(*files.source);
        if (Error error = readFailure(info.reader(*files.source, *source), *files.source))
            return error;
    }
    const bool consistency = settings.rules.enabled(RuleId::InconsistentTranslation);
    std::error_code ec;
    const std::uintmax_t bytes = consistency ? std::filesystem::file_size(files.translation, ec) : 0;
    ConsistencyIndex census(ec ? 0 : static_cast<std::size_t>(bytes / kBytesPerEntry));
    if (consistency) {
        EntryCounts ignored;
        EntryChecker counting(settings.rules, out, &census, true,
                              source ? &*source : nullptr, sourceName, ignored);
        // A failure shows again in the report's pass, which says so.
        formats::ReadOutcome outcome = info.reader(files.translation, counting);
        counting.finish(!outcome.io && !outcome.parse);
    }
    EntryChecker checker(settings.rules, out, &census, false, source ? &*source : nullptr,
                         sourceName, entries);
    formats::ReadOutcome outcome = info.reader(files.translation, checker);
    checker.finish(!outcome.io && !outcome.parse);
    counts = tally.counts();
    return readFailure(outcome, files.translation);
}

}  // namespace corvel::report
