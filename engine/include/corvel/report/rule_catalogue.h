// Every rule of the report: its stable English ID (never translated), its
// severity, its descriptions, its examples, what it fires on and, for the
// rules that weigh a pair on its own, its check. A rule is one file in
// rules/ plus its line in CORVEL_RULES; the SARIF writer, `corvel-check
// --list-rules` and docs/report.md (generated from it) list the same table.
#pragma once

#include "corvel/report/finding.h"
#include "corvel/report/rule_id.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace corvel::report {

// What a rule fires on: a class of the check log, something a pair holds,
// or the bytes of the file. The analyser weighs a pair with the pair rules
// only when the pair holds something that a selected one fires on.
enum LineKind : unsigned {
    kOnEmpty = 1u << 0,         // the check log's empty line
    kOnErroneous = 1u << 1,     // its erroneous line: a source holding Chinese
    kOnUntranslated = 1u << 2,  // its untranslated line
    kOnNoEquals = 1u << 3,      // an equals line without "="
    kOnLogStop = 1u << 4,       // the line where the check log stopped early
    kOnPlaceholder = 1u << 5,   // a pair with a placeholder's first byte on either side
    kOnBlankEnd = 1u << 6,      // a pair with a space or tab at an end of either side
    kOnSourceNumber = 1u << 7,  // a pair whose source holds a digit or a full-width form
    kOnPair = 1u << 8,          // any pair of two texts (against the dictionary's others)
    kOnPairRun = 1u << 9,       // a run of line pairs
    kOnBytes = 1u << 10,        // any byte of the file (the encoding scan)
    // A translation with bytes that a wrong conversion or an invisible
    // control leaves (GBK: 0x80..0xA0; UTF-8: the leads of U+0080..U+00FF,
    // U+061C and U+2000..U+207F).
    kOnMarks = 1u << 11,
    kOnLongLine = 1u << 12,     // a pair with a line too long to be held
    kOnEndMark = 1u << 13,      // a pair whose source ends in a mark (? ! : . ... or a tag)
    kOnBracket = 1u << 14,      // a pair whose source holds ( ) [ ]
    kOnQuote = 1u << 15,        // a pair whose source holds a double quote
    kOnAddress = 1u << 16,      // a pair whose source holds / or @
    kOnOption = 1u << 17,       // a pair whose source holds -
    kOnPath = 1u << 18,         // a pair whose source holds / or a backslash
    kOnInnerSpace = 1u << 19,   // a pair whose translation holds a space
    kOnLongSource = 1u << 20,   // a pair whose source is long enough to weigh its length
    kOnAttribute = 1u << 21,    // a pair whose source holds < and =
    kOnDollar = 1u << 22,       // a pair whose source holds $
    kOnSourceControl = 1u << 23,  // a pair whose source holds a control byte other than TAB and LF
    kOnDoubleSpace = 1u << 24,  // a pair whose translation holds two spaces in a row
};

// The names of the kinds, for --list-rules=json: "empty", "placeholder", ...
std::vector<std::string_view> lineKindNames(unsigned kinds);

class PairRuleContext;

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
    // The rules that weigh a pair on their own: appends what the pair at
    // hand holds of this rule's findings. Null for the others, which the
    // analyser, the consistency queue or the encoding scan report.
    void (*checkPair)(PairRuleContext& pair, std::vector<Finding>& out) = nullptr;
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

}  // namespace corvel::report
