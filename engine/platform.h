// The few operating-system services the engine uses, behind one function
// each: files, folders, the clock and GBK conversion of our own literals.
// platform_posix.cpp and platform_windows.cpp implement them.
#pragma once

#include "error.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace corvel {

// A native path as UTF-8 (Linux: its bytes), for messages.
std::string displayPath(const std::filesystem::path& path);

// An open file, closed when the object goes. Move-only.
class File {
public:
    enum class Access { Read, Write, Append };

    File() = default;
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Write creates or truncates; Append creates or appends. Never shares a
    // handle with another open of the same file.
    static File open(const std::filesystem::path& path, Access access, Error& error);

    bool isOpen() const;
    // Reads up to `size` bytes; 0 at the end of the file.
    std::size_t read(char* data, std::size_t size, Error& error);
    Error writeAll(const char* data, std::size_t size);
    Error close();
    const std::filesystem::path& path() const { return path_; }

private:
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
    std::filesystem::path path_;
};

// Creates one folder; an existing one fails with a path/access error.
Error makeFolder(const std::filesystem::path& path);
// Makes a folder the process's current working directory.
Error enterFolder(const std::filesystem::path& path);
std::filesystem::path currentFolder();
// Whether two paths name the same existing file (also on file systems that
// ignore case).
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// Calendar date and time of day, local time.
struct LocalTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
};
LocalTime localNow();

// Converts UTF-8 text to GBK (code page 936). Used for the program's own
// literals and captions, not for dictionary text, which stays as read.
std::string toGbk(std::string_view utf8);

}  // namespace corvel
