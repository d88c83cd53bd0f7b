#include "kernels.h"

namespace corvel::scan {

ScanFunction scanFunction(Kernel kernel, Layout layout, bool copying)
{
#if defined(CORVEL_VECTOR_KERNELS)
    if (kernel == Kernel::Avx512 && runsInstructionSet(Kernel::Avx512))
        return avx512Scan(layout, copying);
    if (kernel == Kernel::Avx2 && runsInstructionSet(Kernel::Avx2))
        return avx2Scan(layout, copying);
    if (kernel != Kernel::Scalar)
        return sse2Scan(layout, copying);
#else
    (void)kernel;
#endif
    return scalarScan(layout, copying);
}

}  // namespace corvel::scan
