// Line-oriented reading and writing of dictionary-style text files, as bytes.
//
// A line ends at CR LF or at a lone CR; a lone LF is part of the line. A last
// line without terminator is a line; a file that ends with its terminator has
// no empty line after it. Lines are handed out and written back unchanged.
// On request (LineEnds::Any) a lone LF ends a line as well.
#pragma once

#include "corvel/error.h"
#include "corvel/run_events.h"
#include "corvel/run_request.h"
#include "corvel/unfinished_files.h"
#include "line_facts.h"
#include "platform.h"
#include "read_observer.h"
#include "rereader.h"
#include "scan/byte_lanes.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>


namespace corvel {

// What ends a line: CR LF or a lone CR (a lone LF is text), or any of
// CR LF, lone CR and lone LF.

class LineReader {
public:
    LineReader() = default;
    explicit LineReader(File file);

    // Hands every byte read from now on to `observer` (null: none). The
    // observer must outlive the reading.
    void observe(ReadObserver* observer) { observer_ = observer; }
    // Before the first line: drops a UTF-8 byte-order mark at the start of
    // the file, so that it is not part of line 1. True when there was one.
    bool skipUtf8Bom();

    bool isOpen() const { return file_.isOpen(); }
    // The file itself, for a reader that reads it in blocks instead.
    File& file() { return file_; }

    // From now on a line longer than the buffer is not held: it is handed
    // out as an empty line, and takeLongLine() tells where it lies and what
    // decides its class; pieces() gives its bytes again, from the file or,
    // for a pipe, from a spill file made in `spillNear` (see Rereader).
    // Without this call lines of any length are held whole.
    void boundLines(const Folder* spillNear);
    // After next(): the line just handed out when it was too long to be
    // held, else null (and after any other call). Valid until the next read.
    const LongLine* takeLongLine()
    {
        if (!longOut_)
            return nullptr;
        longOut_ = false;
        return &long_;
    }
    // Hands the file's bytes [from, to) of the latest long line to `take`
    // in pieces; false when they could not be read again (rereadError()).
    bool pieces(std::uint64_t from, std::uint64_t to, void (*take)(void*, std::string_view),
                void* to_);
    const Error& rereadError() const { return rereadError_; }
    // True when no line is left (reads ahead as needed). A read failure also
    // ends the file; error() then tells it.
    bool atEnd()
    {
        if (begin_ < end_)
            return false;
        return atEndSlow();
    }
    // The next line without its terminator; valid until the next call.
    // Only after atEnd() returned false.
    std::string_view next()
    {
        std::size_t at = findCr(begin_ > scan_ ? begin_ : scan_);
        if (at + 1 < end_) {  // the usual case: a CR with the next byte read
            std::string_view line(buffer_.get() + begin_, at - begin_);
            begin_ = at + 1 + (buffer_[at + 1] == '\n');
            return line;
        }
        return nextSlow(at);
    }
    // next() for LineEnds::Any: a lone LF ends a line too. A reader is read
    // with one of next() and nextAnyEnds() throughout, so that the default
    // reading keeps its own code path.
    std::string_view nextAnyEnds()
    {
        std::size_t at = findLineEnd(begin_ > scan_ ? begin_ : scan_);
        if (at + 1 < end_) {
            std::string_view line(buffer_.get() + begin_, at - begin_);
            begin_ = at + 1 + (buffer_[at] == '\r' && buffer_[at + 1] == '\n');
            return line;
        }
        return nextSlowAnyEnds(at);
    }
    const Error& error() const { return error_; }
    Error close() { return file_.close(); }

private:
    // The first line end at or after `from`, or end_: a CR, and with `AlsoLf`
    // (LineEnds::Any) an LF as well. The ends of a 64-byte block are found at
    // once and kept as a bit mask, so that the short lines of a dictionary
    // cost a bit search each rather than a memory scan. The buffer has slack
    // after its capacity, so whole blocks may be loaded up to end_. A reader
    // keeps to one kind of line end, so the mask is never of the other kind.
    template <bool AlsoLf>
    std::size_t findEnd(std::size_t from)
    {
        for (;;) {
            if (from < maskBase_ || from >= maskBase_ + 64)
                loadEndMask<AlsoLf>(from);
            std::uint64_t pending = endMask_ & (~std::uint64_t {0} << (from - maskBase_));
            if (pending != 0) {
                std::size_t at = maskBase_ + static_cast<std::size_t>(__builtin_ctzll(pending));
                return at < end_ ? at : end_;
            }
            from = maskBase_ + 64;
            if (from >= end_)
                return end_;
        }
    }
    std::size_t findCr(std::size_t from) { return findEnd<false>(from); }
    std::size_t findLineEnd(std::size_t from) { return findEnd<true>(from); }
    template <bool AlsoLf>
    void loadEndMask(std::size_t base)
    {
        maskBase_ = base;
        using L = lanes::BaselineLanes;
        const auto v = L::load(buffer_.get() + base);
        auto ends = L::eq(v, '\r');
        if constexpr (AlsoLf)
            ends = L::either(ends, L::eq(v, '\n'));
        endMask_ = L::bits(ends);
    }
    bool atEndSlow();
    template <bool AlsoLf>
    std::string_view nextSlowEnd(std::size_t at);
    template <bool AlsoLf>
    std::string_view passLongLine(std::size_t at);
    void passBytes(std::size_t from, std::size_t to);
    std::string_view nextSlow(std::size_t at);
    std::string_view nextSlowAnyEnds(std::size_t at);
    void refill();

    File file_;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    std::size_t begin_ = 0;  // first unread byte
    std::size_t end_ = 0;    // end of the bytes read so far
    std::size_t scan_ = 0;   // where the search for the next CR resumes
    std::size_t maskBase_ = static_cast<std::size_t>(-1) / 2;  // block of endMask_
    std::uint64_t endMask_ = 0;  // CRs, or with nextAnyEnds() CRs and LFs
    bool eof_ = false;
    Error error_;
    ReadObserver* observer_ = nullptr;
    std::uint64_t bufferOffset_ = 0;  // file offset of the buffer's first byte
    bool bounded_ = false;
    Rereader reread_;
    LongLine long_;
    bool longOut_ = false;
    Error rereadError_;
};

// The bytes of a line the reader did not hold, read again whenever they are
// quoted or copied.
class ReaderText : public LongText {
public:
    ReaderText(LineReader& reader, const LongLine& line) : reader_(reader), line_(line) {}
    std::uint64_t size() const override { return line_.end - line_.start; }
    bool forEachPiece(void (*take)(void*, std::string_view), void* to) const override
    {
        return reader_.pieces(line_.start, line_.end, take, to);
    }

private:
    LineReader& reader_;
    LongLine line_;
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

    // Opens `name` in `folder` anew (Write) or for appending (Append),
    // never through a link; returns the failure. With NewFile, Write goes
    // to a new file beside the name, which close() puts in its place.
    Error open(const Folder& folder, const std::filesystem::path& name, File::Access access,
               OutputPlacement placement = OutputPlacement::InPlace);
    bool isOpen() const { return file_.isOpen(); }

    // Writes `text` and CR LF.
    void writeLine(std::string_view text)
    {
        stageLine(text);
        commit();
    }
    // Writes `text` and CR LF tentatively: a staged line reaches the file
    // only once commit() follows; discardStaged() or closing drops it.
    // Staged bytes beyond the buffer go to the file ahead of their commit,
    // so memory stays the buffer's; dropping them cuts the file back.
    void stageLine(std::string_view text)
    {
        if (used_ + text.size() + 2 <= capacity_) {
            if (!text.empty())  // an empty view may have no data pointer
                std::memcpy(buffer_.get() + used_, text.data(), text.size());
            used_ += text.size();
            buffer_[used_++] = '\r';
            buffer_[used_++] = '\n';
            return;
        }
        stageSlow(text);
    }
    // A line too long to be held, staged in pieces, and CR LF.
    void stageLine(const LongText& text);
    void commit()
    {
        committed_ = used_;
        ahead_ = false;
    }
    void discardStaged()
    {
        used_ = committed_;
        if (ahead_)
            dropAhead();
    }
    // Bytes as they stand (lines with their terminators), staged like a
    // line: kept only if commit() follows.
    void stageBytes(const char* data, std::size_t size);
    // Bytes as they stand, committed with whatever was staged before them.
    // Runs of any length pass through the buffer in full-buffer writes.
    void writeBytes(const char* data, std::size_t size);
    void writeEmptyLines(int count);
    // The first failure of a write since opening; writes after it are lost.
    const Error& error() const { return error_; }
    bool failed() const { return failed_; }
    // Writes out the buffer and closes; returns the first failure.
    Error close();

private:
    void stageSlow(std::string_view text);
    // Staged bytes written to the file before their commit.
    void stageAhead(const char* data, std::size_t size);
    void dropAhead();
    bool writable();
    void failUnopened();
    void flush();
    void setError(Error error);

    void putInPlace();

    File file_;
    std::filesystem::path path_;
    std::filesystem::path made_;  // the new file, until put in place
    std::unique_ptr<UnfinishedFile> unfinished_;
    Error openError_;
    Error error_;
    bool failed_ = false;
    bool tried_ = false;  // opened (or tried to) since construction
    // The buffer exists only while the file is open, so a write to a file
    // that is not open always takes the slow path and fails there.
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    std::size_t used_ = 0;
    std::size_t committed_ = 0;  // bytes of the buffer that are not staged
    // Staged bytes went to the file ahead of their commit, from this size
    // of the file on; the buffer then holds staged bytes only.
    bool ahead_ = false;
    std::uint64_t aheadFrom_ = 0;
};

}  // namespace corvel
