#include "placeholder_rules.h"

#include "corvel/report/half_width.h"
#include "report/pair_text.h"

#include "report/byte_scan.h"
#include "report/gbk_chars.h"

#include <algorithm>

namespace corvel::report {

namespace {

std::string_view trimSpaces(std::string_view text)
{
    std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos)
        return {};
    std::size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end + 1 - begin);
}

void sortByKey(const std::vector<Placeholder>& found, std::vector<std::size_t>& order)
{
    order.resize(found.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return found[a].key < found[b].key; });
}

}  // namespace

void PlaceholderComparison::clear()
{
    source.clear();
    translation.clear();
    missing.clear();
    extra.clear();
    lookAlikes.clear();
}

void PlaceholderRules::compare(std::string_view source, std::string_view translation,
                               PlaceholderComparison& result)
{
    compare(source, translation, byteKinds(source, encoding_), byteKinds(translation, encoding_),
            result);
}

void PlaceholderRules::compare(std::string_view source, std::string_view translation,
                               unsigned sourceKinds, unsigned translationKinds,
                               PlaceholderComparison& result)
{
    result.clear();
    if (sourceKinds & kPlaceholderStart) {
        scanner_.scan(source, false, result.source);
        keepRecognised(result.source);
    }
    bool lookAlikes = !result.source.empty();
    if (translationKinds & (lookAlikes ? kPlaceholderStart | kFullwidthLead : kPlaceholderStart)) {
        scanner_.scan(translation, lookAlikes, result.translation);
        keepRecognised(result.translation);
    }
    // Each side's label is one only when the other side does not use it as
    // a placeholder ("{0}" against "{0} 个").
    const bool sourceLabel = isLabel(source, result.source, result.translation);
    if (isLabel(translation, result.translation, result.source))
        result.translation.clear();
    if (sourceLabel)
        result.source.clear();
    if (result.source.empty() && result.translation.empty())
        return;
    settleReadings(result.source, result.translation);
    // A look-alike that no source placeholder explains is ordinary text.
    std::erase_if(result.translation, [&](const Placeholder& p) {
        return p.fullwidth &&
               std::none_of(result.source.begin(), result.source.end(),
                            [&](const Placeholder& s) { return s.key == p.key; });
    });
    for (std::size_t i = 0; i < result.translation.size(); ++i)
        if (result.translation[i].fullwidth)
            result.lookAlikes.push_back(i);
    match(result);
}

// Drops the placeholders of the syntaxes not recognised. Where Qt is and
// printf is not, %1d is Qt's %1 and a letter; where printf is and Qt is
// not, it stays a printf conversion.
void PlaceholderRules::keepRecognised(std::vector<Placeholder>& found) const
{
    if (syntaxes_.all())
        return;
    for (Placeholder& p : found)
        if (p.kind == PlaceholderKind::Printf && !syntaxes_.has(PlaceholderKind::Printf) &&
            p.positional && syntaxes_.has(PlaceholderKind::Qt)) {
            p.kind = PlaceholderKind::Qt;  // %2$s names argument 2 as Qt's %2 does
            p.key.resize(p.key.find('$'));
        } else if (p.kind == PlaceholderKind::Printf && !syntaxes_.has(PlaceholderKind::Printf))
            readAsQt(p);
        else if (!syntaxes_.has(PlaceholderKind::Qt))
            p.qtLength = 0;
    std::erase_if(found, [&](const Placeholder& p) { return !syntaxes_.has(p.kind); });
}

// A text that is one brace group alone ("{unset}") is a label shown as it
// is, not a format with one placeholder, unless `other` (the other text of
// the pair) holds the same group.
bool PlaceholderRules::isLabel(std::string_view text, const std::vector<Placeholder>& found,
                               const std::vector<Placeholder>& other)
{
    if (found.size() != 1 || found[0].kind != PlaceholderKind::Brace)
        return false;
    std::string_view trimmed = trimSpaces(text);
    if (trimmed.data() - text.data() != static_cast<std::ptrdiff_t>(found[0].offset) ||
        trimmed.size() != found[0].length)
        return false;
    return std::none_of(other.begin(), other.end(),
                        [&](const Placeholder& p) { return p.key == found[0].key; });
}

// Multiset difference by key, in text order on each side.
void PlaceholderRules::match(PlaceholderComparison& result)
{
    sortByKey(result.source, sourceOrder_);
    sortByKey(result.translation, translationOrder_);
    std::size_t s = 0;
    std::size_t t = 0;
    while (s < sourceOrder_.size() || t < translationOrder_.size()) {
        if (t == translationOrder_.size() ||
            (s < sourceOrder_.size() &&
             result.source[sourceOrder_[s]].key < result.translation[translationOrder_[t]].key)) {
            result.missing.push_back(sourceOrder_[s++]);
        } else if (s == sourceOrder_.size() ||
                   result.translation[translationOrder_[t]].key <
                       result.source[sourceOrder_[s]].key) {
            result.extra.push_back(translationOrder_[t++]);
        } else {
            ++s;
            ++t;
        }
    }
    std::sort(result.missing.begin(), result.missing.end());
    std::sort(result.extra.begin(), result.extra.end());
}

PlaceholderComparison comparePlaceholders(std::string_view source, std::string_view translation,
                                          TextEncoding encoding)
{
    PlaceholderRules rules(encoding);
    PlaceholderComparison result;
    rules.compare(source, translation, result);
    return result;
}

std::string halfWidthForm(std::string_view bytes, TextEncoding encoding)
{
    const gbk::CharSteps steps(encoding);
    std::string out;
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::size_t length = steps.length(bytes, i);
        char half = length > 1 ? gbk::halfWidthOf(steps.wideAt(bytes, i)) : 0;
        if (half != 0)
            out += half;
        else
            out.append(bytes.substr(i, length));
        i += length;
    }
    return out;
}

std::optional<std::string> halfWidthTranslation(std::string_view source,
                                                std::string_view translation,
                                                TextEncoding encoding)
{
    PlaceholderComparison result = comparePlaceholders(source, translation, encoding);
    if (result.lookAlikes.empty())
        return std::nullopt;
    std::string out;
    std::size_t copied = 0;
    for (std::size_t index : result.lookAlikes) {
        const Placeholder& p = result.translation[index];
        out.append(translation.substr(copied, p.offset - copied));
        out += halfWidthForm(translation.substr(p.offset, p.length), encoding);
        copied = p.offset + p.length;
    }
    out.append(translation.substr(copied));
    return out;
}

std::string halfWidthLine(const std::string& source, const std::string& line, Layout layout,
                          TextEncoding encoding)
{
    if (layout == Layout::LinePairs) {
        auto fixed = halfWidthTranslation(source, line, encoding);
        return fixed ? *fixed : line;
    }
    PairText pair = equalsPair(line, 1);
    if (pair.translationColumn + pair.translation.size() != line.size())
        return line;
    auto fixed = halfWidthTranslation(pair.source, pair.translation, encoding);
    return fixed ? line.substr(0, pair.translationColumn) + *fixed : line;
}

}  // namespace corvel::report
