// Every rule of the report: its stable English ID (never translated), its
// severity, its descriptions, its examples, what it fires on and its
// checks. A rule of any kind is one file in rules/ plus its line in
// CORVEL_RULES; the SARIF writer, `corvel-check --list-rules` and
// docs/report.md (generated from it) list the same table.
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

// How an example's texts become the file the checker reads.
enum class ExampleFile : unsigned char {
    LinePairs,    // each source on an odd line, its translation on the next
    EqualsLines,  // "source=translation" lines, checked with --equals
    Bytes,        // the source is the file's bytes exactly; no translation
    Properties,   // the source and the translation are .properties files (--source)
};

// A case of a rule, shown in docs/report.md and run by the tests: a firing
// example gives the rule's finding, a near miss (close to it, but sound)
// gives none. Texts are UTF-8; a dictionary's are written as GBK unless
// the options say --encoding utf-8, and its lines end in CR LF. Several
// lines in the source and the translation make as many pairs.
struct RuleExample {
    bool fires;
    std::string_view source;
    std::string_view translation;
    ExampleFile file = ExampleFile::LinePairs;
    std::string_view options = {};    // what it needs, such as "--enable kept-in-english"
    std::size_t sourceRepeatedTo = 0;  // the source repeated to this many bytes
};

struct RuleInfo {
    RuleId id;
    std::string_view name;         // "placeholder-mismatch"
    Severity severity;
    bool onByDefault;              // off: only when an option turns it on
    unsigned firesOn;              // a set of LineKind
    std::string_view summary;      // one short sentence
    std::string_view description;  // what the rule finds, where, and what it leaves alone
    std::span<const RuleExample> examples;  // at least one firing example and one near miss
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
// The same for a rule of the bytes, at byte column `column`, with its
// message about what the encoding scan noted.
Finding makeFinding(RuleId id, std::int32_t line, std::int32_t column,
                    const encoding::ByteNote& note);

}  // namespace corvel::report
