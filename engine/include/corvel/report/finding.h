// One finding of the report: what `corvel-check --format text|json|sarif`
// prints about a line. Every rule has a stable English ID that is never
// translated; texts are UTF-8 (the dictionary's bytes converted from its
// encoding, bytes that do not convert written as \xNN).
#pragma once

#include "corvel/report/rule_id.h"

#include <cstdint>
#include <optional>
#include <string>

namespace corvel::report {

enum class Severity { Warning, Error };

struct Finding {
    RuleId rule = RuleId::EmptyLine;   // its name: ruleInfo(rule).name
    Severity severity = Severity::Error;
    std::int32_t line = 0;             // 1-based; a pair's finding sits at its translation's line
    std::optional<std::int32_t> column;  // 1-based byte column, where it applies
    // The same column counted in characters (a double-byte character is
    // one), as SARIF viewers count it; set where `column` is.
    std::optional<std::int32_t> characterColumn;
    std::string source;                // the pair's source text, UTF-8 (may be empty)
    std::string translation;           // the pair's translation text, UTF-8 (may be empty)
    std::string message;               // one line of English, UTF-8
    // In a translation file (gettext, Qt, XLIFF, ...): the name of the
    // entry the finding is about (msgctxt::msgid, context::source, the
    // unit's id, the key or key path); empty in a dictionary.
    std::string entry;
    bool baseline = false;             // held by the --baseline report: does not count
};

// Receives findings in line order (a finding about the whole file, such as
// an encoding mark, comes first at line 1). add() returns whether to go
// on: false once the sink can take no more (its output failed), and the
// analysis that feeds it then stops at once.
class FindingSink {
public:
    virtual ~FindingSink() = default;
    virtual bool add(Finding finding) = 0;
};

}  // namespace corvel::report
