#include "short_reads.h"

#include <sys/types.h>

#include <algorithm>
#include <cerrno>

extern "C" ssize_t __real_read(int fd, void* buffer, std::size_t size);

namespace corvel::fuzz {

namespace {
ReadPlan* active = nullptr;
}

ReadPlan::ReadPlan(std::uint64_t seed)
    : dice_(seed ^ 0x5EADu), kind_(static_cast<Kind>(dice_.next() % 4))
{
}

ReadPlan::Scope::Scope(ReadPlan& plan)
{
    active = &plan;
}

ReadPlan::Scope::~Scope()
{
    active = nullptr;
}

long ReadPlan::next(std::size_t wanted)
{
    switch (kind_) {
    case Kind::Whole: return static_cast<long>(wanted);
    case Kind::Tiny: return static_cast<long>(std::min<std::size_t>(wanted, 1 + dice_.next() % 8));
    case Kind::Short:
        return static_cast<long>(std::min<std::size_t>(wanted, 1 + dice_.next() % 300));
    case Kind::Faulty: break;
    }
    if (dice_.oneIn(8)) {
        errno = EINTR;
        return -1;
    }
    if (dice_.oneIn(24)) {
        failed_ = true;
        errno = EIO;
        return -1;
    }
    return static_cast<long>(std::min<std::size_t>(wanted, 1 + dice_.next() % 64));
}

}  // namespace corvel::fuzz

extern "C" ssize_t __wrap_read(int fd, void* buffer, std::size_t size)
{
    using corvel::fuzz::active;
    if (active == nullptr || size == 0)
        return __real_read(fd, buffer, size);
    long allowed = active->next(size);
    if (allowed < 0)
        return -1;
    return __real_read(fd, buffer, static_cast<std::size_t>(allowed));
}
