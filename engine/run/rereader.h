// The dictionary's bytes given again after the run has read past them, for
// a line too long to be held: read from the file at their offset, or, when
// the file cannot be read twice (a pipe), from a spill file that holds what
// the reader kept for this. The spill file has no name (or loses it at
// once), is made only when first needed, and is gone when the run ends.
#pragma once

#include "corvel/error.h"
#include "platform.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace corvel {

class Rereader {
public:
    // Decides from `file` how its bytes are read again. A spill file goes
    // into `spillNear` where the system allows it (else the temporary folder).
    void start(File& file, const Folder* spillNear);
    // Whether the file itself can give its bytes again (it is not a pipe).
    bool fromFile() const { return fromFile_; }

    // For a pipe: the kept bytes are the file's [keptFrom(), keptEnd()).
    // restart() drops them; keeping goes on from `offset`.
    Error restart(std::uint64_t offset);
    // Keeps the file's bytes that start at keptEnd().
    Error keep(const char* data, std::size_t size);
    std::uint64_t keptFrom() const { return keptFrom_; }
    std::uint64_t keptEnd() const { return keptEnd_; }

    // Hands the file's bytes [from, to) to put(data, size), a piece at a
    // time; returns the failure that stopped it.
    template <typename Put>
    Error each(File& file, std::uint64_t from, std::uint64_t to, Put put)
    {
        while (from < to) {
            const auto size = static_cast<std::size_t>(std::min<std::uint64_t>(to - from, kPiece));
            if (Error failed = readPiece(file, from, size))
                return failed;
            put(static_cast<const char*>(piece_.get()), size);
            from += size;
        }
        return Error();
    }

private:
    static constexpr std::size_t kPiece = 1024 * 1024;

    Error readPiece(File& file, std::uint64_t offset, std::size_t size);
    Error spillFailed(const Error& error) const;

    bool fromFile_ = true;
    const Folder* spillNear_ = nullptr;
    File spill_;
    bool spillHolds_ = false;  // bytes were written since the last restart
    std::uint64_t keptFrom_ = 0;
    std::uint64_t keptEnd_ = 0;
    std::unique_ptr<char[]> piece_;
};

}  // namespace corvel
