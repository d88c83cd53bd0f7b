// The state a scan carries from one block to the next and from one read to
// the next, and what a block with lines to report hands to LineReports.
#pragma once

#include "scan_types.h"

#include <cstddef>
#include <cstdint>

namespace corvel::scan {

struct ScanState {
    // One bit each (bit 0), about the last byte scanned and the line still
    // open: whether no byte that matters has come since the line began.
    std::uint64_t crCarry = 0;      // the last byte was a CR (an LF next is its terminator)
    std::uint64_t carryA = 0;       // pairs: only spaces; equals: no '='
    std::uint64_t carryB = 0;       // pairs: no byte >= 0x81; equals: none after the first '='
    std::uint64_t afterEquals = 0;  // equals: the last byte was the line's first '='

    std::uint64_t lines = 0;     // CRs scanned: lines ended
    std::uint64_t oddLines = 0;  // all ones while `lines` is odd (the line-pair parity)
    bool partnerDue = false;   // copying pairs: the next line is a flagged line's partner

    // Before the first byte an empty line is open: only spaces, no '=' and
    // no byte >= 0x81.
    static ScanState atFileStart(Layout layout)
    {
        ScanState s;
        s.carryA = 1;
        s.carryB = layout == Layout::LinePairs ? 1 : 0;
        return s;
    }
};

// Bytes handed to the scan: data[0, size) is the file from `offset` on, and
// data[size, size + 64) may be read (its bytes do not matter).
struct ScanInput {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    std::uint64_t offset = 0;
};

// A block with lines to report, with the state as it was before the block.
struct BlockFacts {
    std::uint64_t offset;   // file offset of the block's byte 0
    std::size_t index;      // and its index in the data
    std::uint64_t cr;       // CRs
    std::uint64_t report;   // CRs of the lines to report
    std::uint64_t classA;   // CRs of empty lines (pairs) or of lines without '=' (equals)
    std::uint64_t flagged;  // CRs of flagged lines
    std::uint64_t linesBefore;
    bool partnerDue;
};

}  // namespace corvel::scan
