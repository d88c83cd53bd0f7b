#include "../pair_checks.h"

namespace corvel::report::rules {

namespace {

// The offset of the first run of two or more spaces between two other
// characters, or npos. Spaces are below every GBK trail byte.
std::size_t innerDoubleSpace(std::string_view text)
{
    for (std::size_t at = text.find("  "); at != std::string_view::npos;
         at = text.find("  ", at + 1)) {
        std::size_t end = at;
        while (end < text.size() && text[end] == ' ')
            ++end;
        if (at > 0 && text[at - 1] != '\t' && end < text.size() && text[end] != '\t')
            return at;
        at = end;
    }
    return std::string_view::npos;
}

void check(PairRuleContext& context, std::vector<Finding>& out)
{
    const PairText& pair = context.pair();
    const std::size_t at = innerDoubleSpace(pair.translation);
    // Spaces that align columns in the source may do so in the translation.
    if (at == std::string_view::npos || pair.source.find("  ") != std::string_view::npos)
        return;
    std::size_t end = at;
    while (end < pair.translation.size() && pair.translation[end] == ' ')
        ++end;
    Finding f = context.finding(RuleId::DoubledSpace, std::to_string(end - at) +
                                                          " spaces in a row inside the translation");
    context.setColumn(f, at);
    out.push_back(std::move(f));
}

}  // namespace

constexpr RuleExample kDoubledSpaceExamples[] {
    {true, "Open file", "打开  文件"},
    {false, "Name  Size", "名称  大小"},
};

constinit const RuleInfo DoubledSpace {
    RuleId::DoubledSpace, "doubled-space", Severity::Warning, true, kOnDoubleSpace,
    "The translation holds two or more spaces in a row.",
    "Two or more spaces in a row between two characters of the translation, where the source "
    "holds no two spaces in a row anywhere (a source that aligns columns with spaces may have "
    "its translation do the same). Spaces at the start or the end are whitespace-mismatch's. "
    "Reported at the first of the spaces.",
    kDoubledSpaceExamples,
    check};

}  // namespace corvel::report::rules
