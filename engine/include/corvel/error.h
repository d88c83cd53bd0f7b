// Failures of file-system and process operations, as values.
//
// Every failure a run can meet is one of three kinds, and the run handles it
// by kind alone: a missing file is reported and the window goes back to
// waiting, a path or access failure is passed over, anything else ends the
// application. The kind is decided in one place, kindOf(), from the operation
// that failed and the system's error number.
#pragma once

#include <exception>
#include <string>

namespace corvel {

enum class ErrorKind {
    None,          // no failure
    FileNotFound,  // the file (dictionary, text editor) does not exist
    PathAccess,    // a path or file access failure; the run passes over it
    Other,         // anything else; the run ends the application
};

// The operation that failed; the same system error means different things
// for different operations (an existing folder is harmless for mkdir).
enum class FileOp {
    OpenRead,
    OpenWrite,
    OpenAppend,
    Read,
    Write,
    Close,
    MakeFolder,
    EnterFolder,
    StartProgram,
    Run,  // a failure of the run itself (no base name, overlapping files)
};

// One short English text per kind, for diagnostics.
const char* kindMessage(ErrorKind kind);

// The kind of a failed operation, from the system's error number
// (errno on POSIX, the Win32 error code on Windows).
ErrorKind kindOf(FileOp op, int systemError);

// The system's text for an error number.
std::string systemErrorText(int systemError);

class [[nodiscard]] Error {
public:
    Error() = default;
    Error(ErrorKind kind, FileOp op, std::string path, std::string cause)
        : kind_(kind), op_(op), path_(std::move(path)), cause_(std::move(cause)) {}

    // A failure of `op` on `path` with the system error number `systemError`.
    static Error fromSystem(FileOp op, std::string path, int systemError);
    // A failure thrown while working on `path` (memory ran out, a text
    // could not be converted): not a kind the run passes over.
    static Error fromException(const std::exception& failure, std::string path);

    explicit operator bool() const { return kind_ != ErrorKind::None; }
    ErrorKind kind() const { return kind_; }
    FileOp op() const { return op_; }
    const std::string& path() const { return path_; }  // UTF-8 / native narrow
    const std::string& cause() const { return cause_; }

    // "PATH: CAUSE", for the command-line checker's messages.
    std::string describe() const;

private:
    ErrorKind kind_ = ErrorKind::None;
    FileOp op_ = FileOp::Run;
    std::string path_;
    std::string cause_;
};

}  // namespace corvel
