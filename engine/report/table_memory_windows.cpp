// Windows side of TableMemory: committed pages from VirtualAlloc (large
// pages need a privilege that users do not have).
#include "table_memory.h"

#include <windows.h>

#include <new>

namespace corvel::report {

TableMemory::TableMemory(std::size_t bytes) : mapped_(bytes), size_(bytes)
{
    base_ = ::VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (base_ == nullptr)
        throw std::bad_alloc();
    data_ = base_;
}

void TableMemory::release()
{
    if (base_ != nullptr)
        ::VirtualFree(base_, 0, MEM_RELEASE);
    base_ = data_ = nullptr;
    mapped_ = size_ = 0;
}

}  // namespace corvel::report
