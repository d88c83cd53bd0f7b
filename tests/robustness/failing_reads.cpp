#include "failing_reads.h"

#include <sys/types.h>

#include <algorithm>
#include <cerrno>

extern "C" ssize_t __real_read(int fd, void* buffer, std::size_t size);

namespace corvel::robustness {

namespace {
FailingReads* active = nullptr;
}

FailingReads::FailingReads(std::size_t piece, int failAt) : piece_(piece), failAt_(failAt)
{
    active = this;
}

FailingReads::~FailingReads()
{
    active = nullptr;
}

}  // namespace corvel::robustness

extern "C" ssize_t __wrap_read(int fd, void* buffer, std::size_t size)
{
    using corvel::robustness::active;
    if (active == nullptr)
        return __real_read(fd, buffer, size);
    if (active->failsNow()) {
        errno = EIO;
        return -1;
    }
    return __real_read(fd, buffer, std::min(size, active->piece()));
}
