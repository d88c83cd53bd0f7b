// The classifier's slow path: turns the CRs of a block that has lines to
// report into ScannedLine entries, and keeps what a line needs across reads
// (where the line open at a read's end began, its bytes, a line whose CR
// was the last byte read).
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

    // After the input's last block: notes where the line still open began,
    // and keeps its bytes for when the next read ends it.
    void endInput();
    // At the end of the file: the line whose CR was the last byte, and the
    // last line when it has no terminator. Returns whether there is such a
    // last line (to be counted).
    bool finish(const ScanState& state, std::uint64_t fileSize);

    const std::vector<ScannedLine>& lines() const { return lines_; }
    // After endInput(): the line still open, `fed` bytes into the file.
    OpenLine openLine(std::uint64_t fed) const;

private:
    struct Starts {
        std::uint64_t start;     // of a line
        std::uint64_t previous;  // of the line before it
    };
    Starts startsAt(std::size_t index) const;
    Starts startsAtInput() const;
    std::size_t afterCrBefore(std::size_t index) const;

    LineClass flagOf(const BlockFacts& facts, std::uint64_t bit, std::uint64_t number) const;
    LineClass lastLineClass(const ScanState& state, std::uint64_t number) const;
    void defer(const ScannedLine& line, bool mustReport);
    void resolvePending(std::uint8_t terminator);
    const char* textOf(std::uint64_t start, std::uint64_t end, std::string& store);
    void keepHead(std::uint64_t start, std::uint64_t end);
    void push(const ScannedLine& line);

    Layout layout_;
    bool copying_;
    std::size_t keepLimit_;
    std::vector<ScannedLine> lines_;
    std::uint64_t lastReported_ = 0;  // number of the latest line reported
    ScanInput input_;

    // Where lines began before the input: the latest line begun, the one
    // before it, and whether the line open at the input's start begins in it.
    std::uint64_t lastStart_ = 0;
    std::uint64_t previousStart_ = 0;
    bool nextBegins_ = true;
    bool endedWithCr_ = false;  // the byte before the input was a CR

    // The bytes of the latest line begun before the input (of those open at
    // its start: [lastStart_, input_.offset)), when at most keepLimit_ long.
    std::string head_;
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
