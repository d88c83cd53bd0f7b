#include "error.h"

#include <cerrno>
#include <cstring>

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

#ifndef _WIN32
ErrorKind kindOf(FileOp op, int e)
{
    switch (op) {
    case FileOp::OpenRead:
        // A missing dictionary is reported and the user chooses again; a
        // folder or an unreadable file cannot be checked at all.
        return e == ENOENT ? ErrorKind::FileNotFound : ErrorKind::Other;
    case FileOp::OpenWrite:
    case FileOp::OpenAppend:
        // A log or corrected dictionary that cannot be created is passed
        // over; the first write to it then fails as "other".
        return ErrorKind::PathAccess;
    case FileOp::MakeFolder:
        // An existing output folder is the expected case.
        return e == ENOENT ? ErrorKind::Other : ErrorKind::PathAccess;
    case FileOp::StartProgram:
        return (e == ENOENT || e == EACCES) ? ErrorKind::FileNotFound : ErrorKind::Other;
    case FileOp::Read:
    case FileOp::Write:
    case FileOp::Close:
    case FileOp::EnterFolder:
    case FileOp::Run:
        return ErrorKind::Other;
    }
    return ErrorKind::Other;
}

std::string systemErrorText(int e)
{
    return std::strerror(e);
}
#endif

Error Error::fromSystem(FileOp op, std::string path, int systemError)
{
    return Error(kindOf(op, systemError), op, std::move(path), systemErrorText(systemError));
}

std::string Error::describe() const
{
    if (path_.empty())
        return cause_;
    return path_ + ": " + cause_;
}

}  // namespace corvel
