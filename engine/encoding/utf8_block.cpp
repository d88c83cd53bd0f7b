#include "utf8_block.h"

namespace corvel::encoding {

namespace {

template <class Lanes>
inline bool blocksValid(const char* p, std::size_t blocks, Utf8Open& open, std::uint64_t& leads)
{
    for (; blocks > 0; --blocks, p += 64) {
        const Utf8Classes c = utf8Classes<Lanes>(p);
        if (!utf8BlockValid(c, open))
            return false;
        open.last = static_cast<unsigned char>(p[63]);
        leads |= c.lead2 | c.lead3 | c.lead4;
    }
    return true;
}

// One entry per instruction set, which inlines the lanes of its own.
CORVEL_LANES_FLATTEN
bool blocksPortable(const char* p, std::size_t blocks, Utf8Open& open, std::uint64_t& leads)
{
    return blocksValid<lanes::PortableLanes>(p, blocks, open, leads);
}

#if defined(CORVEL_VECTOR_KERNELS)
CORVEL_LANES_FLATTEN
bool blocksSse2(const char* p, std::size_t blocks, Utf8Open& open, std::uint64_t& leads)
{
    return blocksValid<lanes::Sse2Lanes>(p, blocks, open, leads);
}

CORVEL_KERNEL_AVX2 CORVEL_LANES_FLATTEN
bool blocksAvx2(const char* p, std::size_t blocks, Utf8Open& open, std::uint64_t& leads)
{
    return blocksValid<lanes::Avx2Lanes>(p, blocks, open, leads);
}
#endif

}  // namespace

bool utf8BlocksValid(const char* p, std::size_t blocks, Utf8Open& open, std::uint64_t& leads,
                     InstructionSet isa)
{
#if defined(CORVEL_VECTOR_KERNELS)
    if (isa == InstructionSet::Avx2)
        return blocksAvx2(p, blocks, open, leads);
    if (isa == InstructionSet::Sse2)
        return blocksSse2(p, blocks, open, leads);
#endif
    (void)isa;
    return blocksPortable(p, blocks, open, leads);
}

}  // namespace corvel::encoding
