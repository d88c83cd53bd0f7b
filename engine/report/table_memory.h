// Zero-filled memory for a large hash table, taken straight from the
// system. On Linux it asks for transparent huge pages: a table of
// megabytes probed at random otherwise pays a TLB miss and, while it is
// first filled, a page fault for nearly every probe.
#pragma once

#include <cstddef>

namespace corvel::report {

class TableMemory {
public:
    TableMemory() = default;
    explicit TableMemory(std::size_t bytes);
    ~TableMemory();
    TableMemory(TableMemory&& other) noexcept;
    TableMemory& operator=(TableMemory&& other) noexcept;
    TableMemory(const TableMemory&) = delete;
    TableMemory& operator=(const TableMemory&) = delete;

    void* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    void release();

    void* base_ = nullptr;  // what the system gave
    std::size_t mapped_ = 0;
    void* data_ = nullptr;  // aligned for huge pages where that applies
    std::size_t size_ = 0;
};

}  // namespace corvel::report
