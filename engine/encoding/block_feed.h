// Bytes that arrive in pieces of any size, handed on in whole 64-byte
// blocks, as the block masks take them; the bytes of a block not yet
// complete wait here until the next piece or the end.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace corvel::encoding {

class BlockFeed {
public:
    static constexpr std::size_t kBlock = 64;

    // Calls take(p, n) for runs of n whole blocks at p, in order.
    template <typename TakeBlocks>
    void feed(const char* data, std::size_t size, TakeBlocks take)
    {
        if (waiting_ > 0) {
            std::size_t part = std::min(size, kBlock - waiting_);
            std::memcpy(block_ + waiting_, data, part);
            waiting_ += part;
            data += part;
            size -= part;
            if (waiting_ < kBlock)
                return;
            take(static_cast<const char*>(block_), std::size_t {1});
            waiting_ = 0;
        }
        take(data, size / kBlock);
        waiting_ = size % kBlock;
        std::memcpy(block_, data + size - waiting_, waiting_);
    }

    // The bytes still waiting, taken out.
    std::string_view takeRest()
    {
        std::string_view rest(block_, waiting_);
        waiting_ = 0;
        return rest;
    }
    // The bytes still waiting as a whole block, padded with `fill`; none
    // when nothing waits.
    const char* padRest(char fill)
    {
        if (waiting_ == 0)
            return nullptr;
        std::memset(block_ + waiting_, fill, kBlock - waiting_);
        waiting_ = 0;
        return block_;
    }

private:
    char block_[kBlock];
    std::size_t waiting_ = 0;
};

}  // namespace corvel::encoding
