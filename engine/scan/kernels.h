// The classifier's code paths, one per instruction set (kernels.cpp), and
// the choice among them at run time.
#pragma once

#include "scan_state.h"
#include "scan_types.h"

#include <cstddef>

namespace corvel::scan {

class LineReports;

using ScanFunction = std::size_t (*)(ScanState&, const ScanInput&, std::size_t, LineReports&);

// The scan for a layout, copying or not, with `kernel` where this build
// and processor run it, else with the widest narrower one that they do.
ScanFunction scanFunction(Kernel kernel, Layout layout, bool copying);

}  // namespace corvel::scan
