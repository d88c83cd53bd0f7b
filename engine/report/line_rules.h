// What the line rules are told, and which of them a line calls: a line of
// the check log with a class, the line where the log stopped, a pair with
// a line too long to weigh, the first pair of a shifted run. Each rule in
// rules/ decides from this alone whether it fires and what it says.
#pragma once

#include "line_kinds.h"
#include "pair_text.h"
#include "corvel/report/rule_catalogue.h"
#include "corvel/report/rule_selection.h"
#include "corvel/run_request.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvel::report {

class LineRuleContext {
public:
    LineRuleContext(LineKind kind, std::int32_t line, QuotedPair& quoted, Layout layout,
                    TextEncoding encoding)
        : kind_(kind), line_(line), quoted_(quoted), layout_(layout), encoding_(encoding)
    {
    }

    LineKind kind() const { return kind_; }  // what the line is called for
    std::int32_t line() const { return line_; }
    Layout layout() const { return layout_; }
    TextEncoding encoding() const { return encoding_; }
    const PairText& pair() const { return quoted_.pair(); }
    // The pair's texts in UTF-8.
    const std::string& source() const { return quoted_.source(); }
    const std::string& translation() const { return quoted_.translation(); }
    // Worked out on first use: whether the source holds a CJK character,
    // and whether the translation keeps its source as a translator rightly
    // does (text_kinds.h; in a translation file only a translation that is
    // its source).
    bool sourceHoldsCjk() const;
    bool keptInEnglish() const;

    // A finding of `id` at line(), the pair's texts filled in.
    Finding finding(RuleId id, std::string message) const;

    // kOnErroneous: the line was too long to be held; only its start is seen.
    bool cut = false;
    // kOnLongLine: the lengths of the pair's lines too long to be held (0: held).
    std::uint64_t sourceLength = 0;
    std::uint64_t translationLength = 0;
    // kOnLogStop: the rule of the check log's stop.
    RuleId stop = RuleId::RowOfErrors;
    // kOnPairRun: the last line that still paired correctly (0: none).
    std::int32_t lastInStep = 0;
    // In a translation file: the entry's key (null in a dictionary) and the
    // source file it is paired with; for a key of the source that the file
    // lacks, the key's line there.
    const std::string* key = nullptr;
    std::string_view sourceFile;
    std::optional<std::int32_t> sourceLine;

private:
    LineKind kind_;
    std::int32_t line_;
    QuotedPair& quoted_;
    Layout layout_;
    TextEncoding encoding_;
    mutable std::optional<bool> cjk_;
    mutable std::optional<bool> kept_;
};

// The selected rules with a line hook, by the kind they fire on.
class LineRules {
public:
    explicit LineRules(const RuleSelection& rules);

    // Whether a selected rule fires on `kind`.
    bool any(LineKind kind) const { return !byKind_[index(kind)].empty(); }
    // Appends the findings of the rules that fire on the context's kind, in
    // the order of the rule table.
    void check(const LineRuleContext& line, std::vector<Finding>& out) const;

private:
    static std::size_t index(LineKind kind);
    std::array<std::vector<const RuleInfo*>, kLineKindCount> byKind_;
};

}  // namespace corvel::report
