// The dictionary read in large blocks through the block line classifier:
// only the flagged lines come out, numbered; the good ones between them are
// only counted. A flagged line longer than the classifier keeps is read
// again from the file, so memory does not grow with the length of a line;
// a pipe, which cannot be read twice, keeps what may be asked for again in
// a spill file instead (see Rereader).
#pragma once

#include "corvel/run_events.h"
#include "platform.h"
#include "rereader.h"
#include "text_files.h"
#include "scan/line_classifier.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace corvel {

class BlockLines {
public:
    // A spill file, should a pipe need one, goes into `spillNear`.
    BlockLines(File& file, scan::Layout layout, bool copying, const Folder* spillNear);

    // Before each read reuses the buffer, `beforeRead` may take the bytes
    // it still can and returns the first byte it may ask for later;
    // without one, that is the start of the line still open.
    void beforeEachRead(std::function<std::uint64_t()> beforeRead)
    {
        beforeRead_ = std::move(beforeRead);
    }

    // The next flagged line, or nullptr at the end of the file or when a
    // read failed (error() then tells it; the line a failed read cut short
    // is not a line).
    const scan::ScannedLine* next();
    // The lines read whole so far: after the end, all lines of the file.
    std::uint64_t lines() const;
    // Whether the file was read to its end (next() gives its last lines).
    bool ended() const { return ended_ && !error_; }
    // Between reads: the first line not ended yet (see scan::OpenLine).
    scan::OpenLine openLine() const { return classifier_.openLine(); }
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
    void keepForLater(std::uint64_t from);
    template <typename Take>
    bool eachPiece(std::uint64_t from, std::uint64_t to, Take take);

    File& file_;
    Rereader reread_;
    std::function<std::uint64_t()> beforeRead_;
    scan::LineClassifier classifier_;
    std::unique_ptr<char[]> buffer_;
    std::span<const scan::ScannedLine> batch_;
    std::size_t taken_ = 0;
    bool ended_ = false;
    char lastByte_ = 0;
    std::uint64_t readOffset_ = 0;  // file offset of the latest read
    std::size_t readSize_ = 0;
    bool rereadFailed_ = false;
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
