// What the block line classifier reports: its code paths and the lines it hands out.
#pragma once

#include "corvel/run_events.h"
#include "corvel/run_request.h"
#include "processor_features.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace corvel::scan {

using corvel::Layout;

// The instruction set a scan runs on: the engine's one choice
// (chosenInstructionSet).
using Kernel = InstructionSet;

using corvel::LineClass;

// One reported line. Offsets count bytes from the start of the file.
struct ScannedLine {
    std::uint64_t number = 0;  // 1 for the first line
    std::uint64_t start = 0;   // its first byte
    std::uint64_t end = 0;     // its terminator, or the end of the file
    // The start of the line before it (0 for the first line); in the line-pair
    // layout, the start of an even line's pair.
    std::uint64_t previousStart = 0;
    // Its bytes [start, end), or nullptr when the line is longer than the
    // classifier keeps across reads: then read them again from the file.
    const char* text = nullptr;
    std::uint8_t terminator = 0;  // 2: CR LF, 1: a lone CR, 0: none (the last line)
    LineClass flag = LineClass::Good;

    std::uint64_t size() const { return end - start; }
    // The start of the next line.
    std::uint64_t next() const { return end + terminator; }
    std::string_view view() const
    {
        return text ? std::string_view(text, static_cast<std::size_t>(size())) : std::string_view();
    }
};

// Between reads: where the first line not ended yet begins (a line whose CR
// was the last byte read is not ended until the next byte tells its
// terminator), and where the line before it begins (0 when there is none).
// The bytes before `settled` are whole lines no later report can touch: the
// latest line ended may still be reported as the file's last line, so the
// line before it, which that report may drop with it, is not settled.
struct OpenLine {
    std::uint64_t start = 0;
    std::uint64_t previousStart = 0;
    std::uint64_t settled = 0;
};

}  // namespace corvel::scan
