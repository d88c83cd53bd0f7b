// The names a run forms from the chosen path: the output folder, the check
// log and the corrected dictionary, all relative to the working directory.
#pragma once

#include <filesystem>
#include <optional>

namespace corvel {

struct RunNames {
    std::filesystem::path fileName;   // after the last separator: game.txt
    std::filesystem::path baseName;   // up to the last ".": game (the output folder)
    std::filesystem::path extension;  // from the last ".": .txt
    std::filesystem::path logName;    // game.log, or game1.log for a ".log" dictionary
};

// Forms the names; none when the file name holds no ".".
// The file name is the text after the last separator ("/" here, "\" and
// "/" on Windows). The log takes the alternative name base + "1.log" when
// the dictionary's own extension is ".log" in any case, so that the log
// and the corrected dictionary are never the same file.
std::optional<RunNames> formRunNames(const std::filesystem::path& chosenPath);

}  // namespace corvel
