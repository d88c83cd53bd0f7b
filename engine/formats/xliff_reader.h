// XLIFF 1.2 and 2.x: each unit's source and target (each segment's, in 2.x),
// keyed by the unit's id, with the state the file gives the target.
// Inline codes stay in the texts as markup the translation must keep:
// <x id="1"/>, <g id="2">...</g>, <ph id="3"/>, <pc id="4">...</pc>, ...
// (only the id is kept of their attributes; the native code inside ph, bpt,
// ept and it is left out). Targets inside alt-trans are passed over.
#pragma once

#include "formats/entry.h"
#include "formats/read_limits.h"

#include <filesystem>
#include <string_view>

namespace corvel::formats {

ReadOutcome readXliff(const std::filesystem::path& path, EntrySink& sink);
ReadOutcome readXliffBytes(std::string_view bytes, EntrySink& sink, const ReadLimits& limits = {},
                           std::size_t pieceSize = 64 * 1024);

}  // namespace corvel::formats
