#include "kernels.h"
#include "processor_features.h"

#include <cstdlib>
#include <cstring>

namespace corvel::scan {

namespace {

#if defined(CORVEL_SCAN_X86)
bool processorHasAvx2()
{
    // The AVX2 kernel also uses POPCNT, PCLMULQDQ and BMI1.
    const ProcessorFeatures& has = ProcessorFeatures::local();
    return has.avx2 && has.popcnt && has.pclmul && has.bmi1;
}

bool processorHasAvx512()
{
    const ProcessorFeatures& has = ProcessorFeatures::local();
    return processorHasAvx2() && has.avx512f && has.avx512bw;
}
#endif

Kernel chooseKernel()
{
    if (const char* wanted = std::getenv("CORVEL_SCAN_KERNEL")) {
        for (Kernel kernel : {Kernel::Scalar, Kernel::Sse2, Kernel::Avx2, Kernel::Avx512})
            if (std::strcmp(wanted, kernelName(kernel)) == 0 && kernelAvailable(kernel))
                return kernel;
    }
    if (kernelAvailable(Kernel::Avx512))
        return Kernel::Avx512;
    if (kernelAvailable(Kernel::Avx2))
        return Kernel::Avx2;
    return kernelAvailable(Kernel::Sse2) ? Kernel::Sse2 : Kernel::Scalar;
}

}  // namespace

bool kernelAvailable(Kernel kernel)
{
    switch (kernel) {
    case Kernel::Scalar: return true;
#if defined(CORVEL_SCAN_X86)
    case Kernel::Sse2: return true;
    case Kernel::Avx2: {
        static const bool available = processorHasAvx2();
        return available;
    }
    case Kernel::Avx512: {
        static const bool available = processorHasAvx512();
        return available;
    }
#else
    case Kernel::Sse2:
    case Kernel::Avx2:
    case Kernel::Avx512: return false;
#endif
    }
    return false;
}

Kernel bestKernel()
{
    static const Kernel best = chooseKernel();
    return best;
}

const char* kernelName(Kernel kernel)
{
    switch (kernel) {
    case Kernel::Scalar: return "scalar";
    case Kernel::Sse2: return "sse2";
    case Kernel::Avx2: return "avx2";
    case Kernel::Avx512: return "avx512";
    }
    return "?";
}

ScanFunction scanFunction(Kernel kernel, Layout layout, bool copying)
{
#if defined(CORVEL_SCAN_X86)
    if (kernel == Kernel::Avx512 && kernelAvailable(Kernel::Avx512))
        return avx512Scan(layout, copying);
    if (kernel == Kernel::Avx2 && kernelAvailable(Kernel::Avx2))
        return avx2Scan(layout, copying);
    if (kernel != Kernel::Scalar)
        return sse2Scan(layout, copying);
#else
    (void)kernel;
#endif
    return scalarScan(layout, copying);
}

}  // namespace corvel::scan
