#include "processor_features.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#include <cpuid.h>
#define CORVEL_CPUID 1
#endif

namespace corvel {

namespace {

#if defined(CORVEL_CPUID)
// Register state the system saves on a switch (XCR0): SSE, AVX's upper
// halves, and AVX-512's mask, upper-half and upper-sixteen registers.
constexpr unsigned kYmmState = 0x06;
constexpr unsigned kZmmState = 0xE6;

unsigned savedRegisterState()
{
    unsigned low = 0;
    unsigned high = 0;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return low;
}

ProcessorFeatures ask()
{
    ProcessorFeatures f;
    const unsigned maxLeaf = __get_cpuid_max(0, nullptr);
    if (maxLeaf < 1)
        return f;
    unsigned a = 0, b = 0, c = 0, d = 0;
    __cpuid(1, a, b, c, d);
    f.popcnt = (c & bit_POPCNT) != 0;
    f.pclmul = (c & bit_PCLMUL) != 0;
    const unsigned state = (c & bit_OSXSAVE) != 0 ? savedRegisterState() : 0;
    const bool ymm = (c & bit_AVX) != 0 && (state & kYmmState) == kYmmState;
    const bool zmm = ymm && (state & kZmmState) == kZmmState;
    if (maxLeaf < 7)
        return f;
    __cpuid_count(7, 0, a, b, c, d);
    f.bmi1 = (b & bit_BMI) != 0;
    f.avx2 = ymm && (b & bit_AVX2) != 0;
    f.avx512f = zmm && (b & bit_AVX512F) != 0;
    f.avx512bw = zmm && (b & bit_AVX512BW) != 0;
    return f;
}
#else
ProcessorFeatures ask()
{
    return ProcessorFeatures();
}
#endif

}  // namespace

const ProcessorFeatures& ProcessorFeatures::local()
{
    static const ProcessorFeatures features = ask();
    return features;
}

namespace {

#if defined(__x86_64__) && defined(__GNUC__)
bool processorRuns(InstructionSet set)
{
    const ProcessorFeatures& has = ProcessorFeatures::local();
    const bool avx2 = has.avx2 && has.popcnt && has.pclmul && has.bmi1;
    switch (set) {
    case InstructionSet::Scalar:
    case InstructionSet::Sse2: return true;
    case InstructionSet::Avx2: return avx2;
    case InstructionSet::Avx512: return avx2 && has.avx512f && has.avx512bw;
    }
    return false;
}
#else
bool processorRuns(InstructionSet set)
{
    return set == InstructionSet::Scalar;
}
#endif

constexpr InstructionSet kWidestFirst[] = {InstructionSet::Avx512, InstructionSet::Avx2,
                                           InstructionSet::Sse2, InstructionSet::Scalar};

InstructionSet choose()
{
    if (const char* wanted = std::getenv("CORVEL_SCAN_KERNEL"))
        for (InstructionSet set : kWidestFirst)
            if (std::strcmp(wanted, instructionSetName(set)) == 0 && runsInstructionSet(set))
                return set;
    for (InstructionSet set : kWidestFirst)
        if (runsInstructionSet(set))
            return set;
    return InstructionSet::Scalar;
}

}  // namespace

bool runsInstructionSet(InstructionSet set)
{
    static const bool runs[] = {processorRuns(InstructionSet::Scalar),
                                processorRuns(InstructionSet::Sse2),
                                processorRuns(InstructionSet::Avx2),
                                processorRuns(InstructionSet::Avx512)};
    return runs[static_cast<std::size_t>(set)];
}

InstructionSet chosenInstructionSet()
{
    static const InstructionSet chosen = choose();
    return chosen;
}

const char* instructionSetName(InstructionSet set)
{
    switch (set) {
    case InstructionSet::Scalar: return "scalar";
    case InstructionSet::Sse2: return "sse2";
    case InstructionSet::Avx2: return "avx2";
    case InstructionSet::Avx512: return "avx512";
    }
    return "?";
}

}  // namespace corvel
