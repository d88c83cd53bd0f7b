// A straightforward reference for the block classifier: cuts the bytes into
// lines one at a time and classifies each line on its own.
#pragma once

#include "scan/scan_types.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace corvel::test {

struct ReferenceLine {
    std::uint64_t number = 0;
    std::uint64_t start = 0;
    std::uint64_t end = 0;
    std::uint64_t previousStart = 0;
    std::uint8_t terminator = 0;
    LineClass flag = LineClass::Good;
};

// Every line of `bytes` with its flag.
std::vector<ReferenceLine> referenceLines(std::string_view bytes, scan::Layout layout);
// The lines a classifier must report: the flagged ones, and when copying
// also lone-CR lines, the last line and (line pairs) the even partner of a
// flagged odd line.
std::vector<ReferenceLine> referenceReports(std::string_view bytes, scan::Layout layout,
                                            bool copying);

}  // namespace corvel::test
