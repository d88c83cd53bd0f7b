// The few operating-system services the engine uses, behind one function
// each: files, folders, the clock and GBK conversion of our own literals.
// platform_posix.cpp and platform_windows.cpp implement them.
#pragma once

#include "corvel/display_path.h"
#include "corvel/error.h"
#include "corvel/file_identity.h"
#include "corvel/local_time.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace corvel {

// An open file, closed when the object goes. Move-only.
class Folder;

class File {
public:
    // Create makes a new file for writing and fails where the name is
    // taken, by a file or a link.
    enum class Access { Read, Write, Append, Create };

    File() = default;
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Write creates or truncates; Append creates or appends. Never shares a
    // handle with another open of the same file.
    static File open(const std::filesystem::path& path, Access access, Error& error);
    // Opens `name` inside `folder` for Write or Append. A link at the name,
    // even a dangling one, is refused: outputs never follow links.
    static File openIn(const Folder& folder, const std::filesystem::path& name, Access access,
                       Error& error);
    // A new empty file for writing and reading that has no name, or none
    // after it is closed: in `near` where the system allows it, else in the
    // system's temporary folder. It is gone when closed.
    static File openTemporary(const Folder* near, Error& error);

    bool isOpen() const;
    // Reads up to `size` bytes; 0 at the end of the file.
    std::size_t read(char* data, std::size_t size, Error& error);
    // Reads up to `size` bytes at `offset` without moving the position that
    // read() goes on from; fewer only at the end of the file. Fails on a file
    // that cannot be read twice (a pipe).
    std::size_t readAt(std::uint64_t offset, char* data, std::size_t size, Error& error);
    Error writeAll(const char* data, std::size_t size);
    // The file's size in bytes.
    std::uint64_t size(Error& error) const;
    // Cuts the file (or extends it) to `size` bytes; writes go on from there.
    Error truncate(std::uint64_t size);
    Error close();
    const std::filesystem::path& path() const { return path_; }

private:
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    static File openAt(int at, const std::filesystem::path& name,
                       const std::filesystem::path& path, Access access, bool followLinks,
                       Error& error);

    int fd_ = -1;
#endif
    std::filesystem::path path_;
};

// A folder that receives outputs, held open so that the files made in it
// land there whatever happens to its name meanwhile. Move-only.
class Folder {
public:
    Folder() = default;
    ~Folder();
    Folder(Folder&& other) noexcept;
    Folder& operator=(Folder&& other) noexcept;
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    // Opens an existing folder. A link at its name is refused (a link
    // higher up the path is the user's own and is followed).
    static Folder open(const std::filesystem::path& path, Error& error);

    bool isOpen() const;
    const std::filesystem::path& path() const { return path_; }

private:
    friend class File;
#ifdef _WIN32
    bool open_ = false;
#else
    int fd_ = -1;
#endif
    std::filesystem::path path_;
};

// Creates one folder; an existing one fails with a path/access error.
Error makeFolder(const std::filesystem::path& path);
// The failure for an output name taken by a link.
Error linkRefused(FileOp op, const std::filesystem::path& path);
// The device and file number of an existing file or folder, links followed;
// false when there is none to look at.
bool existingFileNumber(const std::filesystem::path& path, std::uint64_t& device,
                        std::uint64_t& file);
// Names below a folder as the file system compares them: as they are on
// POSIX, without case on Windows; "/" between them.
std::string comparableNames(const std::filesystem::path& names);

// Converts UTF-8 text to GBK (code page 936). Used for the program's own
// literals and captions, not for dictionary text, which stays as read.
std::string toGbk(std::string_view utf8);

}  // namespace corvel
