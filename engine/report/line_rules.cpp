#include "line_rules.h"

#include "text_kinds.h"

#include <bit>

namespace corvel::report {

bool LineRuleContext::sourceHoldsCjk() const
{
    if (!cjk_)
        cjk_ = holdsCjk(pair().source, encoding_);
    return *cjk_;
}

bool LineRuleContext::keptInEnglish() const
{
    if (!kept_) {
        const PairText& p = pair();
        kept_ = (key == nullptr || (!p.translation.empty() && p.translation == p.source)) &&
                report::keptInEnglish(p.source, p.translation);
    }
    return *kept_;
}

Finding LineRuleContext::finding(RuleId id, std::string message) const
{
    Finding finding = makeFinding(id, line_);
    quoted_.fill(finding);
    finding.message = std::move(message);
    return finding;
}

LineRules::LineRules(const RuleSelection& rules)
{
    for (const RuleInfo& rule : ruleCatalogue())
        if (rule.checkLine != nullptr && rules.enabled(rule.id))
            for (unsigned kinds = rule.firesOn; kinds != 0; kinds &= kinds - 1)
                byKind_[static_cast<std::size_t>(std::countr_zero(kinds))].push_back(&rule);
}

std::size_t LineRules::index(LineKind kind)
{
    return static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(kind)));
}

void LineRules::check(const LineRuleContext& line, std::vector<Finding>& out) const
{
    for (const RuleInfo* rule : byKind_[index(line.kind())])
        rule->checkLine(line, out);
}

}  // namespace corvel::report
