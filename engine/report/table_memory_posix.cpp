// POSIX side of TableMemory: an anonymous mapping, 2 MB aligned and marked
// for huge pages where the system has them.
#include "table_memory.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace corvel::report {

namespace {
constexpr std::size_t kHugePage = 2 * 1024 * 1024;
}

TableMemory::TableMemory(std::size_t bytes) : size_(bytes)
{
    bool huge = bytes >= kHugePage;
    mapped_ = huge ? bytes + kHugePage : bytes;
    base_ = ::mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base_ == MAP_FAILED) {
        base_ = nullptr;
        throw std::bad_alloc();
    }
    auto address = reinterpret_cast<std::uintptr_t>(base_);
    if (huge)
        address = (address + kHugePage - 1) & ~(kHugePage - 1);
    data_ = reinterpret_cast<void*>(address);
#ifdef MADV_HUGEPAGE
    if (huge)
        (void)::madvise(data_, bytes, MADV_HUGEPAGE);
#endif
}

void TableMemory::release()
{
    if (base_ != nullptr)
        ::munmap(base_, mapped_);
    base_ = data_ = nullptr;
    mapped_ = size_ = 0;
}

}  // namespace corvel::report
