#include "corvel/report/rule_catalogue.h"

#include "line_kinds.h"

#include <array>

namespace corvel::report {

namespace {

// Copies of the rules' own declarations, which are constant-initialized
// and so ready before anything runs.
const std::array<RuleInfo, kRuleCount>& table()
{
#define CORVEL_RULE_ENTRY(rule) rules::rule,
    static const std::array<RuleInfo, kRuleCount> rules {{CORVEL_RULES(CORVEL_RULE_ENTRY)}};
#undef CORVEL_RULE_ENTRY
    return rules;
}

constexpr std::array<std::string_view, kLineKindCount> kLineKindNames {
#define CORVEL_LINE_KIND_NAME(kind, name, test) name,
    CORVEL_LINE_KINDS(CORVEL_LINE_KIND_NAME)
#undef CORVEL_LINE_KIND_NAME
};

}  // namespace

std::vector<std::string_view> lineKindNames(unsigned kinds)
{
    std::vector<std::string_view> names;
    for (std::size_t bit = 0; bit < kLineKindNames.size(); ++bit)
        if ((kinds & (1u << bit)) != 0)
            names.push_back(kLineKindNames[bit]);
    return names;
}

std::span<const RuleInfo> ruleCatalogue()
{
    return table();
}

const RuleInfo& ruleInfo(RuleId id)
{
    return table()[static_cast<std::size_t>(id)];
}

std::optional<RuleId> findRule(std::string_view name)
{
    for (const RuleInfo& rule : table())
        if (rule.name == name)
            return rule.id;
    return std::nullopt;
}

Finding makeFinding(RuleId id, std::int32_t line)
{
    const RuleInfo& info = ruleInfo(id);
    Finding finding;
    finding.rule = id;
    finding.severity = info.severity;
    finding.line = line;
    return finding;
}

Finding makeFinding(RuleId id, std::int32_t line, std::int32_t column,
                    const encoding::ByteNote& note)
{
    Finding finding = makeFinding(id, line);
    finding.column = column;
    finding.message = ruleInfo(id).describeBytes(note);
    return finding;
}

}  // namespace corvel::report
