#include "rereader.h"

namespace corvel {

namespace {
// A file that can be read at an offset can give its bytes again.
bool canReadTwice(File& file)
{
    char byte;
    Error error;
    (void)file.readAt(0, &byte, 1, error);
    return !error;
}
}  // namespace

void Rereader::start(File& file, const Folder* spillNear)
{
    fromFile_ = canReadTwice(file);
    spillNear_ = spillNear;
}

Error Rereader::spillFailed(const Error& error) const
{
    return Error(ErrorKind::Other, error.op(), error.path(),
                 "the temporary file for long lines of a pipe: " + error.cause());
}

Error Rereader::restart(std::uint64_t offset)
{
    keptFrom_ = keptEnd_ = offset;
    if (!spillHolds_)
        return Error();
    spillHolds_ = false;
    if (Error failed = spill_.truncate(0))
        return spillFailed(failed);
    return Error();
}

Error Rereader::keep(const char* data, std::size_t size)
{
    if (size == 0)
        return Error();
    if (!spill_.isOpen()) {
        Error opened;
        spill_ = File::openTemporary(spillNear_, opened);
        if (opened)
            return opened;
    }
    spillHolds_ = true;
    if (Error failed = spill_.writeAll(data, size))
        return spillFailed(failed);
    keptEnd_ += size;
    return Error();
}

Error Rereader::readPiece(File& file, std::uint64_t offset, std::size_t size)
{
    if (!piece_)
        piece_ = std::make_unique_for_overwrite<char[]>(kPiece);
    Error error;
    if (fromFile_) {
        if (file.readAt(offset, piece_.get(), size, error) != size && !error)
            error = Error(ErrorKind::Other, FileOp::Read, displayPath(file.path()),
                          "the file changed while it was read");
        return error;
    }
    if (offset < keptFrom_ || offset + size > keptEnd_)
        return Error(ErrorKind::Other, FileOp::Read, displayPath(file.path()),
                     "bytes read through a pipe were asked for after they were let go");
    if (spill_.readAt(offset - keptFrom_, piece_.get(), size, error) != size && !error)
        return Error(ErrorKind::Other, FileOp::Read, displayPath(spill_.path()),
                     "the temporary file for long lines of a pipe is shorter than written");
    return error ? spillFailed(error) : error;
}

}  // namespace corvel
