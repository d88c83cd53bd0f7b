// Java .properties files: one language, keyed texts.
#pragma once

#include "entry.h"

namespace corvel::formats {

// Hands on each key with its value as the target (the source is left
// empty: the file holds one language). Continued lines, comments (# and !),
// "key=value", "key: value" and "key value" are read; \uXXXX escapes are
// decoded; a line that is not UTF-8 is read as ISO-8859-1.
ReadOutcome readProperties(const std::filesystem::path& path, EntrySink& sink);

}  // namespace corvel::formats
