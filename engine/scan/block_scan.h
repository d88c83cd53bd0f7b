// The classifier's inner loop, shared by every instruction set: each
// kernel_*.cpp includes it with its own way of turning 64 bytes into bit
// masks, and is compiled with its own flags.
//
// A block is 64 bytes; bit i of a mask stands for byte i. The loop never
// visits a line that needs no report. Per block it works out, for every CR
// (every line end), whether its line holds a non-space byte, a byte >= 0x81,
// an '=', a byte >= 0x81 after the first '=', by one addition each: the
// line's first byte is a seed, the bytes that do not matter to the question
// form a run of ones, and the carry of seed + run comes out at the end of the
// run. It reaches the CR only when the line holds no byte that matters. The
// carry out of bit 63 (or the last byte read) is the state of the line still
// open, so a line may span any number of blocks and reads without being held.
// Lines are counted with a popcount of the CRs; only blocks with a flagged
// line (about 1 in 25 in a real dictionary) leave the loop, to LineReports.
#pragma once

#include "kernels.h"
#include "line_reports.h"
#include "scan_state.h"
#include "scan_types.h"

#include <cstddef>
#include <cstdint>

#if defined(__GNUC__)
#define CORVEL_SCAN_INLINE inline __attribute__((always_inline))
#else
#define CORVEL_SCAN_INLINE inline
#endif

namespace corvel::scan {
// Everything here is compiled anew, with other instructions, in each kernel's
// translation unit: internal linkage keeps the linker from mixing the copies.
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

// Bit i: whether an odd number of bits 0..i of x are set.
CORVEL_SCAN_INLINE std::uint64_t prefixXor(std::uint64_t x)
{
    x ^= x << 1;
    x ^= x << 2;
    x ^= x << 4;
    x ^= x << 8;
    x ^= x << 16;
    x ^= x << 32;
    return x;
}

CORVEL_SCAN_INLINE unsigned highestBit(std::uint64_t x)
{
    return 63u - static_cast<unsigned>(__builtin_clzll(x));
}

// The byte the layout looks for besides CR, LF and >= 0x81.
constexpr char ownByte(Layout layout)
{
    return layout == Layout::LinePairs ? ' ' : '=';
}

// `Masks` provides load<own>(p) (64 bytes to ByteMasks) and popcount(x).
template <class Masks, Layout L, bool Copying>
class BlockScan {
public:
    // Scans data[pos, size) of `in`; returns where it stopped: the end of the
    // data, or earlier once `reports` has no room for another block's lines.
    static std::size_t run(ScanState& state, const ScanInput& in, std::size_t pos,
                           LineReports& reports)
    {
        ScanState s = state;  // a local copy the compiler keeps in registers
        bool full = false;
        // Full blocks with a byte after them; the last block of the data
        // (1 to 64 bytes) goes by the slower general step.
        while (in.size - pos > 64 && !full) {
            full = step<false>(s, in, pos, 64, reports);
            pos += 64;
        }
        if (!full && pos < in.size) {
            step<true>(s, in, pos, static_cast<unsigned>(in.size - pos), reports);
            pos = in.size;
        }
        state = s;
        return pos;
    }

private:
    // One block of `valid` bytes at in.data + pos (Last: the data's last
    // block, whose bytes past `valid` are not the file's). Returns whether
    // the reports are full.
    template <bool Last>
    static CORVEL_SCAN_INLINE bool step(ScanState& s, const ScanInput& in, std::size_t pos,
                                        unsigned valid, LineReports& reports)
    {
        const unsigned char* p = in.data + pos;
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

        // Line starts: after a lone CR, or after the LF of a CR LF. That LF
        // belongs to no line; any other LF is a byte of its line.
        const std::uint64_t afterCr = (c << 1) | s.crCarry;
        const std::uint64_t crLf = m.lf & afterCr;
        const std::uint64_t starts = ((afterCr & ~m.lf) | (crLf << 1) | s.startCarry) & inData;
        s.crCarry = lastBit(c, valid);
        s.startCarry = lastBit(crLf, valid);

        std::uint64_t classA, flagged;
        if constexpr (L == Layout::LinePairs) {
            // Empty: the run is the spaces; a line of spaces carries to its CR.
            const std::uint64_t empty = carryToEnds<Last>(m.own, starts, s.carryA, valid) & c;
            const std::uint64_t noHigh =
                carryToEnds<Last>(~(m.high | c) & inData, starts, s.carryB, valid) & c;
            // The CRs of odd lines: every other CR, counted on from the lines before.
            const std::uint64_t odd = c & (prefixXor(c) ^ (std::uint64_t {0} - (s.lines & 1)));
            classA = empty;
            flagged = empty | (odd ^ noHigh);  // odd with a high byte, even without one
        } else {
            const std::uint64_t reach = carryToEnds<Last>(~(m.own | c) & inData, starts, s.carryA,
                                                          valid);
            const std::uint64_t noEquals = reach & c;
            // The carry comes out at each line's first '=': the next byte seeds
            // the search for a byte >= 0x81 after it.
            const std::uint64_t firstEquals = reach & m.own;
            const std::uint64_t afterEquals = ((firstEquals << 1) | s.afterEquals) & inData;
            s.afterEquals = lastBit(firstEquals, valid);
            const std::uint64_t untranslated =
                carryToEnds<Last>(~(m.high | c) & inData, afterEquals, s.carryB, valid) & c;
            classA = noEquals;
            flagged = noEquals | untranslated;
        }

        std::uint64_t report = flagged;
        if constexpr (Copying) {
            // Lines the copy cannot take as they are: those ending in a lone CR
            // (written with CR LF), the partner of a flagged odd line, and a
            // CR as the last byte read, whose LF is not known yet.
            std::uint64_t lfNext = m.lf >> 1;
            if constexpr (Last)
                lfNext &= inData >> 1;
            else
                lfNext |= std::uint64_t {p[64] == '\n'} << 63;
            report |= c & ~lfNext;
            if (s.partnerDue)
                report |= c & (std::uint64_t {0} - c);
        }

        bool full = false;
        if (report != 0) [[unlikely]] {
            BlockFacts facts {in.offset + pos, pos, valid, c, starts, report, classA, flagged,
                              s.lines, s.lastStart, s.previousStart, s.partnerDue};
            const LineReports::BlockOutcome outcome = reports.addBlock(facts);
            s.partnerDue = outcome.partnerDue;
            full = outcome.full;
        }

        s.lines += Masks::popcount(c);
        if (starts != 0) {
            const unsigned top = highestBit(starts);
            const std::uint64_t rest = starts ^ (std::uint64_t {1} << top);
            s.previousStart = rest != 0 ? in.offset + pos + highestBit(rest) : s.lastStart;
            s.lastStart = in.offset + pos + top;
        }
        return full;
    }

    // Bit `valid - 1` of x: what the block's last byte hands on.
    static CORVEL_SCAN_INLINE std::uint64_t lastBit(std::uint64_t x, unsigned valid)
    {
        return (x >> (valid - 1)) & 1;
    }

    // Seeds each run of `run` at `seeds` (and at bit 0 by `carry`, the state
    // of the line still open) and returns the bits the carries land on: the
    // first byte after each seeded run. `carry` becomes the carry out of the
    // block's last byte.
    template <bool Last>
    static CORVEL_SCAN_INLINE std::uint64_t carryToEnds(std::uint64_t run, std::uint64_t seeds,
                                                        std::uint64_t& carry, unsigned valid)
    {
        // A seed at bit 0 and a carry in never come together: a line starts
        // there only when the byte before ended the line that carried.
        const std::uint64_t sum = run + (seeds | carry);
        if constexpr (Last)
            carry = valid == 64 ? std::uint64_t {sum < run} : (sum >> valid) & 1;
        else
            carry = sum < run;
        return sum & ~run;
    }
};

// The scans of one kernel, by layout and copying.
template <class Masks>
ScanFunction scansOf(Layout layout, bool copying)
{
    if (layout == Layout::LinePairs)
        return copying ? &BlockScan<Masks, Layout::LinePairs, true>::run
                       : &BlockScan<Masks, Layout::LinePairs, false>::run;
    return copying ? &BlockScan<Masks, Layout::EqualsLines, true>::run
                   : &BlockScan<Masks, Layout::EqualsLines, false>::run;
}

}  // namespace
}  // namespace corvel::scan
