// A storage device that fails in the middle of a file: while a FailingReads
// object lives, every read() of the engine returns at most `piece` bytes and
// the read numbered `failAt` fails with EIO. The engine's calls of read()
// are routed here at link time (-Wl,--wrap=read).
#pragma once

#include <cstddef>

namespace corvel::robustness {

class FailingReads {
public:
    FailingReads(std::size_t piece, int failAt);
    ~FailingReads();
    FailingReads(const FailingReads&) = delete;
    FailingReads& operator=(const FailingReads&) = delete;

    std::size_t piece() const { return piece_; }
    // Counts a read; true when this one is to fail.
    bool failsNow() { return ++reads_ == failAt_; }

private:
    std::size_t piece_;
    int failAt_;
    int reads_ = 0;
};

}  // namespace corvel::robustness
