// An output that takes the place of its target only once it is complete:
// its bytes go to a new file made beside the target (never one that
// existed), which commit() renames over the target. Until then the target
// keeps its bytes, and a file never committed is removed again, so a
// failure or a refusal leaves the old file as it was. The new file gets the
// permissions of the file it replaces.
//
// Only a regular file, or a name not taken, is replaced. A device, a FIFO
// or a name for an open descriptor (/dev/stdout, /dev/fd/N, /proc/self/fd/N)
// is written in place, as a shell redirection writes it; a folder is
// refused.
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

    // Makes the new file in the folder of the file `target` leads to (a
    // symbolic link at `target` stays and leads to the new file), or opens
    // `target` itself where it is not to be replaced.
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
