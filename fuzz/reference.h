// An independent, deliberately plain model of what a run reads and decides,
// for the fuzz target to hold the engine against: how the dictionary splits
// into lines, each line's class, and where a check-mode run stops.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvel::fuzz {

// Lines end at CR LF or at a lone CR; a lone LF belongs to the line; a last
// line without terminator counts; an empty file has no line.
std::vector<std::string_view> splitDictionary(std::string_view bytes);

enum class Kind { Good, Empty, Erroneous, Untranslated, SeriousError };

// Line-pair class of line `number` (from 1).
Kind pairKind(std::string_view line, std::int32_t number);
// Equals-line class: SeriousError, Untranslated or Good (accepted).
Kind equalsKind(std::string_view line);

// Where a check-mode line-pair run stops early, if it does.
struct PairStop {
    enum class Cause { EmptyLine, SeriousError } cause;
    std::int32_t line;       // the line that stopped the run
    std::int32_t eventLine;  // the line the stop trailer names
};
std::optional<PairStop> pairStop(const std::vector<std::string_view>& lines, bool stopOnEmpty,
                                 bool stopOnErrors);

}  // namespace corvel::fuzz
