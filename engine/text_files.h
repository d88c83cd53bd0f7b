// Line-oriented reading and writing of dictionary-style text files, as bytes.
//
// A line ends at CR LF or at a lone CR; a lone LF is part of the line. A last
// line without terminator is a line; a file that ends with its terminator has
// no empty line after it. Lines are handed out and written back unchanged.
#pragma once

#include "error.h"
#include "platform.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace corvel {

class LineReader {
public:
    LineReader() = default;
    explicit LineReader(File file);

    bool isOpen() const { return file_.isOpen(); }
    // True when no line is left (reads ahead as needed). A read failure also
    // ends the file; error() then tells it.
    bool atEnd();
    // The next line without its terminator; valid until the next call.
    // Only after atEnd() returned false.
    std::string_view next();
    const Error& error() const { return error_; }
    Error close() { return file_.close(); }

private:
    void refill();

    File file_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;  // first unread byte
    std::size_t end_ = 0;    // end of the bytes read so far
    std::size_t scan_ = 0;   // where the search for the next CR resumes
    bool eof_ = false;
    Error error_;
};

// A text file written line by line through a buffer; written out and closed
// when closed or destroyed. A file that could not be opened stays usable as
// an object: its first write fails, naming why it could not be opened.
class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(OutputFile&&) = default;
    OutputFile& operator=(OutputFile&&) = default;

    // Opens anew (Write) or for appending (Append); returns the failure.
    Error open(const std::filesystem::path& path, File::Access access);
    bool isOpen() const { return file_.isOpen(); }

    // Writes `text` and CR LF.
    void writeLine(std::string_view text);
    void writeEmptyLines(int count);
    // The first failure of a write since opening; writes after it are lost.
    const Error& error() const { return error_; }
    // Writes out the buffer and closes; returns the first failure.
    Error close();

private:
    void append(std::string_view bytes);
    void flush();

    File file_;
    std::filesystem::path path_;
    Error openError_;
    Error error_;
    std::vector<char> buffer_;
    bool used_ = false;  // opened (or tried to) since construction
};

}  // namespace corvel
