// The instruction sets the vector paths are chosen by, asked of the
// processor itself on first use. The compiler's own query
// (__builtin_cpu_supports) sets itself up in a constructor at every process
// start and asks many more questions than these; each one leaves a virtual
// machine, which made it a visible part of a short run.
#pragma once

namespace corvel {

struct ProcessorFeatures {
    bool popcnt = false;
    bool pclmul = false;
    bool bmi1 = false;
    // Only when the system also saves the wide registers.
    bool avx2 = false;
    bool avx512f = false;
    bool avx512bw = false;

    // This processor's, asked once.
    static const ProcessorFeatures& local();
};

}  // namespace corvel
