// POSIX side of the platform services.
#include "platform.h"

#include <cerrno>
#include <ctime>
#include <cstdlib>
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <mutex>
#include <stdexcept>

namespace corvel {

std::string displayPath(const std::filesystem::path& path)
{
    return path.string();
}

std::filesystem::path pathFromUtf8(std::string_view utf8)
{
    return std::filesystem::path(std::string(utf8));
}

File::~File()
{
    (void)close();
}

File::File(File&& other) noexcept : fd_(other.fd_), path_(std::move(other.path_))
{
    other.fd_ = -1;
}

File& File::operator=(File&& other) noexcept
{
    if (this != &other) {
        (void)close();
        fd_ = other.fd_;
        path_ = std::move(other.path_);
        other.fd_ = -1;
    }
    return *this;
}

namespace {
// An output that replaces a file of the last run gets a new file instead of
// cutting the old one to nothing: on ext4 a file cut to nothing and written
// again is flushed to disk when closed, which made a repeated correct run
// of a large dictionary wait for the disk (twice the time of the first).
// Only a plain file that could be written anyway goes: a link stays to be
// refused, a read-only file to fail the open as it did, and where the name
// cannot be removed the open that follows meets the cause.
void removeFileToReplace(int at, const std::filesystem::path& name)
{
    struct stat st {};
    if (::fstatat(at, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode)
        && st.st_size > 0 && ::faccessat(at, name.c_str(), W_OK, AT_EACCESS) == 0)
        (void)::unlinkat(at, name.c_str(), 0);
}
}  // namespace

// Opens `name` relative to the folder descriptor `at` (AT_FDCWD: as the
// process would); `path` names the file in messages. Without `followLinks`
// a link at the name is refused. A folder is never opened as a file.
File File::openAt(int at, const std::filesystem::path& name, const std::filesystem::path& path,
                  Access access, bool followLinks, Error& error)
{
    int flags = O_CLOEXEC | (followLinks ? 0 : O_NOFOLLOW);
    FileOp op = FileOp::OpenRead;
    switch (access) {
    case Access::Read: flags |= O_RDONLY; break;
    case Access::Write: flags |= O_WRONLY | O_CREAT | O_TRUNC; op = FileOp::OpenWrite; break;
    case Access::Append: flags |= O_WRONLY | O_CREAT | O_APPEND; op = FileOp::OpenAppend; break;
    case Access::Create: flags |= O_WRONLY | O_CREAT | O_EXCL; op = FileOp::OpenWrite; break;
    }
    File file;
    file.path_ = path;
    if (access == Access::Write && !followLinks)
        removeFileToReplace(at, name);
    int fd;
    do {
        fd = ::openat(at, name.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int e = errno;
        struct stat st {};
        if (!followLinks && e == ELOOP && ::fstatat(at, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISLNK(st.st_mode))
            error = linkRefused(op, path);
        else
            error = Error::fromSystem(op, displayPath(path), e);
        return file;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        error = Error::fromSystem(op, displayPath(path), EISDIR);
        return file;
    }
    if (access == Access::Read)
        (void)::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    file.fd_ = fd;
    error = Error();
    return file;
}

File File::open(const std::filesystem::path& path, Access access, Error& error)
{
    return openAt(AT_FDCWD, path, path, access, true, error);
}

bool File::isOpen() const
{
    return fd_ >= 0;
}

std::size_t File::read(char* data, std::size_t size, Error& error)
{
    for (;;) {
        ssize_t n = ::read(fd_, data, size);
        if (n >= 0)
            return static_cast<std::size_t>(n);
        if (errno == EINTR)
            continue;
        error = Error::fromSystem(FileOp::Read, displayPath(path_), errno);
        return 0;
    }
}

std::size_t File::readAt(std::uint64_t offset, char* data, std::size_t size, Error& error)
{
    std::size_t got = 0;
    while (got < size) {
        ssize_t n = ::pread(fd_, data + got, size - got, static_cast<off_t>(offset + got));
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = Error::fromSystem(FileOp::Read, displayPath(path_), errno);
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    return got;
}

Error File::writeAll(const char* data, std::size_t size)
{
    while (size > 0) {
        ssize_t n = ::write(fd_, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Error::fromSystem(FileOp::Write, displayPath(path_), errno);
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return Error();
}

std::uint64_t File::size(Error& error) const
{
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        error = Error::fromSystem(FileOp::Read, displayPath(path_), errno);
        return 0;
    }
    return static_cast<std::uint64_t>(st.st_size);
}

Error File::truncate(std::uint64_t size)
{
    int done;
    do {
        done = ::ftruncate(fd_, static_cast<off_t>(size));
    } while (done != 0 && errno == EINTR);
    if (done != 0 || ::lseek(fd_, static_cast<off_t>(size), SEEK_SET) < 0)
        return Error::fromSystem(FileOp::Write, displayPath(path_), errno);
    return Error();
}

Error File::close()
{
    if (fd_ < 0)
        return Error();
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR)
        return Error::fromSystem(FileOp::Close, displayPath(path_), errno);
    return Error();
}

Error makeFolder(const std::filesystem::path& path)
{
    if (::mkdir(path.c_str(), 0777) != 0)
        return Error::fromSystem(FileOp::MakeFolder, displayPath(path), errno);
    return Error();
}

Folder::~Folder()
{
    if (fd_ >= 0)
        ::close(fd_);
}

Folder::Folder(Folder&& other) noexcept : fd_(other.fd_), path_(std::move(other.path_))
{
    other.fd_ = -1;
}

Folder& Folder::operator=(Folder&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = other.fd_;
        path_ = std::move(other.path_);
        other.fd_ = -1;
    }
    return *this;
}

Folder Folder::open(const std::filesystem::path& path, Error& error)
{
    Folder folder;
    folder.path_ = path;
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int e = errno;
        struct stat st {};
        if ((e == ELOOP || e == ENOTDIR) && ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
            error = linkRefused(FileOp::EnterFolder, path);
        else
            error = Error::fromSystem(FileOp::EnterFolder, displayPath(path), e);
        return folder;
    }
    folder.fd_ = fd;
    error = Error();
    return folder;
}

bool Folder::isOpen() const
{
    return fd_ >= 0;
}

File File::openIn(const Folder& folder, const std::filesystem::path& name, Access access,
                  Error& error)
{
    return openAt(folder.fd_, name, folder.path() / name, access, false, error);
}

// An unnamed file in the folder where the system has them (O_TMPFILE);
// elsewhere a named one in the temporary folder, its name removed at once.
File File::openTemporary(const Folder* near, Error& error)
{
    File file;
    error = Error();
#ifdef O_TMPFILE
    if (near != nullptr && near->fd_ >= 0) {
        int fd;
        do {
            fd = ::openat(near->fd_, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        } while (fd < 0 && errno == EINTR);
        if (fd >= 0) {
            file.fd_ = fd;
            file.path_ = near->path();
            return file;
        }
    }
#endif
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
    if (ec)
        folder = "/tmp";
    std::string name = (folder / "corvel-XXXXXX").string();
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        error = Error(ErrorKind::Other, FileOp::OpenWrite, displayPath(folder),
                      "a temporary file cannot be made: " + systemErrorText(errno));
        return file;
    }
    (void)::unlink(name.c_str());
    file.fd_ = fd;
    file.path_ = folder;
    return file;
}

bool existingFileNumber(const std::filesystem::path& path, std::uint64_t& device,
                        std::uint64_t& file)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    device = static_cast<std::uint64_t>(st.st_dev);
    file = static_cast<std::uint64_t>(st.st_ino);
    return true;
}

std::string comparableNames(const std::filesystem::path& names)
{
    return names.generic_string();
}

LocalTime localNow()
{
    std::time_t now = std::time(nullptr);
    std::tm tm {};
    ::localtime_r(&now, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string toGbk(std::string_view utf8)
{
    // One converter for the process: opening one loads the GBK module,
    // and closing the last one unloads it again.
    // Runs in other threads share the converter, one conversion at a time.
    static const iconv_t cd = ::iconv_open("GBK", "UTF-8");
    static std::mutex converting;
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("GBK conversion is not available");
    std::lock_guard<std::mutex> lock(converting);
    ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string out(utf8.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    if (::iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
        throw std::runtime_error("text cannot be written in GBK");
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace corvel
