// The dictionary read in large blocks through the block line classifier:
// only the flagged lines come out, numbered; the good ones between them are
// only counted. A flagged line longer than the classifier keeps is read
// again from the file, so memory does not grow with the length of a line
// (a pipe, which cannot be read twice, keeps its lines whole instead).
#pragma once

#include "corvel/run_events.h"
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
    // The lines read whole so far: after the end, all lines of the file.
    std::uint64_t lines() const;
    // Whether the file was read to its end (next() gives its last lines).
    bool ended() const { return ended_ && !error_; }
    // Whether the file can give its bytes again (not a pipe).
    bool rereadable() const { return rereadable_; }
    // Writes the file's bytes [from, to) to `out`, staged or committed,
    // from the latest read or, before it, read again from the file.
    void copy(std::uint64_t from, std::uint64_t to, OutputFile& out, bool staged);
    // Hands the file's bytes [from, to) to `take` in pieces, the same way;
    // false when they could not be read again.
    bool pieces(std::uint64_t from, std::uint64_t to, void (*take)(void*, std::string_view),
                void* to_);
    const Error& error() const { return error_; }

private:
    bool readMore();
    template <typename Take>
    void eachPiece(std::uint64_t from, std::uint64_t to, Take take);

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

// A line longer than the scan keeps, read again from the file in pieces
// whenever it is quoted.
class FileText : public LongText {
public:
    FileText(BlockLines& lines, const scan::ScannedLine& line) : lines_(lines), line_(line) {}
    std::uint64_t size() const override { return line_.size(); }
    bool forEachPiece(void (*take)(void*, std::string_view), void* to) const override
    {
        return lines_.pieces(line_.start, line_.end, take, to);
    }

private:
    BlockLines& lines_;
    scan::ScannedLine line_;
};

}  // namespace corvel
