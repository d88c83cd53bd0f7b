// The warning a window shows after a dictionary is chosen that the check
// will not read as its author meant: a UTF-8 or UTF-16 file, or one whose
// lines end with a lone LF. The check then goes on as ever; the warning
// only says what it will see.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace corvel {

// The Chinese text of the 警告 box for the dictionary at `path` (UTF-8), or
// nothing when it is GBK with CR LF line ends (or cannot be read: the run
// reports that itself).
std::optional<std::string> dictionaryWarning(const std::filesystem::path& path);

}  // namespace corvel
