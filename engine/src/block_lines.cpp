#include "block_lines.h"

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

scan::ScanOptions optionsFor(scan::Layout layout, bool rereadable)
{
    scan::ScanOptions options;
    options.layout = layout;
    if (!rereadable)
        options.keepLimit = std::numeric_limits<std::size_t>::max();
    return options;
}
}  // namespace

BlockLines::BlockLines(File& file, scan::Layout layout)
    : file_(file),
      rereadable_(canReadTwice(file)),
      classifier_(optionsFor(layout, rereadable_)),
      buffer_(std::make_unique<char[]>(kRead + scan::LineClassifier::kSlack))
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
    lastByte_ = buffer_[n - 1];
    return true;
}

std::string_view BlockLines::text(const scan::ScannedLine& line)
{
    if (line.text != nullptr || line.size() == 0)
        return line.view();
    reread_.resize(static_cast<std::size_t>(line.size()));
    const std::size_t got = file_.readAt(line.start, reread_.data(), reread_.size(), error_);
    if (!error_ && got != reread_.size())
        error_ = Error(ErrorKind::Other, FileOp::Read, displayPath(file_.path()),
                       "the file changed while it was read");
    return error_ ? std::string_view() : std::string_view(reread_);
}

// A CR as the last byte read ends a line only once the next byte is known;
// when the next read fails, that line was cut short.
std::uint64_t BlockLines::lines() const
{
    const std::uint64_t counted = classifier_.lines();
    return error_ && lastByte_ == '\r' && counted > 0 ? counted - 1 : counted;
}

}  // namespace corvel
