#include "corvel/report/rule_selection.h"

namespace corvel::report {

namespace {

// Calls `take` for each ID of a comma-separated list; false with `error`
// set at the first unknown one.
template <typename Take>
bool forEachRule(const std::string& list, std::string& error, Take take)
{
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t comma = list.find(',', start);
        if (comma == std::string::npos)
            comma = list.size();
        std::string_view name(list.data() + start, comma - start);
        if (!name.empty()) {
            std::optional<RuleId> id = findRule(name);
            if (!id) {
                error = "unknown rule \"" + std::string(name) + "\"";
                return false;
            }
            take(*id);
        }
        start = comma + 1;
    }
    return true;
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
        if (!forEachRule(list, error, [&](RuleId id) { selection.set(id, true); }))
            return RuleSelection();
    for (const std::string& list : disable)
        if (!forEachRule(list, error, [&](RuleId id) { selection.set(id, false); }))
            return RuleSelection();
    return selection;
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
