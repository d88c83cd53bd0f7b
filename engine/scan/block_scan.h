// The classifier's inner loop, shared by every instruction set: kernels.cpp
// instantiates it with each set's lanes (byte_lanes.h) and bit steps, and
// inlines it whole into functions built for that set (BaselineScans,
// Avx2Scans).
//
// A block is 64 bytes; bit i of a mask stands for byte i. The loop never
// visits a line that needs no report. Per block it works out, for every CR
// (every line end), whether its line holds a non-space byte, a byte >= 0x81,
// an '=', a byte >= 0x81 after the first '=', by one addition each: the
// byte after the line's CR before is a seed, the bytes that do not matter to
// the question form a run of ones, and the carry of seed + run comes out at
// the end of the run. It reaches the CR only when the line holds no byte that
// matters. The carry out of bit 63 (or of the last byte read) is the state of
// the line still open, so a line may span any number of blocks and reads
// without being held. Lines are counted with a popcount of the CRs; only
// blocks with a line to report (about 1 in 25 in a real dictionary) leave
// the loop, to LineReports, which also finds where those lines begin.
#pragma once

#include "byte_lanes.h"
#include "kernels.h"
#include "line_reports.h"
#include "scan_state.h"
#include "scan_types.h"

#include <cstddef>
#include <bit>
#include <cstdint>

#if defined(__x86_64__) || defined(_M_X64)
#include <immintrin.h>
#endif

#if defined(__GNUC__)
#define CORVEL_SCAN_INLINE inline __attribute__((always_inline))
#else
#define CORVEL_SCAN_INLINE inline
#endif

namespace corvel::scan {
namespace {

// The bytes of one block as masks: CR, LF, >= 0x81, and the layout's own
// byte (a space for line pairs, '=' for equals lines).
struct ByteMasks {
    std::uint64_t cr;
    std::uint64_t lf;
    std::uint64_t high;
    std::uint64_t own;
};

// A popcount without the POPCNT instruction, for baseline x86-64.
CORVEL_SCAN_INLINE unsigned portablePopcount(std::uint64_t x)
{
    x -= (x >> 1) & 0x5555555555555555ULL;
    x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<unsigned>((x * 0x0101010101010101ULL) >> 56);
}

// a + b + carry (0 or 1); returns the carry out. A seed at bit 0 and a
// carry in never come together, so OR adds them: the byte before such a seed
// is a CR, which ends every run, or its line's first '=', which no carry
// after a first '=' can have run through.
CORVEL_SCAN_INLINE std::uint64_t portableAddWithCarry(std::uint64_t a, std::uint64_t b,
                                                      std::uint64_t carry, std::uint64_t& sum)
{
    sum = a + (b | carry);
    return sum < a;
}

#if defined(__x86_64__) || defined(_M_X64)
// The same with the processor's add-with-carry.
CORVEL_SCAN_INLINE std::uint64_t x86AddWithCarry(std::uint64_t a, std::uint64_t b,
                                                 std::uint64_t carry, std::uint64_t& sum)
{
    unsigned long long out;
    const unsigned char carryOut = _addcarry_u64(static_cast<unsigned char>(carry), a, b, &out);
    sum = out;
    return carryOut;
}
#endif

// Bit i: whether bits 0..i of x hold an odd number of ones, by shifts.
CORVEL_SCAN_INLINE std::uint64_t shiftedPrefixXor(std::uint64_t x)
{
    x ^= x << 1;
    x ^= x << 2;
    x ^= x << 4;
    x ^= x << 8;
    x ^= x << 16;
    x ^= x << 32;
    return x;
}

// The byte the layout looks for besides CR, LF and >= 0x81.
constexpr char ownByte(Layout layout)
{
    return layout == Layout::LinePairs ? ' ' : '=';
}

// The bit steps without special instructions: a portable popcount and
// carry, for processors other than x86-64.
struct PortableSteps {
    static unsigned popcount(std::uint64_t x) { return static_cast<unsigned>(std::popcount(x)); }
    static std::uint64_t prefixXor(std::uint64_t x) { return shiftedPrefixXor(x); }
    static std::uint64_t addWithCarry(std::uint64_t a, std::uint64_t b, std::uint64_t carry,
                                      std::uint64_t& sum)
    {
        return portableAddWithCarry(a, b, carry, sum);
    }
};

#if defined(CORVEL_VECTOR_KERNELS)
// Baseline x86-64: no POPCNT instruction, but the processor's carry.
struct Sse2Steps {
    static unsigned popcount(std::uint64_t x) { return portablePopcount(x); }
    static std::uint64_t prefixXor(std::uint64_t x) { return shiftedPrefixXor(x); }
    static std::uint64_t addWithCarry(std::uint64_t a, std::uint64_t b, std::uint64_t carry,
                                      std::uint64_t& sum)
    {
        return x86AddWithCarry(a, b, carry, sum);
    }
};

// The AVX2 bundle's, with POPCNT and PCLMULQDQ.
struct ClmulSteps {
    CORVEL_KERNEL_AVX2 static unsigned popcount(std::uint64_t x)
    {
        return static_cast<unsigned>(_mm_popcnt_u64(x));
    }
    static std::uint64_t addWithCarry(std::uint64_t a, std::uint64_t b, std::uint64_t carry,
                                      std::uint64_t& sum)
    {
        return x86AddWithCarry(a, b, carry, sum);
    }
    // A carry-less multiply by all ones: each bit becomes the XOR of the
    // bits at and below it.
    CORVEL_KERNEL_AVX2 static std::uint64_t prefixXor(std::uint64_t x)
    {
        const __m128i product =
            _mm_clmulepi64_si128(_mm_cvtsi64_si128(static_cast<long long>(x)), _mm_set1_epi8(-1), 0);
        return static_cast<std::uint64_t>(_mm_cvtsi128_si64(product));
    }
};
#endif

// The masks of a block by one instruction set's lanes, with its bit steps.
template <class Lanes, class Steps>
struct LaneMasks : Steps {
    template <char Own>
    static ByteMasks load(const unsigned char* p)
    {
        const auto v = Lanes::load(p);
        return {Lanes::bits(Lanes::eq(v, '\r')), Lanes::bits(Lanes::eq(v, '\n')),
                Lanes::bits(Lanes::atLeast(v, 0x81)),
                Lanes::bits(Lanes::eq(v, static_cast<std::uint8_t>(Own)))};
    }
    // Whether the 64 bytes hold no CR and, if `high`, no byte >= 0x81.
    static bool quiet(const unsigned char* p, bool high)
    {
        const auto v = Lanes::load(p);
        auto found = Lanes::eq(v, '\r');
        if (high)
            found = Lanes::either(found, Lanes::atLeast(v, 0x81));
        return !Lanes::any(found);
    }
};

template <class Masks, Layout L, bool Copying>
class BlockScan {
public:
    // Scans data[pos, size) of `in`; returns where it stopped: the end of the
    // data, or earlier once `reports` has no room for another block's lines.
    static CORVEL_SCAN_INLINE std::size_t run(ScanState& state, const ScanInput& in,
                                              std::size_t pos, LineReports& reports)
    {
        ScanState s = state;      // local copies the compiler keeps in registers
        const ScanInput at = in;
        // Full blocks: a byte of data follows each of them.
        if (at.size > 64) {
            const std::size_t fullEnd = at.size - 64;
            // A read that starts inside a long line passes its body quickly;
            // tested once a call, so other lines pay nothing for it.
            if (insideDecidedLine(s))
                pos = skipLineBody(s, at.data, pos, fullEnd);
            while (pos < fullEnd) {
                Block block;
                pos = skipQuietBlocks(s, at.data, pos, fullEnd, block);
                if (pos >= fullEnd)
                    break;
                const bool full = report(s, at, pos, block, reports);
                pos += 64;
                if (full) [[unlikely]] {
                    state = s;
                    return pos;
                }
            }
        }
        // The data's last block (1 to 64 bytes) goes by the general step.
        if (pos < at.size) {
            const unsigned valid = static_cast<unsigned>(at.size - pos);
            const Block block = classify<true>(s, at.data + pos, valid);
            if (block.report != 0)
                report(s, at, pos, block, reports);
            else
                s.lines += Masks::popcount(block.cr);
            pos = at.size;
        }
        state = s;
        return pos;
    }

private:
    // A block's CRs: all, those of the lines to report, of flagged lines,
    // and of empty lines (pairs) or lines without '=' (equals).
    struct Block {
        std::uint64_t cr;
        std::uint64_t report;
        std::uint64_t flagged;
        std::uint64_t classA;
    };

    // Counts the lines of the full blocks from `pos` on up to the first one
    // with lines to report (returned in `block`), or until `end` is passed.
    // No call in here, so the loop keeps its constants in registers.
    static CORVEL_SCAN_INLINE std::size_t skipQuietBlocks(ScanState& s, const unsigned char* data,
                                                          std::size_t pos, std::size_t end,
                                                          Block& block)
    {
        for (; pos < end; pos += 64) {
            block = classify<false>(s, data + pos, 64);
            if (block.report != 0) [[unlikely]]
                return pos;
            s.lines += Masks::popcount(block.cr);
        }
        return pos;
    }

    // Whether the line still open already holds what its empty test looks
    // for (a non-space byte; in equals lines its first '=', not just
    // passed), so that a block without a CR can change only its "byte
    // >= 0x81" carry.
    static CORVEL_SCAN_INLINE bool insideDecidedLine(const ScanState& s)
    {
        return s.crCarry == 0 && s.carryA == 0 && (L == Layout::LinePairs || s.afterEquals == 0);
    }

    // Inside a line longer than a block: passes the blocks that hold no CR
    // and, while the line has none yet, no byte >= 0x81. They would leave
    // the state as it is, so they are only tested, not classified. Returns
    // the first block that needs classifying, or a position at or past `end`.
    static CORVEL_SCAN_INLINE std::size_t skipLineBody(const ScanState& s,
                                                       const unsigned char* data, std::size_t pos,
                                                       std::size_t end)
    {
        const bool high = s.carryB != 0;
        while (pos < end && Masks::quiet(data + pos, high))
            pos += 64;
        return pos;
    }

    // Hands a block's lines to `reports` and counts them; returns whether
    // the reports are full.
    static CORVEL_SCAN_INLINE bool report(ScanState& s, const ScanInput& in, std::size_t pos,
                                          const Block& block, LineReports& reports)
    {
        const BlockFacts facts {in.offset + pos, pos,          block.cr, block.report,
                                block.classA,    block.flagged, s.lines, s.partnerDue};
        const LineReports::BlockOutcome outcome = reports.addBlock(facts);
        s.partnerDue = outcome.partnerDue;
        s.lines += Masks::popcount(block.cr);
        return outcome.full;
    }

    // Classifies the lines ending in a block of `valid` bytes at p (Last:
    // the data's last block, whose bytes past `valid` are not the file's,
    // and whose last byte has no byte after it), and carries the state on.
    template <bool Last>
    static CORVEL_SCAN_INLINE Block classify(ScanState& s, const unsigned char* p, unsigned valid)
    {
        ByteMasks m = Masks::template load<ownByte(L)>(p);
        std::uint64_t inData = ~std::uint64_t {0};
        if constexpr (Last) {
            inData = valid == 64 ? inData : (std::uint64_t {1} << valid) - 1;
            m.cr &= inData;
            m.lf &= inData;
            m.high &= inData;
            m.own &= inData;
        }
        const std::uint64_t c = m.cr;

        // Each line's seed is the byte after the CR before it: its first
        // byte, or the LF of a CR LF, which belongs to no line and so counts
        // as a byte that does not matter. Any other LF is a byte of its line.
        const std::uint64_t seeds = ((c << 1) | s.crCarry) & inData;
        s.crCarry = lastBit(c, valid);

        Block block {c, 0, 0, 0};
        if constexpr (L == Layout::LinePairs) {
            // Empty: the run is the spaces; a line of spaces carries to its CR.
            const std::uint64_t crLf = m.lf & seeds;
            const std::uint64_t empty =
                carryToEnds<Last>(m.own | crLf, seeds, s.carryA, valid) & c;
            const std::uint64_t noHigh =
                carryToEnds<Last>(~(m.high | c) & inData, seeds, s.carryB, valid) & c;
            // The CRs of odd lines: every other CR, counted on from the lines
            // before; bit 63 of the count's parity becomes that of the lines after.
            const std::uint64_t parity = Masks::prefixXor(c) ^ s.oddLines;
            s.oddLines = static_cast<std::uint64_t>(static_cast<std::int64_t>(parity) >> 63);
            const std::uint64_t odd = c & parity;
            block.classA = empty;
            block.flagged = empty | (odd ^ noHigh);  // odd with a high byte, even without one
        } else {
            const std::uint64_t reach =
                carryToEnds<Last>(~(m.own | c) & inData, seeds, s.carryA, valid);
            const std::uint64_t noEquals = reach & c;
            // The carry comes out at each line's first '=': the next byte seeds
            // the search for a byte >= 0x81 after it.
            const std::uint64_t firstEquals = reach & m.own;
            const std::uint64_t afterEquals = ((firstEquals << 1) | s.afterEquals) & inData;
            s.afterEquals = lastBit(firstEquals, valid);
            const std::uint64_t untranslated =
                carryToEnds<Last>(~(m.high | c) & inData, afterEquals, s.carryB, valid) & c;
            block.classA = noEquals;
            block.flagged = noEquals | untranslated;
        }

        block.report = block.flagged;
        if constexpr (Copying) {
            // Lines the copy cannot take as they are: those ending in a lone CR
            // (written with CR LF), the partner of a flagged odd line, and a
            // CR as the last byte read, whose LF is not known yet.
            std::uint64_t lfNext = m.lf >> 1;
            if constexpr (Last)
                lfNext &= inData >> 1;
            else
                lfNext |= std::uint64_t {p[64] == '\n'} << 63;
            block.report |= c & ~lfNext;
            if (s.partnerDue)
                block.report |= c & (std::uint64_t {0} - c);
        }
        return block;
    }

    // Bit `valid - 1` of x: what the block's last byte hands on.
    static CORVEL_SCAN_INLINE std::uint64_t lastBit(std::uint64_t x, unsigned valid)
    {
        return (x >> (valid - 1)) & 1;
    }

    // Seeds each run of `run` at `seeds` (and at bit 0 by `carry`, the state
    // of the line still open) and returns the bits the carries land on: the
    // first byte after each seeded run, or a seed that is no run byte.
    // `carry` becomes the carry out of the block's last byte.
    template <bool Last>
    static CORVEL_SCAN_INLINE std::uint64_t carryToEnds(std::uint64_t run, std::uint64_t seeds,
                                                        std::uint64_t& carry, unsigned valid)
    {
        std::uint64_t sum;
        const std::uint64_t carryOut = Masks::addWithCarry(run, seeds, carry, sum);
        if constexpr (Last)
            carry = valid == 64 ? carryOut : (sum >> valid) & 1;
        else
            carry = carryOut;
        return sum & ~run;
    }
};

// BlockScan's run in a function of its own, at baseline and in the AVX2
// bundle.
template <class Masks>
struct BaselineScans {
    template <Layout L, bool Copying>
    CORVEL_LANES_FLATTEN static std::size_t scan(ScanState& s, const ScanInput& in, std::size_t pos,
                                                LineReports& r)
    {
        return BlockScan<Masks, L, Copying>::run(s, in, pos, r);
    }
};
#if defined(CORVEL_VECTOR_KERNELS)
template <class Masks>
struct Avx2Scans {
    template <Layout L, bool Copying>
    CORVEL_KERNEL_AVX2 CORVEL_LANES_FLATTEN static std::size_t scan(
        ScanState& s, const ScanInput& in, std::size_t pos, LineReports& r)
    {
        return BlockScan<Masks, L, Copying>::run(s, in, pos, r);
    }
};
#endif

// The scans of one kernel, by layout and copying: `Scans::scan<L, Copying>`
// inlines BlockScan<Masks, L, Copying>::run whole, in a function with the
// kernel's target attribute (flatten, so that the lanes and bit steps,
// which carry that attribute themselves, are inlined into it as well).
template <class Scans>
ScanFunction scansOf(Layout layout, bool copying)
{
    if (layout == Layout::LinePairs)
        return copying ? &Scans::template scan<Layout::LinePairs, true>
                       : &Scans::template scan<Layout::LinePairs, false>;
    return copying ? &Scans::template scan<Layout::Equals, true>
                   : &Scans::template scan<Layout::Equals, false>;
}

}  // namespace
}  // namespace corvel::scan
