// The dictionary read in large blocks through the block line classifier:
// only the flagged lines come out, numbered; the good ones between them are
// only counted. A flagged line longer than the classifier keeps is read
// again from the file, so memory does not grow with the length of a line
// (a pipe, which cannot be read twice, keeps its lines whole instead).
#pragma once

#include "platform.h"
#include "text_files.h"
#include "scan/line_classifier.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace corvel {

class BlockLines {
public:
    BlockLines(File& file, scan::Layout layout, bool copying);

    // The next flagged line, or nullptr at the end of the file or when a
    // read failed (error() then tells it; the line a failed read cut short
    // is not a line).
    const scan::ScannedLine* next();
    // The bytes of a line next() gave, valid until the next call; empty
    // with error() set when it could not be read again.
    std::string_view text(const scan::ScannedLine& line);
    // The lines read whole so far: after the end, all lines of the file.
    std::uint64_t lines() const;
    // Whether the file was read to its end (next() gives its last lines).
    bool ended() const { return ended_ && !error_; }
    // Whether the file can give its bytes again (not a pipe).
    bool rereadable() const { return rereadable_; }
    // Writes the file's bytes [from, to) to `out`, staged or committed,
    // from the latest read or, before it, read again from the file.
    void copy(std::uint64_t from, std::uint64_t to, OutputFile& out, bool staged);
    const Error& error() const { return error_; }

private:
    bool readMore();

    File& file_;
    bool rereadable_;
    scan::LineClassifier classifier_;
    std::unique_ptr<char[]> buffer_;
    std::span<const scan::ScannedLine> batch_;
    std::size_t taken_ = 0;
    bool ended_ = false;
    char lastByte_ = 0;
    std::uint64_t readOffset_ = 0;  // file offset of the latest read
    std::size_t readSize_ = 0;
    std::string reread_;
    Error error_;
};

}  // namespace corvel
