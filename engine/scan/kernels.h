// The classifier's code paths, one translation unit each, the wide ones in
// their kernel bundles (processor_features.h), and the choice among them at
// run time.
#pragma once

#include "scan_state.h"
#include "scan_types.h"

#include <cstddef>

namespace corvel::scan {

class LineReports;

using ScanFunction = std::size_t (*)(ScanState&, const ScanInput&, std::size_t, LineReports&);

// Each kernel's scan for a layout, copying or not.
// The SSE2, AVX2 and AVX-512 ones exist in x86-64 builds only.
ScanFunction scalarScan(Layout layout, bool copying);
ScanFunction sse2Scan(Layout layout, bool copying);
ScanFunction avx2Scan(Layout layout, bool copying);  // only where runsInstructionSet(Avx2)
ScanFunction avx512Scan(Layout layout, bool copying);  // only where runsInstructionSet(Avx512)

// The scan for a kernel that is available.
ScanFunction scanFunction(Kernel kernel, Layout layout, bool copying);

}  // namespace corvel::scan
