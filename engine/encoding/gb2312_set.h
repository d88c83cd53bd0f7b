// The code points of GB2312, for checking UTF-8 text against it: built once
// per process from the GB2312 cells and the system's GBK tables.
#pragma once

#include <bitset>
#include <cstdint>

namespace corvel::encoding {

class Gb2312Set {
public:
    // The process's set (built on first use; safe from any thread).
    static const Gb2312Set& instance();

    bool contains(std::uint32_t codePoint) const
    {
        return codePoint < 0x10000 && bits_[codePoint];
    }

private:
    Gb2312Set();
    std::bitset<0x10000> bits_;
};

}  // namespace corvel::encoding
