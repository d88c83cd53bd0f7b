// The classifier's slow path: turns the CRs of a block that has lines to
// report into ScannedLine entries, and keeps what a line needs across reads
// (the bytes of the line still open, a line whose CR was the last byte read).
#pragma once

#include "scan_state.h"
#include "scan_types.h"

#include <cstddef>
#include <string>
#include <vector>

namespace corvel::scan {

class LineReports {
public:
    LineReports(Layout layout, bool copying, std::size_t keepLimit);

    // The next bytes to scan. A line whose CR ended the bytes before is
    // reported first, now that its terminator is known.
    void startInput(const ScanInput& input);
    // Makes room for the next batch.
    void clear() { lines_.clear(); }

    struct BlockOutcome {
        bool partnerDue;  // the next line is a flagged line's partner
        bool full;        // no room for another block's lines
    };
    BlockOutcome addBlock(const BlockFacts& facts);

    // After the input's last block: keeps the start of the line still open,
    // so that it has its bytes when the next read ends it.
    void keepOpenLine(const ScanState& state);
    // At the end of the file: the line whose CR was the last byte, and the
    // last line when it has no terminator. Returns whether there was one.
    bool finish(const ScanState& state, std::uint64_t fileSize);

    const std::vector<ScannedLine>& lines() const { return lines_; }

private:
    LineFlag flagOf(const BlockFacts& facts, std::uint64_t bit, std::uint64_t number) const;
    LineFlag lastLineFlag(const ScanState& state, std::uint64_t number) const;
    void defer(const ScannedLine& line, bool mustReport);
    void resolvePending(std::uint8_t terminator);
    const char* textOf(std::uint64_t start, std::uint64_t end, std::string& store);
    bool reportsAlways(const ScannedLine& line) const;

    Layout layout_;
    bool copying_;
    std::size_t keepLimit_;
    std::vector<ScannedLine> lines_;
    ScanInput input_;

    // The bytes [headStart_, input_.offset) of the line open at the input's
    // start, when it is at most keepLimit_ long.
    std::string head_;
    std::uint64_t headStart_ = 0;
    bool headKept_ = false;
    std::string straddle_;  // that line joined up, once it ends

    // A line whose CR was the last byte read: reported with the next input.
    ScannedLine pending_;
    bool hasPending_ = false;
    bool pendingMustReport_ = false;
    std::string pendingText_;
    std::string resolvedText_;
};

}  // namespace corvel::scan
