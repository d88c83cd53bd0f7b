// Qt Linguist translation sources (.ts): each message's source against its
// translation (each numerusform of a plural one), keyed by its context's
// name and its source.
#pragma once

#include "formats/entry.h"
#include "formats/read_limits.h"

#include <string_view>

namespace corvel::formats {

// A translation of type "unfinished" is handed on as Unfinished, one of
// type "vanished" or "obsolete" as Obsolete. Line breaks and tabs of the
// texts are written as \n and \t.
ReadOutcome readTs(const std::filesystem::path& path, EntrySink& sink);
ReadOutcome readTsBytes(std::string_view bytes, EntrySink& sink, const ReadLimits& limits = {});

}  // namespace corvel::formats
