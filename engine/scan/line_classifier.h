// The block line classifier: finds the lines of a dictionary that a check
// run must look at, without visiting the others.
//
// It takes the file in reads of any size (feed), scans them 64 bytes at a
// time and reports only the flagged lines, with their numbers, file offsets
// and (when at hand) bytes; every other line is only counted. Its state
// carries across blocks and reads, so a line may be longer than a read.
//
//     LineClassifier classifier({Layout::LinePairs});
//     while (std::size_t n = read(buffer, 1 << 20)) {  // buffer has 64 bytes of slack
//         classifier.feed(buffer, n);
//         for (auto batch = classifier.scan(); !batch.empty(); batch = classifier.scan())
//             for (const ScannedLine& line : batch) ...
//     }
//     for (const ScannedLine& line : classifier.finish()) ...
//
// Copying (correct mode) also reports every line that cannot be copied as
// it stands, so that the bytes between two reported lines, from the first
// one's next() to the second one's start, can be copied in one piece:
//  - in the line-pair layout, the partner of a flagged odd line (the even
//    line after it); the English line of a flagged even line starts at its
//    previousStart. So a dropped pair is [start of the odd line, next() of
//    the even line);
//  - a line ending in a lone CR, or in no terminator (the copy ends every
//    line with CR LF);
//  - the file's last line, whatever its terminator, so that the run can
//    decide on an unpaired last line.
#pragma once

#include "line_reports.h"
#include "scan_state.h"
#include "scan_types.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace corvel::scan {

struct ScanOptions {
    Layout layout = Layout::LinePairs;
    // Report what a copy of the kept lines needs (see above).
    bool copying = false;
    // A code path; by default the best this processor has (chosenInstructionSet).
    std::optional<Kernel> kernel;
    // Lines up to this long always come with their bytes, even when they
    // span reads; longer ones only when they lie within one read.
    std::size_t keepLimit = 64 * 1024;
};

class LineClassifier {
public:
    // Readable bytes a fed buffer must have after its data.
    static constexpr std::size_t kSlack = 64;

    explicit LineClassifier(const ScanOptions& options);

    // The file's next bytes; data[size, size + kSlack) must be readable too.
    // The bytes must stay as they are until the next feed() or finish().
    void feed(const char* data, std::size_t size);
    // The next lines to report from the fed bytes, in file order; empty once
    // all of them are scanned. Valid, with their text, until the next feed()
    // or finish(); a run may stop taking them at any line.
    std::span<const ScannedLine> scan();
    // After the last feed(): the lines still to report at the end of the file.
    std::span<const ScannedLine> finish();

    // Lines ended so far (after finish(): all lines of the file).
    std::uint64_t lines() const { return state_.lines + (lastLine_ ? 1 : 0); }
    std::uint64_t bytes() const { return fed_; }
    // Once every fed byte is scanned: the line still open (see OpenLine).
    OpenLine openLine() const { return reports_.openLine(fed_); }
    Kernel kernel() const { return kernel_; }

private:
    using Function = std::size_t (*)(ScanState&, const ScanInput&, std::size_t, LineReports&);

    Kernel kernel_;
    Function scan_;
    ScanState state_;
    LineReports reports_;
    ScanInput input_;
    std::size_t position_ = 0;  // next byte of the input to scan
    std::uint64_t fed_ = 0;
    bool fresh_ = false;  // fed, not scanned yet
    bool lastLine_ = false;
};

}  // namespace corvel::scan
