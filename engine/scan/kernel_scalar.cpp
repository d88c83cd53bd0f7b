// The classifier without vector instructions, for processors other than
// x86-64 (and as a third opinion in the tests).
#include "block_scan.h"

#include <bit>

namespace corvel::scan {

namespace {

struct ScalarMasks {
    template <char Own>
    static ByteMasks load(const unsigned char* p)
    {
        ByteMasks m {0, 0, 0, 0};
        for (unsigned i = 0; i < 64; ++i) {
            const std::uint64_t bit = std::uint64_t {1} << i;
            m.cr |= p[i] == '\r' ? bit : 0;
            m.lf |= p[i] == '\n' ? bit : 0;
            m.high |= p[i] >= 0x81 ? bit : 0;
            m.own |= p[i] == static_cast<unsigned char>(Own) ? bit : 0;
        }
        return m;
    }
    static bool quiet(const unsigned char* p, bool high)
    {
        for (unsigned i = 0; i < 64; ++i)
            if (p[i] == '\r' || (high && p[i] >= 0x81))
                return false;
        return true;
    }
    static unsigned popcount(std::uint64_t x) { return static_cast<unsigned>(std::popcount(x)); }
    static std::uint64_t prefixXor(std::uint64_t x) { return shiftedPrefixXor(x); }
    static std::uint64_t addWithCarry(std::uint64_t a, std::uint64_t b, std::uint64_t carry,
                                      std::uint64_t& sum)
    {
        return portableAddWithCarry(a, b, carry, sum);
    }
};

}  // namespace

ScanFunction scalarScan(Layout layout, bool copying)
{
    return scansOf<BaselineScans<ScalarMasks>>(layout, copying);
}

}  // namespace corvel::scan
