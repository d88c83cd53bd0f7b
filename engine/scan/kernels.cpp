// The classifier's kernels, one per instruction set, each BlockScan with
// that set's lanes and bit steps, and the choice among them at run time.
#include "block_scan.h"

namespace corvel::scan {

ScanFunction scanFunction(Kernel kernel, Layout layout, bool copying)
{
#if defined(CORVEL_VECTOR_KERNELS)
    if (kernel == Kernel::Avx2 && runsInstructionSet(Kernel::Avx2))
        return scansOf<Avx2Scans<LaneMasks<lanes::Avx2Lanes, ClmulSteps>>>(layout, copying);
    if (kernel != Kernel::Scalar)
        return scansOf<BaselineScans<LaneMasks<lanes::Sse2Lanes, Sse2Steps>>>(layout, copying);
#else
    (void)kernel;
#endif
    return scansOf<BaselineScans<LaneMasks<lanes::PortableLanes, PortableSteps>>>(layout, copying);
}

}  // namespace corvel::scan
