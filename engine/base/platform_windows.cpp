// Windows side of the platform services. Paths go to the wide Win32
// functions only: with mingw's libstdc++, path::string() is UTF-8, which
// the ANSI functions would misread.
#include "platform.h"
#include "corvel/windows_text.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

namespace corvel {

namespace {

constexpr UINT kGbkCodePage = 936;
// ReadFile and WriteFile take a 32-bit count.
constexpr std::size_t kMaxTransfer = 1u << 30;

HANDLE toHandle(void* h)
{
    return static_cast<HANDLE>(h);
}

// Takes the error code before anything else can change it.
Error lastError(FileOp op, const std::filesystem::path& path)
{
    int code = static_cast<int>(::GetLastError());
    return Error::fromSystem(op, displayPath(path), code);
}

struct OpenFlags {
    DWORD access;
    DWORD share;
    DWORD disposition;
    FileOp op;
};

OpenFlags openFlags(File::Access access)
{
    switch (access) {
    case File::Access::Read:
        // Another program may hold the dictionary open, also for writing.
        return {GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, FileOp::OpenRead};
    case File::Access::Write:
        return {GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS, FileOp::OpenWrite};
    case File::Access::Append:
        // Append-only access: every write lands at the end of the file.
        return {FILE_APPEND_DATA | SYNCHRONIZE, FILE_SHARE_READ, OPEN_ALWAYS, FileOp::OpenAppend};
    case File::Access::Create:
        return {GENERIC_WRITE, FILE_SHARE_READ, CREATE_NEW, FileOp::OpenWrite};
    }
    return {GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FileOp::OpenRead};
}

// A handle to an existing file or folder that only reads its attributes.
HANDLE openForIdentity(const std::filesystem::path& path)
{
    return ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool fileInformation(const std::filesystem::path& path, BY_HANDLE_FILE_INFORMATION& info)
{
    HANDLE h = openForIdentity(path);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    BOOL ok = ::GetFileInformationByHandle(h, &info);
    ::CloseHandle(h);
    return ok != FALSE;
}

}  // namespace

std::wstring wideFromUtf8(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    int size = static_cast<int>(utf8.size());
    int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), n);
    return out;
}

std::string utf8FromWide(std::wstring_view wide)
{
    if (wide.empty())
        return {};
    int size = static_cast<int>(wide.size());
    int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

std::string displayPath(const std::filesystem::path& path)
{
    return utf8FromWide(path.native());
}

std::filesystem::path pathFromUtf8(std::string_view utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

File::~File()
{
    (void)close();
}

File::File(File&& other) noexcept : handle_(other.handle_), path_(std::move(other.path_))
{
    other.handle_ = nullptr;
}

File& File::operator=(File&& other) noexcept
{
    if (this != &other) {
        (void)close();
        handle_ = other.handle_;
        path_ = std::move(other.path_);
        other.handle_ = nullptr;
    }
    return *this;
}

File File::open(const std::filesystem::path& path, Access access, Error& error)
{
    OpenFlags flags = openFlags(access);
    File file;
    file.path_ = path;
    // No security attributes: the handle is not inherited by the programs
    // we start (the text editor).
    HANDLE h = ::CreateFileW(path.c_str(), flags.access, flags.share, nullptr, flags.disposition,
                             FILE_ATTRIBUTE_NORMAL | (access == Access::Read ? FILE_FLAG_SEQUENTIAL_SCAN : 0),
                             nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error = lastError(flags.op, path);
        return file;
    }
    file.handle_ = h;
    error = Error();
    return file;
}

bool File::isOpen() const
{
    return handle_ != nullptr;
}

std::size_t File::read(char* data, std::size_t size, Error& error)
{
    DWORD got = 0;
    DWORD want = static_cast<DWORD>(std::min(size, kMaxTransfer));
    if (!::ReadFile(toHandle(handle_), data, want, &got, nullptr)) {
        DWORD code = ::GetLastError();
        if (code != ERROR_HANDLE_EOF && code != ERROR_BROKEN_PIPE)
            error = Error::fromSystem(FileOp::Read, displayPath(path_), static_cast<int>(code));
        return 0;
    }
    return got;
}

// A read at an offset moves a synchronous handle's position: it is put back
// afterwards, so that read() goes on where it was.
std::size_t File::readAt(std::uint64_t offset, char* data, std::size_t size, Error& error)
{
    LARGE_INTEGER zero {};
    LARGE_INTEGER position {};
    if (!::SetFilePointerEx(toHandle(handle_), zero, &position, FILE_CURRENT)) {
        error = lastError(FileOp::Read, path_);
        return 0;
    }
    std::size_t got = 0;
    while (got < size) {
        OVERLAPPED at {};
        const std::uint64_t where = offset + got;
        at.Offset = static_cast<DWORD>(where);
        at.OffsetHigh = static_cast<DWORD>(where >> 32);
        DWORD n = 0;
        DWORD want = static_cast<DWORD>(std::min(size - got, kMaxTransfer));
        if (!::ReadFile(toHandle(handle_), data + got, want, &n, &at)) {
            if (::GetLastError() != ERROR_HANDLE_EOF)
                error = lastError(FileOp::Read, path_);
            break;
        }
        if (n == 0)
            break;
        got += n;
    }
    (void)::SetFilePointerEx(toHandle(handle_), position, nullptr, FILE_BEGIN);
    return got;
}

Error File::writeAll(const char* data, std::size_t size)
{
    while (size > 0) {
        DWORD put = 0;
        DWORD want = static_cast<DWORD>(std::min(size, kMaxTransfer));
        if (!::WriteFile(toHandle(handle_), data, want, &put, nullptr))
            return lastError(FileOp::Write, path_);
        data += put;
        size -= put;
    }
    return Error();
}

std::uint64_t File::size(Error& error) const
{
    LARGE_INTEGER size {};
    if (!::GetFileSizeEx(toHandle(handle_), &size)) {
        error = lastError(FileOp::Read, path_);
        return 0;
    }
    return static_cast<std::uint64_t>(size.QuadPart);
}

Error File::truncate(std::uint64_t size)
{
    LARGE_INTEGER at {};
    at.QuadPart = static_cast<LONGLONG>(size);
    if (!::SetFilePointerEx(toHandle(handle_), at, nullptr, FILE_BEGIN)
        || !::SetEndOfFile(toHandle(handle_)))
        return lastError(FileOp::Write, path_);
    return Error();
}

Error File::close()
{
    if (handle_ == nullptr)
        return Error();
    HANDLE h = toHandle(handle_);
    handle_ = nullptr;
    if (!::CloseHandle(h))
        return lastError(FileOp::Close, path_);
    return Error();
}

Error makeFolder(const std::filesystem::path& path)
{
    if (!::CreateDirectoryW(path.c_str(), nullptr))
        return lastError(FileOp::MakeFolder, path);
    return Error();
}

Folder::~Folder() = default;

Folder::Folder(Folder&& other) noexcept : open_(other.open_), path_(std::move(other.path_))
{
    other.open_ = false;
}

Folder& Folder::operator=(Folder&& other) noexcept
{
    if (this != &other) {
        open_ = other.open_;
        path_ = std::move(other.path_);
        other.open_ = false;
    }
    return *this;
}

// A junction or symbolic link is a reparse point; outputs never go through one.
Folder Folder::open(const std::filesystem::path& path, Error& error)
{
    Folder folder;
    folder.path_ = path;
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        error = lastError(FileOp::EnterFolder, path);
    } else if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        error = linkRefused(FileOp::EnterFolder, path);
    } else if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error = Error::fromSystem(FileOp::EnterFolder, displayPath(path), ERROR_DIRECTORY);
    } else {
        folder.open_ = true;
        error = Error();
    }
    return folder;
}

bool Folder::isOpen() const
{
    return open_;
}

File File::openIn(const Folder& folder, const std::filesystem::path& name, Access access,
                  Error& error)
{
    const std::filesystem::path path = folder.path() / name;
    OpenFlags flags = openFlags(access);
    File file;
    file.path_ = path;
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        error = linkRefused(flags.op, path);
        return file;
    }
    // A file that is also another name's (a hard link) is never written
    // through: its name goes first and the output is a new file, so the
    // other name keeps its bytes. A name that cannot go fails the open.
    BY_HANDLE_FILE_INFORMATION existing {};
    if (access == Access::Write && attributes != INVALID_FILE_ATTRIBUTES
        && !(attributes & FILE_ATTRIBUTE_DIRECTORY) && fileInformation(path, existing)
        && existing.nNumberOfLinks > 1 && !::DeleteFileW(path.c_str())) {
        error = lastError(flags.op, path);
        return file;
    }
    // The reparse point itself, never its target, should one appear meanwhile.
    HANDLE h = ::CreateFileW(path.c_str(), flags.access, flags.share, nullptr, flags.disposition,
                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error = lastError(flags.op, path);
        return file;
    }
    BY_HANDLE_FILE_INFORMATION info {};
    if (::GetFileInformationByHandle(h, &info)
        && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        ::CloseHandle(h);
        error = linkRefused(flags.op, path);
        return file;
    }
    file.handle_ = h;
    error = Error();
    return file;
}

// A named file in the user's temporary folder that the system deletes when
// its handle closes; `near` is not used (the temporary folder is the place
// for such files here).
File File::openTemporary(const Folder*, Error& error)
{
    File file;
    wchar_t folder[MAX_PATH + 1] = {};
    wchar_t name[MAX_PATH + 1] = {};
    const DWORD n = ::GetTempPathW(MAX_PATH + 1, folder);
    if (n == 0 || n > MAX_PATH || ::GetTempFileNameW(folder, L"cvl", 0, name) == 0) {
        const int code = static_cast<int>(::GetLastError());
        error = Error(ErrorKind::Other, FileOp::OpenWrite, utf8FromWide(folder),
                      "a temporary file cannot be made: " + systemErrorText(code));
        return file;
    }
    HANDLE h = ::CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const int code = static_cast<int>(::GetLastError());
        (void)::DeleteFileW(name);
        error = Error(ErrorKind::Other, FileOp::OpenWrite, utf8FromWide(name),
                      "a temporary file cannot be made: " + systemErrorText(code));
        return file;
    }
    file.handle_ = h;
    file.path_ = std::filesystem::path(name);
    error = Error();
    return file;
}

// The volume and the file index name a file whatever the spelling of its
// path: case, separators, short names or links.
bool existingFileNumber(const std::filesystem::path& path, std::uint64_t& device,
                        std::uint64_t& file)
{
    BY_HANDLE_FILE_INFORMATION info {};
    if (!fileInformation(path, info))
        return false;
    device = info.dwVolumeSerialNumber;
    file = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

// Names in a folder are compared without case, as the system's own
// upper-casing table has it.
std::string comparableNames(const std::filesystem::path& names)
{
    std::wstring text = names.generic_wstring();
    if (!text.empty())
        ::CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return utf8FromWide(text);
}

LocalTime localNow()
{
    SYSTEMTIME t {};
    ::GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

std::string toGbk(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    int size = static_cast<int>(utf8.size());
    int n = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (n == 0)
        throw std::runtime_error("text is not valid UTF-8");
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), n);

    BOOL lossy = FALSE;
    int m = ::WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), n, nullptr, 0,
                                  nullptr, &lossy);
    if (m == 0 || lossy)
        throw std::runtime_error("text cannot be written in GBK");
    std::string out(static_cast<std::size_t>(m), '\0');
    ::WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), n, out.data(), m,
                          nullptr, nullptr);
    return out;
}

}  // namespace corvel
