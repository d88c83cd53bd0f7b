#include "corvel/error.h"

#include "platform.h"

#include <new>

#ifdef _WIN32
#include "corvel/windows_text.h"
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#endif

namespace corvel {

const char* kindMessage(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::None: return "no error";
    case ErrorKind::FileNotFound: return "file not found";
    case ErrorKind::PathAccess: return "path or file access failure";
    case ErrorKind::Other: return "unexpected failure";
    }
    return "unexpected failure";
}

namespace {

// What a system error number tells, in the terms the kinds are decided by.
enum class Condition { Missing, Denied, Other };

#ifndef _WIN32
Condition conditionOf(int e)
{
    if (e == ENOENT)
        return Condition::Missing;
    return e == EACCES ? Condition::Denied : Condition::Other;
}
#else
// The Win32 codes that say a file or a folder on its path does not exist.
Condition conditionOf(int e)
{
    switch (e) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return Condition::Missing;
    case ERROR_ACCESS_DENIED:
        return Condition::Denied;
    default:
        return Condition::Other;
    }
}
#endif

}  // namespace

ErrorKind kindOf(FileOp op, int e)
{
    const Condition condition = conditionOf(e);
    switch (op) {
    case FileOp::OpenRead:
        // A missing dictionary is reported and the user chooses again; a
        // folder or an unreadable file cannot be checked at all.
        return condition == Condition::Missing ? ErrorKind::FileNotFound : ErrorKind::Other;
    case FileOp::OpenWrite:
    case FileOp::OpenAppend:
        // A log or corrected dictionary that cannot be created is passed
        // over; the first write to it then fails as "other".
        return ErrorKind::PathAccess;
    case FileOp::MakeFolder:
        // An existing output folder is the expected case; so is one that
        // cannot be made for want of access, which the next step reports.
        return condition == Condition::Missing ? ErrorKind::Other : ErrorKind::PathAccess;
    case FileOp::StartProgram:
        return condition == Condition::Other ? ErrorKind::Other : ErrorKind::FileNotFound;
    case FileOp::Read:
    case FileOp::Write:
    case FileOp::Close:
    case FileOp::EnterFolder:
    case FileOp::Run:
        return ErrorKind::Other;
    }
    return ErrorKind::Other;
}

#ifndef _WIN32
std::string systemErrorText(int e)
{
    return std::strerror(e);
}
#else
// The system's message in English where the system has it (as strerror
// gives on POSIX), else in the user's language; UTF-8, without the
// trailing line end.
std::string systemErrorText(int e)
{
    constexpr DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    wchar_t buffer[512];
    DWORD n = ::FormatMessageW(flags, nullptr, static_cast<DWORD>(e),
                               MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), buffer, 512, nullptr);
    if (n == 0)
        n = ::FormatMessageW(flags, nullptr, static_cast<DWORD>(e), 0, buffer, 512, nullptr);
    if (n == 0)
        return "Windows error " + std::to_string(e);
    while (n > 0 && (buffer[n - 1] == L'\r' || buffer[n - 1] == L'\n' || buffer[n - 1] == L' '
                     || buffer[n - 1] == L'.'))
        --n;
    return utf8FromWide(std::wstring_view(buffer, n));
}
#endif

Error Error::fromSystem(FileOp op, std::string path, int systemError)
{
    return Error(kindOf(op, systemError), op, std::move(path), systemErrorText(systemError));
}

Error Error::fromException(const std::exception& failure, std::string path)
{
    const bool memory = dynamic_cast<const std::bad_alloc*>(&failure) != nullptr;
    return Error(ErrorKind::Other, FileOp::Run, std::move(path),
                 memory ? "not enough memory" : failure.what());
}

Error linkRefused(FileOp op, const std::filesystem::path& path)
{
    return Error(ErrorKind::Other, op, displayPath(path),
                 "is a symbolic link, and outputs never follow links");
}

std::string Error::describe() const
{
    std::string cause = cause_.empty() ? kindMessage(kind_) : cause_;
    if (path_.empty())
        return cause;
    return path_ + ": " + cause;
}

}  // namespace corvel
