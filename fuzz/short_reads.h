// Reads of the dictionary as a slow or failing device delivers them: short
// reads of sizes drawn from the fuzz input, interruptions (EINTR) and, now
// and then, an I/O error. The engine's own calls of read() are routed here
// at link time (-Wl,--wrap=read); nothing changes while no plan is active.
#pragma once

#include "random_host.h"

#include <cstddef>

namespace corvel::fuzz {

class ReadPlan {
public:
    enum class Kind { Whole, Tiny, Short, Faulty };
    explicit ReadPlan(std::uint64_t seed);

    Kind kind() const { return kind_; }
    // Whether an I/O error was injected.
    bool failed() const { return failed_; }

    // Active while the object lives.
    class Scope {
    public:
        explicit Scope(ReadPlan& plan);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
    };

    // What the next read does: -1 with errno set, or the bytes it may return.
    long next(std::size_t wanted);

private:
    Dice dice_;
    Kind kind_;
    bool failed_ = false;
};

}  // namespace corvel::fuzz
