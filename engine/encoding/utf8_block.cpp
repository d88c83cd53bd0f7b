#include "utf8_block.h"

namespace corvel::encoding {

namespace {

#define CORVEL_UTF8_BLOCKS(classesOf)                       \
    for (; blocks > 0; --blocks, p += 64) {                 \
        const Utf8Classes c = classesOf(p);                 \
        if (!utf8BlockValid(c, open))                       \
            return false;                                   \
        open.last = static_cast<unsigned char>(p[63]);      \
        leads |= c.lead2 | c.lead3 | c.lead4;               \
    }                                                       \
    return true;

bool blocksPortable(const char* p, std::size_t blocks, Utf8Open& open, std::uint64_t& leads)
{
    CORVEL_UTF8_BLOCKS(utf8ClassesPortable)
}

#if defined(__SSE2__)
bool blocksSse2(const char* p, std::size_t blocks, Utf8Open& open, std::uint64_t& leads)
{
    CORVEL_UTF8_BLOCKS(utf8ClassesSse2)
}
#endif

#if defined(CORVEL_VECTOR_KERNELS)
CORVEL_KERNEL_AVX512
bool blocksAvx512(const char* p, std::size_t blocks, Utf8Open& open, std::uint64_t& leads)
{
    CORVEL_UTF8_BLOCKS(utf8ClassesAvx512)
}
#endif

}  // namespace

bool utf8BlocksValid(const char* p, std::size_t blocks, Utf8Open& open, std::uint64_t& leads,
                     InstructionSet isa)
{
#if defined(CORVEL_VECTOR_KERNELS)
    if (isa == InstructionSet::Avx512)
        return blocksAvx512(p, blocks, open, leads);
#endif
#if defined(__SSE2__)
    if (isa != InstructionSet::Scalar)
        return blocksSse2(p, blocks, open, leads);
#endif
    (void)isa;
    return blocksPortable(p, blocks, open, leads);
}

}  // namespace corvel::encoding
