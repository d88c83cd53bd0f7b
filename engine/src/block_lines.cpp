#include "block_lines.h"

#include <algorithm>
#include <limits>

namespace corvel {

namespace {
// Reads of this size cost the least here: large enough that the scan runs
// on, small enough to stay in the second-level cache.
constexpr std::size_t kRead = 1024 * 1024;

// A file that can be read at an offset can give a long line's bytes again.
bool canReadTwice(File& file)
{
    char byte;
    Error error;
    (void)file.readAt(0, &byte, 1, error);
    return !error;
}

scan::ScanOptions optionsFor(scan::Layout layout, bool copying, bool rereadable)
{
    scan::ScanOptions options;
    options.layout = layout;
    options.copying = copying;
    if (!rereadable)
        options.keepLimit = std::numeric_limits<std::size_t>::max();
    return options;
}
}  // namespace

BlockLines::BlockLines(File& file, scan::Layout layout, bool copying)
    : file_(file),
      rereadable_(canReadTwice(file)),
      classifier_(optionsFor(layout, copying, rereadable_)),
      buffer_(std::make_unique_for_overwrite<char[]>(kRead + scan::LineClassifier::kSlack))
{
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

void BlockLines::copy(std::uint64_t from, std::uint64_t to, OutputFile& out, bool staged)
{
    eachPiece(from, to, [&](const char* data, std::size_t size) {
        if (staged)
            out.stageBytes(data, size);
        else
            out.writeBytes(data, size);
    });
}

bool BlockLines::pieces(std::uint64_t from, std::uint64_t to,
                        void (*take)(void*, std::string_view), void* to_)
{
    eachPiece(from, to, [&](const char* data, std::size_t size) { take(to_, {data, size}); });
    return !error_;
}

template <typename Take>
void BlockLines::eachPiece(std::uint64_t from, std::uint64_t to, Take put)
{
    // Bytes before the latest read: read again, a piece at a time.
    constexpr std::size_t kPiece = 1024 * 1024;
    while (from < to && from < readOffset_ && !error_) {
        const std::size_t size = static_cast<std::size_t>(std::min<std::uint64_t>(
            {to, readOffset_, from + kPiece}) - from);
        reread_.resize(size);
        if (file_.readAt(from, reread_.data(), size, error_) != size && !error_)
            error_ = Error(ErrorKind::Other, FileOp::Read, displayPath(file_.path()),
                           "the file changed while it was read");
        if (!error_)
            put(reread_.data(), size);
        from += size;
    }
    if (from < to && !error_)
        put(buffer_.get() + (from - readOffset_), static_cast<std::size_t>(to - from));
}

// A CR as the last byte read ends a line only once the next byte is known;
// when the next read fails, that line was cut short.
std::uint64_t BlockLines::lines() const
{
    const std::uint64_t counted = classifier_.lines();
    return error_ && lastByte_ == '\r' && counted > 0 ? counted - 1 : counted;
}

}  // namespace corvel
