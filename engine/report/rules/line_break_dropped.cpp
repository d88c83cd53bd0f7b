#include "../pair_checks.h"

#include <cstring>

namespace corvel::report::rules {

namespace {

// One run of line breaks in a row ("\n", "\r\n", "<br>", "\n\n"), by
// placeholder index.
struct BreakRun {
    std::size_t first = 0;  // byte offset of its first break
    std::size_t end = 0;    // just after its last one
    std::size_t breaks = 0;
};

std::vector<BreakRun> breakRuns(std::string_view text, const std::vector<Placeholder>& all)
{
    std::vector<BreakRun> runs;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Placeholder& p = all[i];
        if (!isLineBreak(p))
            continue;
        // The \r of an escaped \r\n is the \n's break.
        if (p.key == "\\r" && i + 1 < all.size() && all[i + 1].key == "\\n" &&
            all[i + 1].offset == p.offset + 2)
            continue;
        std::size_t gapStart = runs.empty() ? std::string_view::npos : runs.back().end;
        bool joined = gapStart != std::string_view::npos && gapStart <= p.offset;
        for (std::size_t k = gapStart; joined && k < p.offset; ++k)
            joined = text[k] == ' ' || text[k] == '\t' || (text[k] == '\\' && k + 1 < p.offset &&
                                                            text[k + 1] == 'r' && ++k);
        if (joined) {
            runs.back().end = p.offset + p.length;
            ++runs.back().breaks;
        } else {
            runs.push_back({p.offset, p.offset + p.length, 1});
        }
    }
    return runs;
}

bool placeholderStart(char c)
{
    return c != '\0' && std::strchr("%{$@<", c) != nullptr;
}

// Whether a break run of the source parts what a reader must see apart: it
// starts or ends the text, ends a sentence or a label (. ! ? : ;), or comes
// before a value (a placeholder or a number). A break inside a sentence
// wraps a long text, which a translation rightly wraps its own way.
bool matters(std::string_view text, const BreakRun& run)
{
    std::size_t before = run.first;
    while (before > 0 && (text[before - 1] == ' ' || text[before - 1] == '\t'))
        --before;
    std::size_t after = run.end;
    while (after < text.size() && (text[after] == ' ' || text[after] == '\t'))
        ++after;
    if (before == 0 || after == text.size())
        return true;
    if (std::strchr(".!?:;", text[before - 1]) != nullptr)
        return true;
    const char next = text[after];
    // A line that starts with a capital after one that ends in a word: a
    // list of lines ("Locks drawers\nHold in off-hand to lock").
    const char last = text[before - 1];
    const bool newLine = next >= 'A' && next <= 'Z' && last >= 'a' && last <= 'z';
    return newLine || placeholderStart(next) || (next >= '0' && next <= '9');
}

void check(PairRuleContext& context, std::vector<Finding>& out)
{
    const PairText& pair = context.pair();
    const PlaceholderComparison& c = context.placeholders();
    if (c.missing.empty() && c.extra.empty())
        return;
    const std::vector<BreakRun> source = breakRuns(pair.source, c.source);
    const std::vector<BreakRun> translation = breakRuns(pair.translation, c.translation);
    bool sourceBlank = false;
    for (const BreakRun& run : source)
        sourceBlank = sourceBlank || run.breaks > 1;
    for (const BreakRun& run : translation) {
        if (run.breaks > 1 && !sourceBlank) {
            Finding f = context.finding(RuleId::LineBreakDropped,
                                        "a blank line the source does not have");
            context.setColumn(f, run.first);
            out.push_back(std::move(f));
            return;
        }
    }
    if (translation.size() >= source.size())
        return;
    for (const BreakRun& run : source)
        if (!matters(pair.source, run))
            return;  // a wrapped text: the translation wraps its own way
    out.push_back(context.finding(
        RuleId::LineBreakDropped,
        "a line break that parts sentences or comes before a value is dropped: the source "
        "breaks its text at " + std::to_string(source.size()) + " place" +
            (source.size() == 1 ? "" : "s") + ", the translation at " +
            std::to_string(translation.size())));
}

}  // namespace

constexpr RuleExample kLineBreakDroppedExamples[] {
    {true, "Done.\\nRestart now.", "完成。现在重启。"},
    {false, "Done.\\nRestart now.", "完成。\\n现在重启。"},
};

constinit const RuleInfo LineBreakDropped {
    RuleId::LineBreakDropped, "line-break-dropped", Severity::Warning, true, kOnPlaceholder,
    "A line break between sentences or before a value is dropped, or a blank line added.",
    "The source breaks its text (\\n, \\r\\n, <br>; a run of breaks in a row counts once) only "
    "where a reader must see the parts apart: at its start or end, after a sentence or a label "
    "(. ! ? : ;), before a line that starts with a capital, or before a value (a placeholder "
    "or a number), and the translation breaks it "
    "at fewer places; or the translation adds a blank line (two breaks in a row) where the "
    "source has none. A source that also breaks inside a sentence is wrapped text, which a "
    "translation rightly wraps its own way: that and every other difference of line breaks "
    "is left to line-break-mismatch, off by default, which reports them all.",
    kLineBreakDroppedExamples,
    check};

}  // namespace corvel::report::rules
