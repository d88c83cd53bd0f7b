// A request to open a check log in the system text editor, without waiting
// for it.
#pragma once

#include <filesystem>
#include <string>

namespace corvel {

struct EditorRequest {
    std::string commandLine;    // "notepad.exe " or "notepad.exe  " and the log
    std::filesystem::path log;  // absolute path of the log the run wrote
    bool takeFocus = false;     // window style 1 (focus) or 4 (no focus)
};

}  // namespace corvel
