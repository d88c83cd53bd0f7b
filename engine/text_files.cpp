#include "text_files.h"

#include <cstring>

namespace corvel {

namespace {
constexpr std::size_t kReadChunk = 256 * 1024;
constexpr std::size_t kWriteBuffer = 64 * 1024;
}  // namespace

LineReader::LineReader(File file) : file_(std::move(file)), buffer_(kReadChunk) {}

void LineReader::refill()
{
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        scan_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size())
        buffer_.resize(buffer_.size() * 2);  // a line longer than the buffer
    std::size_t n = file_.read(buffer_.data() + end_, buffer_.size() - end_, error_);
    if (n == 0)
        eof_ = true;
    end_ += n;
}

bool LineReader::atEnd()
{
    while (begin_ == end_ && !eof_ && !error_ && file_.isOpen())
        refill();
    return begin_ == end_;
}

std::string_view LineReader::next()
{
    for (;;) {
        const char* base = buffer_.data();
        if (scan_ < begin_)
            scan_ = begin_;
        const void* cr = std::memchr(base + scan_, '\r', end_ - scan_);
        if (cr != nullptr) {
            std::size_t at = static_cast<const char*>(cr) - base;
            if (at + 1 < end_ || eof_) {
                std::string_view line(base + begin_, at - begin_);
                begin_ = at + 1;
                if (begin_ < end_ && base[begin_] == '\n')
                    ++begin_;
                scan_ = begin_;
                return line;
            }
            scan_ = at;  // a CR at the end of the bytes read: is an LF next?
        } else {
            if (eof_ || error_) {
                std::string_view line(base + begin_, end_ - begin_);
                begin_ = scan_ = end_;
                return line;
            }
            scan_ = end_;
        }
        refill();
    }
}

OutputFile::~OutputFile()
{
    (void)close();
}

Error OutputFile::open(const std::filesystem::path& path, File::Access access)
{
    (void)close();
    path_ = path;
    used_ = true;
    error_ = Error();
    file_ = File::open(path, access, openError_);
    if (openError_)
        return openError_;
    buffer_.reserve(kWriteBuffer);
    return Error();
}

void OutputFile::append(std::string_view bytes)
{
    if (error_)
        return;
    if (!file_.isOpen()) {
        error_ = used_ ? Error(ErrorKind::Other, FileOp::Write, openError_.path(),
                               "cannot be written: " + openError_.cause())
                       : Error(ErrorKind::Other, FileOp::Write, displayPath(path_),
                               "the file is not open");
        return;
    }
    if (buffer_.size() + bytes.size() > kWriteBuffer) {
        flush();
        if (bytes.size() > kWriteBuffer) {
            if (!error_)
                error_ = file_.writeAll(bytes.data(), bytes.size());
            return;
        }
    }
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

void OutputFile::writeLine(std::string_view text)
{
    append(text);
    append("\r\n");
}

void OutputFile::writeEmptyLines(int count)
{
    for (int i = 0; i < count; ++i)
        append("\r\n");
}

void OutputFile::flush()
{
    if (!buffer_.empty() && !error_ && file_.isOpen())
        error_ = file_.writeAll(buffer_.data(), buffer_.size());
    buffer_.clear();
}

Error OutputFile::close()
{
    if (!file_.isOpen())
        return error_;
    flush();
    Error closed = file_.close();
    if (!error_ && closed)
        error_ = closed;
    return error_;
}

}  // namespace corvel
