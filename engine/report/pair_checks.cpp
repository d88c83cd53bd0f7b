#include "pair_checks.h"

#include "byte_scan.h"
#include "gbk_chars.h"
#include "text_marks.h"
#include "whitespace_rule.h"

#include <cstdio>

namespace corvel::report {

namespace {

bool blankEnds(std::string_view text)
{
    return !text.empty() && (text.front() == ' ' || text.front() == '\t' || text.back() == ' ' ||
                             text.back() == '\t');
}

const std::vector<Placeholder> kNone;

}  // namespace

// Most pairs hold no placeholder, no blank at either end and only numbers
// that the translation repeats: for them no rule can find anything.
bool PairChecks::plainPair(std::string_view source, std::string_view translation,
                           unsigned sourceKinds, unsigned translationKinds) const
{
    if (((sourceKinds | translationKinds) & kPlaceholderStart) != 0 || blankEnds(source) ||
        blankEnds(translation))
        return false;
    return (sourceKinds & (kDigit | kFullwidthLead)) == 0 || !wants(RuleId::NumberMismatch) ||
           NumberRule::plainNumbersPresent(source, kNone, translation, kNone);
}

PairChecks::PairChecks(const RuleSelection& rules, const TextDecoder& decoder)
    : rules_(rules),
      decoder_(decoder),
      steps_(decoder.encoding()),
      any_(wants(RuleId::PlaceholderMismatch) || wants(RuleId::FullwidthPlaceholder) ||
           wants(RuleId::WhitespaceMismatch) || wants(RuleId::NumberMismatch)),
      marks_(wants(RuleId::Mojibake) || wants(RuleId::ControlChar)),
      placeholderRules_(decoder.encoding()),
      numberRule_(decoder.encoding())
{
}

void PairChecks::check(const PairText& pair, std::vector<Finding>& out)
{
    if (any_)
        checkContent(pair, out);
    if (marks_)
        checkMarks(pair, out);
}

void PairChecks::checkContent(const PairText& pair, std::vector<Finding>& out)
{
    unsigned sourceKinds = byteKinds(pair.source, decoder_.encoding());
    unsigned translationKinds = byteKinds(pair.translation, decoder_.encoding());
    if (plainPair(pair.source, pair.translation, sourceKinds, translationKinds))
        return;
    QuotedPair quoted(pair, decoder_);
    bool placeholders = wants(RuleId::PlaceholderMismatch) || wants(RuleId::FullwidthPlaceholder);
    bool numbers = wants(RuleId::NumberMismatch) && (sourceKinds & (kDigit | kFullwidthLead));
    if (placeholders || numbers)
        placeholderRules_.compare(pair.source, pair.translation, sourceKinds, translationKinds,
                                  placeholders_);
    if (placeholders)
        checkPlaceholders(quoted, out);
    if (wants(RuleId::WhitespaceMismatch))
        checkWhitespace(quoted, out);
    if (numbers)
        checkNumbers(quoted, out);
}

Finding PairChecks::finding(RuleId id, QuotedPair& quoted, std::string message)
{
    Finding f = makeFinding(id, quoted.pair().translationLine);
    quoted.fill(f);
    f.message = std::move(message);
    return f;
}

namespace {

std::size_t characters(std::string_view text, const gbk::CharSteps& steps)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); i += steps.length(text, i))
        ++n;
    return n;
}

}  // namespace

// In the equals layout the translation follows the source and its "=".
void PairChecks::setColumn(Finding& finding, const PairText& pair, std::size_t offset) const
{
    finding.column = static_cast<std::int32_t>(pair.translationColumn + offset + 1);
    std::size_t before = pair.translationColumn == 0 ? 0 : characters(pair.source, steps_) + 1;
    finding.characterColumn = static_cast<std::int32_t>(
        before + characters(pair.translation.substr(0, offset), steps_) + 1);
}

std::string PairChecks::listPlaceholders(std::string_view text,
                                         const std::vector<Placeholder>& all,
                                         const std::vector<std::size_t>& which) const
{
    std::string out;
    for (std::size_t index : which) {
        if (!out.empty())
            out += ", ";
        out += quote(decoder_.toUtf8(text.substr(all[index].offset, all[index].length)));
    }
    return out;
}

void PairChecks::checkPlaceholders(QuotedPair& quoted, std::vector<Finding>& out)
{
    const PairText& pair = quoted.pair();
    const PlaceholderComparison& c = placeholders_;
    if (c.mismatch() && wants(RuleId::PlaceholderMismatch)) {
        std::string message;
        if (!c.missing.empty())
            message = "missing from the translation: " +
                      listPlaceholders(pair.source, c.source, c.missing);
        if (!c.extra.empty())
            message += (message.empty() ? "" : "; ") + std::string("not in the source: ") +
                       listPlaceholders(pair.translation, c.translation, c.extra);
        Finding f = finding(RuleId::PlaceholderMismatch, quoted, std::move(message));
        if (!c.extra.empty())
            setColumn(f, pair, c.translation[c.extra.front()].offset);
        out.push_back(std::move(f));
    }
    if (!c.lookAlikes.empty() && wants(RuleId::FullwidthPlaceholder)) {
        std::string message = "full-width look-alike in the translation: ";
        for (std::size_t i = 0; i < c.lookAlikes.size(); ++i) {
            const Placeholder& p = c.translation[c.lookAlikes[i]];
            std::string_view bytes = pair.translation.substr(p.offset, p.length);
            message += (i > 0 ? ", " : "") + quote(decoder_.toUtf8(bytes)) + " for " +
                       quote(halfWidthForm(bytes, decoder_.encoding()));
        }
        Finding f = finding(RuleId::FullwidthPlaceholder, quoted, std::move(message));
        setColumn(f, pair, c.translation[c.lookAlikes.front()].offset);
        out.push_back(std::move(f));
    }
}

void PairChecks::checkWhitespace(QuotedPair& quoted, std::vector<Finding>& out)
{
    const PairText& pair = quoted.pair();
    std::optional<WhitespaceDifference> d = compareWhitespace(pair.source, pair.translation, decoder_.encoding());
    if (!d)
        return;
    std::string message;
    if (d->leading)
        message = "the source starts with " + describeWhitespace(d->sourceLeading) +
                  ", the translation with " + describeWhitespace(d->translationLeading);
    if (d->trailing)
        message += (message.empty() ? "" : "; ") + std::string("the source ends with ") +
                   describeWhitespace(d->sourceTrailing) + ", the translation with " +
                   describeWhitespace(d->translationTrailing);
    Finding f = finding(RuleId::WhitespaceMismatch, quoted, std::move(message));
    std::size_t offset = d->leading ? 0 : pair.translation.size() - d->translationTrailing.size();
    setColumn(f, pair, offset);
    out.push_back(std::move(f));
}

void PairChecks::checkNumbers(QuotedPair& quoted, std::vector<Finding>& out)
{
    const PairText& pair = quoted.pair();
    numberRule_.findMissing(pair.source, placeholders_.source, pair.translation,
                            placeholders_.translation, missingNumbers_);
    if (missingNumbers_.empty())
        return;
    std::string list;
    for (std::size_t i = 0; i < missingNumbers_.size(); ++i) {
        if (i > 0)
            list += i + 1 == missingNumbers_.size() ? " and " : ", ";
        list += missingNumbers_[i];
    }
    bool one = missingNumbers_.size() == 1;
    out.push_back(finding(RuleId::NumberMismatch, quoted,
                          (one ? "number " : "numbers ") + list + " of the source " +
                              (one ? "is" : "are") + " missing from the translation"));
}

// The marks of a wrong conversion and the invisible controls that the scan
// of the file's bytes leaves to the text: it sees bytes, not what an
// earlier conversion made of them.
void PairChecks::checkMarks(const PairText& pair, std::vector<Finding>& out)
{
    const std::string_view text = pair.translation;
    const bool utf8 = decoder_.encoding() == TextEncoding::Utf8;
    if (wants(RuleId::Mojibake)) {
        std::optional<std::size_t> at;
        const char* what = nullptr;
        if (!utf8) {
            at = findUtf8ReadAsGbk(text);
            what = "UTF-8 text read as GBK (such as \u93C2\u56E6\u6B22 for \u6587\u4EF6)";
        } else if (text.find('\xC3') != std::string_view::npos) {
            at = findUtf8ReadAsLatin1(text);
            what = "UTF-8 text read as Latin-1 or Windows-1252 (such as \u00C3\u00A9 for \u00E9)";
        }
        if (at) {
            QuotedPair quoted(pair, decoder_);
            Finding f = finding(RuleId::Mojibake, quoted, what);
            setColumn(f, pair, *at);
            out.push_back(std::move(f));
        }
    }
    if (utf8 && wants(RuleId::ControlChar)) {
        if (auto control = findNewInvisibleControl(pair.source, text)) {
            char code[12];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(control->code));
            QuotedPair quoted(pair, decoder_);
            Finding f = finding(RuleId::ControlChar, quoted,
                                std::string("invisible control character ") + code +
                                    " in the translation, which its source does not hold");
            setColumn(f, pair, control->offset);
            out.push_back(std::move(f));
        }
    }
}

}  // namespace corvel::report
