#include "text_files.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <cstring>

namespace corvel {

namespace {
constexpr std::size_t kReadChunk = 256 * 1024;
// Room after the buffer's capacity for whole-block loads near its end.
constexpr std::size_t kSlack = 64;
constexpr std::size_t kWriteBuffer = 64 * 1024;
}  // namespace

// The buffer is made on the first read: a run that reads the file in
// blocks instead never needs it.
LineReader::LineReader(File file) : file_(std::move(file)), capacity_(kReadChunk) {}

void LineReader::refill()
{
    if (!buffer_)
        buffer_ = std::make_unique<char[]>(capacity_ + kSlack);
    maskBase_ = static_cast<std::size_t>(-1) / 2;  // the buffer's bytes move
    if (begin_ > 0) {
        bufferOffset_ += begin_;
        std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
        end_ -= begin_;
        scan_ = scan_ > begin_ ? scan_ - begin_ : 0;
        begin_ = 0;
    }
    if (end_ == capacity_) {  // a line longer than the buffer
        auto bigger = std::make_unique<char[]>(capacity_ * 2 + kSlack);
        std::memcpy(bigger.get(), buffer_.get(), end_);
        buffer_ = std::move(bigger);
        capacity_ *= 2;
    }
    std::size_t n = file_.read(buffer_.get() + end_, capacity_ - end_, error_);
    if (n == 0)
        eof_ = true;
    else if (observer_ != nullptr)
        observer_->bytesRead(buffer_.get() + end_, n);
    end_ += n;
}

bool LineReader::skipUtf8Bom()
{
    while (end_ - begin_ < 3 && !eof_ && !error_ && file_.isOpen())
        refill();
    if (end_ - begin_ < 3 || std::memcmp(buffer_.get() + begin_, "\xEF\xBB\xBF", 3) != 0)
        return false;
    begin_ += 3;
    return true;
}

bool LineReader::atEndSlow()
{
    while (begin_ == end_ && !eof_ && !error_ && file_.isOpen())
        refill();
    return begin_ == end_;
}

// A line end found at `at` ends its line once the byte after a CR is known
// (is an LF next?) or there is none; an LF of LineEnds::Any ends it at once.
template <bool AlsoLf>
std::string_view LineReader::nextSlowEnd(std::size_t at)
{
    for (;;) {
        const bool lf = AlsoLf && at < end_ && buffer_[at] == '\n';
        if (at < end_ && (lf || at + 1 < end_ || eof_ || error_)) {
            std::string_view line(buffer_.get() + begin_, at - begin_);
            begin_ = at + 1;
            if (!lf && begin_ < end_ && buffer_[begin_] == '\n')
                ++begin_;
            scan_ = begin_;
            return line;
        }
        if (at == end_ && (eof_ || error_)) {  // a last line without terminator
            std::string_view line(buffer_.get() + begin_, end_ - begin_);
            begin_ = scan_ = end_;
            return line;
        }
        // Read on: no line end yet, or a CR as the last byte read.
        if (bounded_ && end_ - begin_ == capacity_)
            return passLongLine<AlsoLf>(at);
        scan_ = at;
        refill();
        at = findEnd<AlsoLf>(scan_);
    }
}

void LineReader::boundLines(const Folder* spillNear)
{
    bounded_ = true;
    reread_.start(file_, spillNear);
}

// A line that fills the buffer: its bytes pass through its facts (and for a
// pipe into the spill file) and are let go; the same line ends as in
// nextSlowEnd(). `at` is the first line end found, or end_.
template <bool AlsoLf>
std::string_view LineReader::passLongLine(std::size_t at)
{
    long_ = LongLine {};
    long_.start = bufferOffset_ + begin_;
    if (!reread_.fromFile() && !error_)
        error_ = reread_.restart(long_.start);
    for (;;) {
        passBytes(begin_, at);
        const bool lf = AlsoLf && at < end_ && buffer_[at] == '\n';
        if (at < end_ && (lf || at + 1 < end_ || eof_ || error_)) {
            long_.end = bufferOffset_ + at;
            begin_ = at + 1;
            if (!lf && begin_ < end_ && buffer_[begin_] == '\n')
                ++begin_;
            break;
        }
        if (at == end_ && (eof_ || error_)) {  // a last line without terminator
            long_.end = bufferOffset_ + end_;
            break;
        }
        scan_ = at;
        refill();
        at = findEnd<AlsoLf>(scan_);
    }
    scan_ = begin_;
    longOut_ = true;
    return {};
}

// The long line's bytes [from, to) of the buffer, passed and let go.
void LineReader::passBytes(std::size_t from, std::size_t to)
{
    if (from == to)
        return;
    const std::string_view bytes(buffer_.get() + from, to - from);
    long_.facts.add(bytes);
    if (!reread_.fromFile() && !error_)
        error_ = reread_.keep(bytes.data(), bytes.size());
    begin_ = to;
}

bool LineReader::pieces(std::uint64_t from, std::uint64_t to,
                        void (*take)(void*, std::string_view), void* to_)
{
    if (rereadError_)
        return false;
    rereadError_ = reread_.each(file_, from, to, [&](const char* data, std::size_t size) {
        take(to_, {data, size});
    });
    return !rereadError_;
}

std::string_view LineReader::nextSlow(std::size_t at)
{
    return nextSlowEnd<false>(at);
}

std::string_view LineReader::nextSlowAnyEnds(std::size_t at)
{
    return nextSlowEnd<true>(at);
}

OutputFile::~OutputFile()
{
    (void)close();
}

namespace {
#ifdef _WIN32
constexpr int kIsAFolder = 336;  // ERROR_DIRECTORY_NOT_SUPPORTED
#else
constexpr int kIsAFolder = EISDIR;
#endif
// Names tried for a new file before giving up: another file can take a
// name only by chance.
constexpr int kNameTries = 16;
}  // namespace

Error OutputFile::open(const Folder& folder, const std::filesystem::path& name,
                       File::Access access, OutputPlacement placement)
{
    (void)close();
    path_ = folder.path() / name;
    tried_ = true;
    error_ = Error();
    failed_ = false;
    if (placement == OutputPlacement::NewFile && access == File::Access::Write) {
        // What the name holds is refused as an open at it would refuse it.
        std::error_code ec;
        const auto status = std::filesystem::symlink_status(path_, ec);
        if (std::filesystem::is_symlink(status))
            openError_ = linkRefused(FileOp::OpenWrite, path_);
        else if (std::filesystem::is_directory(status))
            openError_ = Error::fromSystem(FileOp::OpenWrite, displayPath(path_), kIsAFolder);
        for (int tries = 0; !openError_ && tries < kNameTries; ++tries) {
            const std::filesystem::path made = newFileBeside(path_);
            file_ = File::openIn(folder, made.filename(), File::Access::Create, openError_);
            if (!openError_) {
                made_ = made;
                unfinished_ = std::make_unique<UnfinishedFile>(made_, path_);
                break;
            }
            if (!std::filesystem::exists(std::filesystem::symlink_status(made, ec)))
                break;  // not taken: the folder refuses it
        }
        if (openError_)  // named as the output, not as the new file
            openError_ = Error(openError_.kind(), openError_.op(), displayPath(path_),
                               openError_.cause());
    } else {
        file_ = File::openIn(folder, name, access, openError_);
    }
    if (openError_)
        return openError_;
    // Not cleared: only the bytes written are touched, so a short log costs
    // one page, not sixteen.
    buffer_ = std::make_unique_for_overwrite<char[]>(kWriteBuffer);
    capacity_ = kWriteBuffer;
    used_ = committed_ = 0;
    return Error();
}

// The new file takes the output's name in one rename, so the name always
// holds a whole file: the earlier run's until the rename, then this one's.
// A hard link of another file at the name loses only the name, and the
// other file keeps its bytes. A signal before the rename finds the new file
// whole and renames it itself.
void OutputFile::putInPlace()
{
    unfinished_->whole();
    std::error_code ec;
    std::filesystem::rename(made_, path_, ec);
    if (ec) {
        setError(Error(ErrorKind::Other, FileOp::Write, displayPath(path_), ec.message()));
        std::filesystem::remove(made_, ec);
    }
    unfinished_.reset();
    made_.clear();
}

void OutputFile::setError(Error error)
{
    if (!made_.empty() && error && error.path() == displayPath(made_))
        error = Error(error.kind(), error.op(), displayPath(path_), error.cause());
    if (!failed_ && error) {
        error_ = std::move(error);
        failed_ = true;
    }
}

void OutputFile::failUnopened()
{
    setError(tried_ ? Error(ErrorKind::Other, FileOp::Write, openError_.path(),
                            "cannot be written: " + openError_.cause())
                    : Error(ErrorKind::Other, FileOp::Write, displayPath(path_),
                            "the file is not open"));
}

bool OutputFile::writable()
{
    if (failed_)
        return false;
    if (!file_.isOpen()) {
        failUnopened();
        return false;
    }
    return true;
}

void OutputFile::stageBytes(const char* data, std::size_t size)
{
    if (size == 0 || !writable())
        return;
    if (used_ + size > capacity_) {
        flush();
        if (used_ + size > capacity_) {
            // More staged bytes than the buffer holds: they go to the file
            // before their commit, and are cut off again when dropped.
            stageAhead(buffer_.get(), used_);
            used_ = 0;
            if (size >= capacity_) {
                stageAhead(data, size);
                return;
            }
        }
    }
    std::memcpy(buffer_.get() + used_, data, size);
    used_ += size;
}

void OutputFile::stageAhead(const char* data, std::size_t size)
{
    if (!ahead_) {
        Error error;
        aheadFrom_ = file_.size(error);
        setError(std::move(error));
        ahead_ = true;
    }
    if (!failed_ && size > 0)
        setError(file_.writeAll(data, size));
}

// The staged bytes written ahead are dropped: the file is cut back to
// where they began.
void OutputFile::dropAhead()
{
    ahead_ = false;
    if (!failed_)
        setError(file_.truncate(aheadFrom_));
}

void OutputFile::writeBytes(const char* data, std::size_t size)
{
    commit();
    if (size == 0 || !writable())
        return;
    if (size >= capacity_) {  // a long run goes to the file as it stands
        flush();
        if (!failed_)
            setError(file_.writeAll(data, size));
        return;
    }
    while (size > 0) {
        if (used_ == capacity_)
            flush();
        const std::size_t n = std::min(size, capacity_ - used_);
        std::memcpy(buffer_.get() + used_, data, n);
        used_ += n;
        committed_ = used_;
        data += n;
        size -= n;
    }
}

void OutputFile::stageLine(const LongText& text)
{
    (void)text.forEachPiece(
        [](void* to, std::string_view piece) {
            static_cast<OutputFile*>(to)->stageBytes(piece.data(), piece.size());
        },
        this);
    stageBytes("\r\n", 2);
}

void OutputFile::stageSlow(std::string_view text)
{
    stageBytes(text.data(), text.size());
    stageBytes("\r\n", 2);
}

void OutputFile::writeEmptyLines(int count)
{
    for (int i = 0; i < count; ++i)
        writeLine({});
}

// Writes the committed bytes and keeps the staged ones.
void OutputFile::flush()
{
    if (committed_ > 0 && !failed_ && file_.isOpen())
        setError(file_.writeAll(buffer_.get(), committed_));
    std::memmove(buffer_.get(), buffer_.get() + committed_, used_ - committed_);
    used_ -= committed_;
    committed_ = 0;
}

Error OutputFile::close()
{
    if (!file_.isOpen()) {
        // A file that could not be created fails even when nothing was
        // written to it: the run must not end as if it had been written.
        if (tried_ && openError_)
            failUnopened();
        return error_;
    }
    discardStaged();
    flush();
    setError(file_.close());
    if (!made_.empty())
        putInPlace();
    buffer_.reset();
    capacity_ = 0;
    used_ = committed_ = 0;
    return error_;
}

}  // namespace corvel
