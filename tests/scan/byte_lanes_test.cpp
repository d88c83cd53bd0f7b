// The byte lanes of every instruction set against a byte-by-byte reading:
// each test the block scans make, at the byte values where a signed or an
// off-by-one compare would differ, on every byte value and on random blocks.
#include "processor_features.h"
#include "scan/byte_lanes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace corvel::test {
namespace {

struct Results {
    std::uint64_t eq, atLeast, atMost, either, butNot, high;
    bool any;
    bool operator==(const Results&) const = default;
};

// The tests as the scans take them: loaded once, combined, then to bits.
template <class L>
Results testsOf(const std::uint8_t* p, std::uint8_t a, std::uint8_t b)
{
    const auto v = L::load(p);
    return {L::bits(L::eq(v, a)),
            L::bits(L::atLeast(v, a)),
            L::bits(L::atMost(v, a)),
            L::bits(L::either(L::eq(v, a), L::eq(v, b))),
            L::bits(L::butNot(L::atLeast(v, a), L::eq(v, b))),
            L::bits(v),
            L::any(L::eq(v, a))};
}

// Each set in a function of its own, flattened as the bundles' entries are.
CORVEL_LANES_FLATTEN Results portable(const std::uint8_t* p, std::uint8_t a, std::uint8_t b)
{
    return testsOf<lanes::PortableLanes>(p, a, b);
}
#if defined(CORVEL_VECTOR_KERNELS)
CORVEL_LANES_FLATTEN Results sse2(const std::uint8_t* p, std::uint8_t a, std::uint8_t b)
{
    return testsOf<lanes::Sse2Lanes>(p, a, b);
}
CORVEL_KERNEL_AVX2 CORVEL_LANES_FLATTEN Results avx2(const std::uint8_t* p, std::uint8_t a,
                                                     std::uint8_t b)
{
    return testsOf<lanes::Avx2Lanes>(p, a, b);
}
#endif

Results byByte(const std::uint8_t* p, std::uint8_t a, std::uint8_t b)
{
    Results r {};
    for (unsigned i = 0; i < 64; ++i) {
        const std::uint64_t bit = std::uint64_t {1} << i;
        r.eq |= p[i] == a ? bit : 0;
        r.atLeast |= p[i] >= a ? bit : 0;
        r.atMost |= p[i] <= a ? bit : 0;
        r.either |= p[i] == a || p[i] == b ? bit : 0;
        r.butNot |= p[i] >= a && p[i] != b ? bit : 0;
        r.high |= p[i] >= 0x80 ? bit : 0;
    }
    r.any = r.eq != 0;
    return r;
}

TEST(ByteLanes, EverySetTestsBytesAsTheByteByByteReading)
{
    const struct {
        InstructionSet set;
        Results (*tests)(const std::uint8_t*, std::uint8_t, std::uint8_t);
    } sets[] = {
        {InstructionSet::Scalar, portable},
#if defined(CORVEL_VECTOR_KERNELS)
        {InstructionSet::Sse2, sse2},
        {InstructionSet::Avx2, avx2},
#endif
    };
    // Pairs of values at the edges the scans test: line ends, controls,
    // ASCII's end, the first GBK lead, UTF-8's lead classes, the extremes.
    const std::uint8_t values[][2] = {
        {0x00, 0x0A}, {0x0D, 0x0A}, {0x1F, 0x09}, {0x20, '?'},  {0x7F, 0x80}, {0x80, 0x81},
        {0x81, 0xFF}, {0xA0, 0x90}, {0xC0, 0xC1}, {0xF5, 0xF4}, {0xFF, 0x00}, {'=', ' '},
    };

    // Every byte value, in order and reversed, then random blocks; read
    // one byte past an aligned start, as the scans' loads may be.
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 256; ++i)
        bytes.push_back(static_cast<std::uint8_t>(i));
    for (int i = 255; i >= 0; --i)
        bytes.push_back(static_cast<std::uint8_t>(i));
    std::mt19937 random(29);
    for (int i = 0; i < 64 * 64; ++i)
        bytes.push_back(static_cast<std::uint8_t>(random() % 4 == 0 ? 0x80 + random() % 3 : random()));
    bytes.insert(bytes.begin(), 0x55);

    for (const auto& s : sets) {
        if (!runsInstructionSet(s.set))
            continue;
        for (std::size_t at = 1; at + 64 <= bytes.size(); at += 64)
            for (const auto& v : values) {
                const std::uint8_t* p = bytes.data() + at;
                EXPECT_EQ(s.tests(p, v[0], v[1]), byByte(p, v[0], v[1]))
                    << instructionSetName(s.set) << ", block at " << at << ", values "
                    << int {v[0]} << " and " << int {v[1]};
            }
    }
}

}  // namespace
}  // namespace corvel::test
