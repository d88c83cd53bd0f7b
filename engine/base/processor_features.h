// The instruction sets the vector paths are chosen by, asked of the
// processor itself on first use. The compiler's own query
// (__builtin_cpu_supports) sets itself up in a constructor at every process
// start and asks many more questions than these; each one leaves a virtual
// machine, which made it a visible part of a short run.
#pragma once

#include <cstdint>

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

// The instruction sets the vector paths come in, narrowest first.
enum class InstructionSet : std::uint8_t { Scalar, Sse2, Avx2, Avx512 };

// Whether this build and processor run `set`: SSE2 in every x86-64 build;
// AVX2 with POPCNT, PCLMULQDQ and BMI1 (its paths use them all) and
// AVX-512 F and BW where the processor has them and the system saves their
// registers.
bool runsInstructionSet(InstructionSet set);
// The one choice every vector path follows (the block classifier's kernels
// and the encoding scan's): the widest set this build and processor run, or
// the one the environment variable CORVEL_SCAN_KERNEL names (scalar, sse2,
// avx2, avx512) when they run it. Read once.
InstructionSet chosenInstructionSet();
const char* instructionSetName(InstructionSet set);

}  // namespace corvel
