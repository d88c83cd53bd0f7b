// Every rule of the report: its stable English ID (never translated), its
// severity and its descriptions, in one table. The SARIF writer lists the
// table as the tool's rules; docs/report.md describes the same rules.
#pragma once

#include "finding.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace corvel::report {

enum class RuleId : std::uint8_t {
    // The classes of the check log.
    EmptyLine,
    Untranslated,
    SourceHasChinese,
    RowOfErrors,
    MissingEquals,
    StoppedAtEmptyLine,
    // Source against translation.
    PlaceholderMismatch,
    FullwidthPlaceholder,
    WhitespaceMismatch,
    NumberMismatch,
    InconsistentTranslation,
    PairShift,
    // Encodings and line ends.
    Utf8Bom,
    Utf16,
    Utf8Text,
    InvalidGbk,
    InvalidUtf8,
    Mojibake,
    LfLineEnds,
    MixedLineEnds,
    ControlChar,
    OutsideCharset,
    // What the report could not look at.
    PairNotChecked,
};

inline constexpr std::size_t kRuleCount = static_cast<std::size_t>(RuleId::PairNotChecked) + 1;

struct RuleInfo {
    RuleId id;
    std::string_view name;         // "placeholder-mismatch"
    Severity severity;
    bool onByDefault;              // off: only when an option turns it on
    std::string_view summary;      // one short sentence
    std::string_view description;  // what the rule finds, where, and what it leaves alone
};

// The whole table, in RuleId order.
std::span<const RuleInfo> ruleCatalogue();
const RuleInfo& ruleInfo(RuleId id);
std::optional<RuleId> findRule(std::string_view name);

// A finding of `id` with its name and severity filled in.
Finding makeFinding(RuleId id, std::int32_t line);

}  // namespace corvel::report
