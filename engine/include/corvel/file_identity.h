// Whether two paths name one file, whatever the spelling: links (symbolic
// or hard), linked folders, "." and "..", and on Windows case, separators
// and short names. Every check that an output must not be an input, or that
// two outputs must not be one file, asks here.
#pragma once

#include "corvel/error.h"

#include <compare>
#include <cstdint>
#include <filesystem>
#include <string>

namespace corvel {

// What names a file. An existing file (links followed) is its device and
// file number: on POSIX the device and inode, on Windows the volume serial
// number and file index. A file that does not exist yet is the identity of
// the nearest folder above it that exists, and the names below that folder
// (`below`; without case on Windows).
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t file = 0;
    std::string below;
    // False when not even a folder above could be looked at: the path
    // itself is then compared, lexically normalised, in `below`.
    bool known = false;

    auto operator<=>(const FileIdentity&) const = default;
};

FileIdentity fileIdentity(const std::filesystem::path& path);

// Whether `a` and `b` are, or would be when written, the same file.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// An existing file as it stands: which file it is and its size. A file
// read twice is the same file both times when its stamps are equal; one
// replaced, deleted or grown or cut meanwhile is not.
struct FileStamp {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t file = 0;
    std::uint64_t size = 0;

    bool operator==(const FileStamp&) const = default;
};

FileStamp fileStamp(const std::filesystem::path& path);

// The file a path leads to when written: a symbolic link at its name is
// followed (also a dangling one, to the name it would create), so that a
// file replaced by renaming leaves the user's link in place.
std::filesystem::path linkTarget(const std::filesystem::path& path);

}  // namespace corvel
