// Android string resources (res/values*/strings.xml): one language per file.
// <string name="k"> is the entry "k", each <item quantity="q"> of
// <plurals name="p"> the entry "p#q", each <item> of <string-array name="a">
// the entry "a[i]"; the text is the target. Android's own text rules are
// applied: the escapes \' \" \\ \n \t \@ \? and \uXXXX, double quotes that
// keep whitespace as it is (and are not part of the text), and runs of
// whitespace outside them read as one space, none at either end. Markup such
// as <b> stays in the text as tags; <xliff:g> and <annotation> keep only their
// text. translatable="false" entries are handed on as not translatable.
#pragma once

#include "formats/entry.h"
#include "formats/read_limits.h"

#include <filesystem>
#include <string_view>

namespace corvel::formats {

ReadOutcome readAndroidStrings(const std::filesystem::path& path, EntrySink& sink);
ReadOutcome readAndroidStringsBytes(std::string_view bytes, EntrySink& sink,
                                    const ReadLimits& limits = {},
                                    std::size_t pieceSize = 64 * 1024);

}  // namespace corvel::formats
