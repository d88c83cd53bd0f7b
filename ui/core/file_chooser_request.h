// What the check windows ask of the file chooser: the platform's modal
// open-file dialog over the window.
#pragma once

#include <string>
#include <vector>

namespace corvel {

struct FileFilter {
    std::string label;    // "文本文件(*.TXT)"
    std::string pattern;  // "*.TXT"; "*.*" means every file
    friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

enum class ChooserMode {
    Open,  // choose an existing file in an existing folder
    Save,  // name a file to write (asks before overwriting)
};

struct FileChooserRequest {
    ChooserMode mode = ChooserMode::Open;
    std::string title;                // UTF-8
    std::string initialFile;          // UTF-8
    std::vector<FileFilter> filters;  // the first is selected when it opens
    std::string initialFolder;        // "C:\My Documents"; a view falls back where it is missing
    std::string defaultExtension;
    friend bool operator==(const FileChooserRequest&, const FileChooserRequest&) = default;
};

}  // namespace corvel
