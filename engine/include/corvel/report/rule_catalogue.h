// Every rule of the report: its stable English ID (never translated), its
// severity, its descriptions, what it fires on and its checks. A rule of
// any kind is one file in rules/ plus its line in CORVEL_RULES; the SARIF
// writer, `corvel-check --list-rules` and docs/report.md (held to it by a
// test) list the same table.
#pragma once

#include "corvel/report/finding.h"
#include "corvel/report/rule_id.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvel::encoding {
struct ByteNote;
}

namespace corvel::report {

// The names of a set of the kinds a rule fires on (LineKind, listed with
// their tests in the engine), for --list-rules=json: "empty", "placeholder", ...
std::vector<std::string_view> lineKindNames(unsigned kinds);

class PairRuleContext;
class LineRuleContext;
struct DictionaryVerdict;

struct RuleInfo {
    RuleId id;
    std::string_view name;         // "placeholder-mismatch"
    Severity severity;
    bool onByDefault;              // off: only when an option turns it on
    unsigned firesOn;              // a set of LineKind
    std::string_view summary;      // one short sentence
    std::string_view description;  // what the rule finds, where, and what it leaves alone
    // A rule has the hook of each kind of thing it fires on; null for the
    // other kinds.
    // A pair weighed on its own: appends what the pair at hand holds of
    // this rule's findings.
    void (*checkPair)(PairRuleContext& pair, std::vector<Finding>& out) = nullptr;
    // A line of the check log with a class or its stop, a pair with a line
    // too long to weigh, the first pair of a shifted run; in a translation
    // file an entry left untranslated or a key its source lacks: appends
    // this rule's finding about it, if any.
    void (*checkLine)(const LineRuleContext& line, std::vector<Finding>& out) = nullptr;
    // The bytes of the file: the message of what the encoding scan noted of
    // this rule in one line (or, for the file's kind, at its start).
    std::string (*describeBytes)(const encoding::ByteNote& note) = nullptr;
    // A pair weighed against every pair of the dictionary: the message of
    // the finding the census's verdict makes, or none.
    std::optional<std::string> (*checkDictionary)(const DictionaryVerdict& verdict) = nullptr;
};

namespace rules {
#define CORVEL_RULE_DECLARE(rule) extern const RuleInfo rule;
CORVEL_RULES(CORVEL_RULE_DECLARE)
#undef CORVEL_RULE_DECLARE
}  // namespace rules

// The whole table, in RuleId order.
std::span<const RuleInfo> ruleCatalogue();
const RuleInfo& ruleInfo(RuleId id);
std::optional<RuleId> findRule(std::string_view name);

// A finding of `id` with its name and severity filled in.
Finding makeFinding(RuleId id, std::int32_t line);
// The same for a rule of the bytes, with its message about `note`.
Finding makeFinding(RuleId id, std::int32_t line, const encoding::ByteNote& note);

}  // namespace corvel::report
