#include "block_lines.h"

#include <algorithm>

namespace corvel {

namespace {
// Reads of this size cost the least here: large enough that the scan runs
// on, small enough to stay in the second-level cache.
constexpr std::size_t kRead = 1024 * 1024;

scan::ScanOptions optionsFor(scan::Layout layout, bool copying)
{
    scan::ScanOptions options;
    options.layout = layout;
    options.copying = copying;
    return options;
}
}  // namespace

BlockLines::BlockLines(File& file, scan::Layout layout, bool copying, const Folder* spillNear)
    : file_(file),
      classifier_(optionsFor(layout, copying)),
      buffer_(std::make_unique_for_overwrite<char[]>(kRead + scan::LineClassifier::kSlack))
{
    reread_.start(file, spillNear);
}

const scan::ScannedLine* BlockLines::next()
{
    for (;;) {
        if (taken_ < batch_.size())
            return &batch_[taken_++];
        taken_ = 0;
        if (ended_)
            return nullptr;
        batch_ = classifier_.scan();
        if (batch_.empty() && !readMore())
            return nullptr;
    }
}

// Feeds the next read, or at the end of the file takes the last lines.
// Returns false when a read failed: then nothing more is scanned.
bool BlockLines::readMore()
{
    const std::uint64_t open = classifier_.openLine().start;
    const std::uint64_t needed = beforeRead_ ? std::min(beforeRead_(), open) : open;
    if (!reread_.fromFile())
        keepForLater(needed);
    if (error_) {
        ended_ = true;
        return false;
    }
    const std::size_t n = file_.read(buffer_.get(), kRead, error_);
    if (error_) {
        ended_ = true;
        return false;
    }
    if (n == 0) {
        batch_ = classifier_.finish();
        ended_ = true;
        return true;
    }
    classifier_.feed(buffer_.get(), n);
    readOffset_ = classifier_.bytes() - n;
    readSize_ = n;
    lastByte_ = buffer_[n - 1];
    return true;
}

// A pipe: the bytes from `from` to the end of the latest read go to the
// spill file before the buffer is read into again. Kept bytes before `from`
// are let go once none of them is needed.
void BlockLines::keepForLater(std::uint64_t from)
{
    const std::uint64_t readEnd = readOffset_ + readSize_;
    Error failed;
    if (from >= readOffset_) {
        failed = reread_.restart(from);
        if (!failed)
            failed = reread_.keep(buffer_.get() + (from - readOffset_),
                                  static_cast<std::size_t>(readEnd - from));
    } else {
        failed = reread_.keep(buffer_.get(), readSize_);
    }
    if (failed && !error_)
        error_ = failed;
}

void BlockLines::copy(std::uint64_t from, std::uint64_t to, OutputFile& out, bool staged)
{
    (void)eachPiece(from, to, [&](const char* data, std::size_t size) {
        if (staged)
            out.stageBytes(data, size);
        else
            out.writeBytes(data, size);
    });
}

bool BlockLines::pieces(std::uint64_t from, std::uint64_t to,
                        void (*take)(void*, std::string_view), void* to_)
{
    return eachPiece(from, to,
                     [&](const char* data, std::size_t size) { take(to_, {data, size}); });
}

// Bytes before the latest read are read again (from the file, or for a
// pipe from the spill file); the rest are in the buffer. After a failed
// re-read nothing more is handed out.
template <typename Take>
bool BlockLines::eachPiece(std::uint64_t from, std::uint64_t to, Take put)
{
    if (rereadFailed_)
        return false;
    const std::uint64_t before = std::min(to, readOffset_);
    if (from < before) {
        if (Error failed = reread_.each(file_, from, before, put)) {
            rereadFailed_ = true;
            if (!error_)
                error_ = failed;
            return false;
        }
        from = before;
    }
    if (from < to)
        put(buffer_.get() + (from - readOffset_), static_cast<std::size_t>(to - from));
    return true;
}

// A CR as the last byte read ends a line only once the next byte is known;
// when the next read fails, that line was cut short.
std::uint64_t BlockLines::lines() const
{
    const std::uint64_t counted = classifier_.lines();
    return error_ && lastByte_ == '\r' && counted > 0 ? counted - 1 : counted;
}

}  // namespace corvel
