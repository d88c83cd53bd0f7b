// JSON locale files: one language per file, flat or nested objects. Each
// string is an entry keyed by its path: members joined by dots, array items
// by their index ("menu.file.open", "days[2]"); the text is the target.
// Numbers, booleans and nulls are not texts and are passed over.
#pragma once

#include "formats/entry.h"
#include "formats/read_limits.h"

#include <filesystem>
#include <string_view>

namespace corvel::formats {

ReadOutcome readJsonLocale(const std::filesystem::path& path, EntrySink& sink);
ReadOutcome readJsonLocaleBytes(std::string_view bytes, EntrySink& sink,
                                const ReadLimits& limits = {});

}  // namespace corvel::formats
