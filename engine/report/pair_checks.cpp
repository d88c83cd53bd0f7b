#include "pair_checks.h"

#include "byte_scan.h"
#include "gbk_chars.h"
#include "text_signs.h"

#include <algorithm>

namespace corvel::report {

namespace {

bool blankEnds(std::string_view text)
{
    return !text.empty() && (text.front() == ' ' || text.front() == '\t' || text.back() == ' ' ||
                             text.back() == '\t');
}

// Whether the translation holds a byte that a wrong conversion or an
// invisible control leaves.
bool mayHoldMarks(std::string_view text, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8) {
        for (char c : text) {
            auto b = static_cast<unsigned char>(c);
            if (b == 0xC2 || b == 0xC3 || b == 0xD8 || b == 0xE2)
                return true;
        }
        return false;
    }
    // UTF-8 read as GBK takes a character beyond GB2312, which holds one of
    // these bytes (UTF-8 has no bytes 0x40..0x7E inside a character).
    return holdsByteFrom80ToA0(text);
}

std::size_t characters(std::string_view text, const gbk::CharSteps& steps)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); i += steps.length(text, i))
        ++n;
    return n;
}

inline unsigned byteAndEnds(const PairFacts& pair)
{
    unsigned kinds = 0;
    if (((pair.sourceBytes | pair.translationBytes) & kPlaceholderStart) != 0)
        kinds |= kOnPlaceholder;
    if ((pair.sourceBytes & (kDigit | kFullwidthLead)) != 0)
        kinds |= kOnSourceNumber;
    if (blankEnds(pair.source) || blankEnds(pair.translation))
        kinds |= kOnBlankEnd;
    return kinds;
}

// Each kind's test, in the order of the list.
struct KindTestEntry {
    unsigned kind;
    KindTest test;
};
constexpr KindTestEntry kKindTests[] = {
#define CORVEL_LINE_KIND_TEST(kind, name, test) {k##kind, test},
    CORVEL_LINE_KINDS(CORVEL_LINE_KIND_TEST)
#undef CORVEL_LINE_KIND_TEST
};

}  // namespace

unsigned byteAndEndKinds(const PairFacts& pair)
{
    return byteAndEnds(pair);
}

unsigned markKinds(const PairFacts& pair)
{
    return mayHoldMarks(pair.translation, pair.encoding) ? unsigned{kOnMarks} : 0u;
}

PairRuleContext::PairRuleContext(const TextDecoder& decoder, PlaceholderRules& placeholderRules,
                                 PlaceholderComparison& placeholders, NumberRule& numberRule)
    : decoder_(decoder),
      steps_(decoder.encoding()),
      placeholderRules_(placeholderRules),
      placeholders_(placeholders),
      numberRule_(numberRule)
{
}

void PairRuleContext::reset(const PairText& pair, unsigned sourceKinds, unsigned translationKinds,
                            unsigned lineKinds)
{
    pair_ = &pair;
    quoted_.emplace(pair, decoder_);
    sourceKinds_ = sourceKinds;
    translationKinds_ = translationKinds;
    lineKinds_ = lineKinds;
    compared_ = false;
}

const PlaceholderComparison& PairRuleContext::placeholders()
{
    if (!compared_) {
        placeholderRules_.compare(pair_->source, pair_->translation, sourceKinds_,
                                  translationKinds_, placeholders_);
        compared_ = true;
    }
    return placeholders_;
}

Finding PairRuleContext::finding(RuleId id, std::string message)
{
    Finding f = makeFinding(id, pair_->translationLine);
    quoted_->fill(f);
    f.message = std::move(message);
    return f;
}

// In the equals layout the translation follows the source and its "=".
void PairRuleContext::setColumn(Finding& finding, std::size_t offset) const
{
    const PairText& pair = *pair_;
    finding.column = static_cast<std::int32_t>(pair.translationColumn + offset + 1);
    std::size_t before = pair.translationColumn == 0 ? 0 : characters(pair.source, steps_) + 1;
    finding.characterColumn = static_cast<std::int32_t>(
        before + characters(pair.translation.substr(0, offset), steps_) + 1);
}

// Each placeholder once, in the order met, with its count when repeated:
// "\"%s\", 44 x \"\\n\"".
std::string PairRuleContext::listPlaceholders(std::string_view text,
                                              const std::vector<Placeholder>& all,
                                              const std::vector<std::size_t>& which) const
{
    std::vector<std::pair<std::string, int>> counted;
    for (std::size_t index : which) {
        std::string quoted =
            quote(decoder_.toUtf8(text.substr(all[index].offset, all[index].length)));
        auto same = std::find_if(counted.begin(), counted.end(),
                                 [&](const auto& c) { return c.first == quoted; });
        if (same != counted.end())
            ++same->second;
        else
            counted.emplace_back(std::move(quoted), 1);
    }
    std::string out;
    for (const auto& [quoted, count] : counted) {
        if (!out.empty())
            out += ", ";
        if (count > 1)
            out += std::to_string(count) + " x ";
        out += quoted;
    }
    return out;
}

PairChecks::PairChecks(const RuleSelection& rules, const TextDecoder& decoder)
    : decoder_(decoder),
      placeholderRules_(decoder.encoding(), rules.placeholders),
      numberRule_(decoder.encoding()),
      context_(decoder, placeholderRules_, placeholders_, numberRule_)
{
    for (const RuleInfo& rule : ruleCatalogue())
        if (rule.checkPair != nullptr && rules.enabled(rule.id)) {
            selected_.push_back(&rule);
            firesOn_ |= rule.firesOn;
        }
    // byteAndEndKinds reads what every pair takes anyway: check() runs it
    // itself, where it is cheapest.
    for (const KindTestEntry& entry : kKindTests)
        if (entry.test != nullptr && entry.test != byteAndEndKinds &&
            (entry.kind & firesOn_) != 0 &&
            std::find(tests_.begin(), tests_.end(), entry.test) == tests_.end())
            tests_.push_back(entry.test);
}

// Most pairs hold none of the kinds the selected rules fire on: for them
// no pair rule can find anything.
void PairChecks::check(const PairText& pair, std::vector<Finding>& out)
{
    if (firesOn_ == 0)
        return;
    const PairFacts facts {pair.source, pair.translation,
                           byteKinds(pair.source, decoder_.encoding()),
                           byteKinds(pair.translation, decoder_.encoding()), decoder_.encoding()};
    unsigned lineKinds = byteAndEnds(facts);
    for (KindTest test : tests_)
        lineKinds |= test(facts);
    if ((lineKinds & firesOn_) == 0)
        return;
    context_.reset(pair, facts.sourceBytes, facts.translationBytes, lineKinds);
    for (const RuleInfo* rule : rulesFor(lineKinds & firesOn_))
        rule->checkPair(context_, out);
}

const std::vector<const RuleInfo*>& PairChecks::rulesFor(unsigned lineKinds)
{
    for (const FiringRules& kept : firing_)
        if (kept.lineKinds == lineKinds)
            return kept.rules;
    FiringRules& fresh = firing_[nextFiring_];
    nextFiring_ = (nextFiring_ + 1) % kKeptSets;
    fresh.lineKinds = lineKinds;
    fresh.rules.clear();
    for (const RuleInfo* rule : selected_)
        if ((rule->firesOn & lineKinds) != 0)
            fresh.rules.push_back(rule);
    return fresh.rules;
}

}  // namespace corvel::report
