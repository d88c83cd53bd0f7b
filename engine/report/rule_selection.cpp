#include "corvel/report/rule_selection.h"

#include <array>
#include <optional>

namespace corvel::report {

namespace {

// Calls `take` for each name of a comma-separated list that `find` knows
// (`find` gives an optional); false with `error` set at the first unknown
// one, or when the list names nothing.
template <typename Find, typename Take>
bool forEachName(std::string_view list, std::string_view what, std::string& error, Find find,
                 Take take)
{
    std::size_t start = 0;
    bool named = false;
    while (start <= list.size()) {
        std::size_t comma = list.find(',', start);
        if (comma == std::string::npos)
            comma = list.size();
        std::string_view name = list.substr(start, comma - start);
        if (!name.empty()) {
            auto id = find(name);
            if (!id) {
                error = "unknown " + std::string(what) + " \"" + std::string(name) + "\"";
                return false;
            }
            take(*id);
            named = true;
        }
        start = comma + 1;
    }
    // "--enable ," would otherwise turn every rule off without a word.
    if (!named)
        error = "the list \"" + std::string(list) + "\" names no " + std::string(what);
    return named;
}

constexpr std::array<std::string_view, kPlaceholderSyntaxCount> kSyntaxNames {
    "printf", "qt", "brace", "escape", "tag", "section", "argument"};

std::optional<PlaceholderSyntax> findSyntax(std::string_view name)
{
    for (std::size_t i = 0; i < kSyntaxNames.size(); ++i)
        if (kSyntaxNames[i] == name)
            return static_cast<PlaceholderSyntax>(i);
    return std::nullopt;
}

}  // namespace

RuleSelection::RuleSelection()
{
    for (const RuleInfo& rule : ruleCatalogue())
        set(rule.id, rule.onByDefault);
}

RuleSelection RuleSelection::fromLists(const std::vector<std::string>& enable,
                                       const std::vector<std::string>& disable,
                                       std::string& error)
{
    error.clear();
    RuleSelection selection;
    if (!enable.empty())
        selection.on_.reset();
    for (const std::string& list : enable)
        if (!forEachName(list, "rule", error, findRule,
                         [&](RuleId id) { selection.set(id, true); }))
            return RuleSelection();
    for (const std::string& list : disable)
        if (!forEachName(list, "rule", error, findRule,
                         [&](RuleId id) { selection.set(id, false); }))
            return RuleSelection();
    return selection;
}

bool PlaceholderSyntaxes::addList(std::string_view list, std::string& error)
{
    if (!narrowed_)
        on_.reset();
    narrowed_ = true;
    return forEachName(list, "placeholder syntax", error, findSyntax,
                       [&](PlaceholderSyntax s) { on_.set(static_cast<std::size_t>(s)); });
}

bool parseFailOn(std::string_view text, FailOn& failOn)
{
    if (text == "error")
        failOn = FailOn::Error;
    else if (text == "warning")
        failOn = FailOn::Warning;
    else
        return false;
    return true;
}

bool countsAsFailure(const Finding& finding, FailOn failOn)
{
    if (finding.baseline)
        return false;
    return finding.severity == Severity::Error || failOn == FailOn::Warning;
}

}  // namespace corvel::report
