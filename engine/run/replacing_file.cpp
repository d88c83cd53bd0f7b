#include "corvel/replacing_file.h"

#include "corvel/unfinished_files.h"
#include "platform.h"

#include <cerrno>
#include <streambuf>
#include <optional>
#include <vector>

namespace corvel {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
// Names tried for the new file before giving up: another file can take a
// name only by chance.
constexpr int kNameTries = 16;
#ifdef _WIN32
constexpr int kIsAFolder = 336;  // ERROR_DIRECTORY_NOT_SUPPORTED
#else
constexpr int kIsAFolder = EISDIR;
#endif

// Buffers what is written and hands it to the file in blocks, keeping the
// first failure.
class FileBuffer : public std::streambuf {
public:
    explicit FileBuffer(File& file) : file_(file), buffer_(kBufferSize)
    {
        setp(buffer_.data(), buffer_.data() + buffer_.size());
    }
    const Error& error() const { return error_; }
    Error flushAll()
    {
        (void)sync();
        return error_;
    }

protected:
    int_type overflow(int_type c) override
    {
        if (sync() != 0)
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override
    {
        const std::size_t size = static_cast<std::size_t>(pptr() - pbase());
        if (size > 0 && !error_)
            error_ = file_.writeAll(pbase(), size);
        setp(buffer_.data(), buffer_.data() + buffer_.size());
        return error_ ? -1 : 0;
    }

private:
    File& file_;
    std::vector<char> buffer_;
    Error error_;
};

// Names the system gives an open descriptor or a device: writing there
// means writing to what it stands for, never replacing it.
bool isDescriptorName(const fs::path& path)
{
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec).lexically_normal();
    auto part = absolute.begin();
    if (ec || part == absolute.end() || ++part == absolute.end())
        return false;
    return *part == "dev" || *part == "proc";
}

}  // namespace

struct ReplacingFile::Parts {
    fs::path target;
    fs::path made;  // the new file; empty when writing in place
    File file;
    std::optional<UnfinishedFile> unfinished;  // while `made` is not in place
    FileBuffer buffer {file};
    std::ostream stream {&buffer};
};

ReplacingFile::ReplacingFile() : parts_(std::make_unique<Parts>()) {}

ReplacingFile::~ReplacingFile()
{
    if (parts_->made.empty())
        return;
    (void)parts_->file.close();
    std::error_code ec;
    fs::remove(parts_->made, ec);
    parts_->unfinished.reset();
}

Error ReplacingFile::open(const fs::path& given)
{
    Error error;
    std::error_code ec;
    const fs::file_status status = fs::status(given, ec);  // links followed
    if (fs::is_directory(status))
        return Error::fromSystem(FileOp::OpenWrite, displayPath(given), kIsAFolder);
    if ((fs::exists(status) && !fs::is_regular_file(status)) || isDescriptorName(given)) {
        parts_->file = File::open(given, File::Access::Write, error);
        parts_->target = given;
        return error;
    }
    const fs::path target = linkTarget(given);
    for (int tries = 0; tries < kNameTries; ++tries) {
        fs::path name = newFileBeside(target);
        parts_->file = File::open(name, File::Access::Create, error);
        if (!error) {
            parts_->target = target;
            parts_->made = name;
            parts_->unfinished.emplace(name, target);
#ifndef _WIN32
            // A private report stays private.
            if (fs::exists(status))
                fs::permissions(name, status.permissions(), ec);
#endif
            return error;
        }
        if (!fs::exists(fs::symlink_status(name, ec)))
            break;  // not taken: the folder refuses it
    }
    return Error(error.kind(), error.op(), displayPath(target), error.cause());
}

std::ostream& ReplacingFile::stream()
{
    return parts_->stream;
}

Error ReplacingFile::commit()
{
    Error error = parts_->buffer.flushAll();
    Error closed = parts_->file.close();
    if (!error)
        error = closed;
    if (parts_->made.empty())
        return error;  // written in place
    std::error_code ec;
    if (!error) {
        parts_->unfinished->whole();
        fs::rename(parts_->made, parts_->target, ec);
        if (ec)
            error = Error(ErrorKind::Other, FileOp::Write, displayPath(parts_->target),
                          ec.message());
    }
    if (error)
        fs::remove(parts_->made, ec);
    parts_->unfinished.reset();
    parts_->made.clear();
    return error;
}

}  // namespace corvel
