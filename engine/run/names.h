// The names a run forms from the dictionary's path: the output folder, the
// check log and the corrected dictionary, relative to the folder that
// receives the output folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

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
// None also when the base name is empty, "." or "..": the output folder
// would be the dictionary's own folder or its parent.
std::optional<RunNames> formRunNames(const std::filesystem::path& chosenPath);

// Why no names can be formed, for the message; empty when they can.
std::string whyNoRunNames(const std::filesystem::path& chosenPath);

}  // namespace corvel
