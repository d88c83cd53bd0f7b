#include "finding_merge.h"

#include "gbk_chars.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace corvel::report {

FindingMerge::FindingMerge(FindingSink& out, const RuleSelection& rules,
                           std::function<std::int64_t()> settled)
    : out_(out), settled_(std::move(settled)), early_(*this, rules)
{
}

bool FindingMerge::Early::add(Finding finding)
{
    if (rules_.enabled(finding.rule))
        merge_.takeEarly(std::move(finding));
    return merge_.goOn_;
}

bool FindingMerge::add(Finding finding)
{
    late_.push_back(std::move(finding));
    releaseLate(settled_());
    return goOn_;
}

namespace {

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

}  // namespace

namespace {

std::int32_t lastLineOf(const PairText& pair)
{
    return std::max(pair.sourceLine, pair.translationLine);
}

}  // namespace

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

}  // namespace corvel::report
