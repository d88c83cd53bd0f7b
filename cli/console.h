// Where the checker prints: the process's standard output and standard
// error, or streams of the caller. Everything is written as UTF-8, into
// files and pipes too; on Windows a console is written in UTF-16 through
// its own call instead, so it shows the characters whatever its code page. The standard ones are made on first use,
// so a quiet run that prints nothing makes no stream: a stream's locale
// set-up is a visible part of a run on a small dictionary.
#pragma once

#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <ostream>
#include <string_view>

namespace corvel::cli {

// The length of the longest start of `bytes` that does not end inside a
// UTF-8 character: what may go to a console now, the rest waits for the
// next write. Bytes that cannot start or continue a character count as
// whole (they show as U+FFFD).
std::size_t completeUtf8Length(std::string_view bytes);

class Console {
public:
    // Standard output and standard error.
    Console() : Console(stdout, stderr) {}
    // Streams over C files, made on first use; what they write goes through
    // stdio, as with the standard streams.
    Console(std::FILE* out, std::FILE* err);
    // Streams the caller owns.
    Console(std::ostream& out, std::ostream& err);
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    std::ostream& out();
    std::ostream& err();
    // Whether anything asked for the output stream (else it holds nothing
    // to write out).
    bool outUsed() const { return out_ != nullptr; }
    // The system's cause of the first failed write to the output stream
    // over a C file; 0 when unknown or none.
    int outCause() const;
    // True the first time only: the failure of the output stream is told
    // once, whichever thread or step meets it first.
    bool takeOutFailure() { return !outFailureTold_.exchange(true); }

private:
    class FileStream;
    struct Lazy {
        std::FILE* file = nullptr;
        std::unique_ptr<FileStream> made;
        std::once_flag once;
    };
    std::ostream& stream(Lazy& lazy, std::ostream*& stream);

    Lazy outFile_;
    Lazy errFile_;
    std::ostream* out_ = nullptr;
    std::ostream* err_ = nullptr;
    std::atomic<bool> outFailureTold_ {false};
};

}  // namespace corvel::cli
