// An output that takes the place of its target only once it is complete:
// its bytes go to a new file made beside the target (never one that
// existed), which commit() renames over the target. Until then the target
// keeps its bytes, and a file never committed is removed again, so a
// failure or a refusal leaves the old file as it was.
#pragma once

#include "corvel/error.h"

#include <filesystem>
#include <memory>
#include <ostream>

namespace corvel {

class ReplacingFile {
public:
    ReplacingFile();
    ~ReplacingFile();  // removes the new file unless committed
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Makes the new file in `target`'s folder.
    Error open(const std::filesystem::path& target);
    // Where the bytes go; binary, unbuffered beyond its own buffer.
    std::ostream& stream();
    // Writes out and closes the new file and renames it over the target;
    // the first failure of any write, the close or the rename (the new
    // file is removed then).
    Error commit();

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace corvel
