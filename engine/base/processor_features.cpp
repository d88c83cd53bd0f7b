#include "processor_features.h"

#include <cstdlib>
#include <cstring>

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#include <cpuid.h>
#define CORVEL_CPUID 1
#endif

namespace corvel {

namespace {

#if defined(CORVEL_CPUID)
// Register state the system saves on a switch (XCR0): SSE and AVX's upper
// halves.
constexpr unsigned kYmmState = 0x06;
// The SSE levels below AVX that the compiler's "avx2" takes with it.
constexpr unsigned kSseLevels = bit_SSE3 | bit_SSSE3 | bit_SSE4_1 | bit_SSE4_2;

unsigned savedRegisterState()
{
    unsigned low = 0;
    unsigned high = 0;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return low;
}

FeatureSet ask()
{
    FeatureSet f;
    auto add = [&f](bool present, Feature feature) {
        if (present)
            f = f.with(feature);
    };
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (__get_cpuid(0x80000001, &a, &b, &c, &d))
        add((c & bit_LZCNT) != 0, Feature::Lzcnt);
    const unsigned maxLeaf = __get_cpuid_max(0, nullptr);
    if (maxLeaf < 1)
        return f;
    __cpuid(1, a, b, c, d);
    add((c & bit_POPCNT) != 0, Feature::Popcnt);
    add((c & bit_PCLMUL) != 0, Feature::Pclmul);
    const unsigned state = (c & bit_OSXSAVE) != 0 ? savedRegisterState() : 0;
    const bool ymm = (c & bit_AVX) != 0 && (c & kSseLevels) == kSseLevels &&
                     (state & kYmmState) == kYmmState;
    if (maxLeaf < 7)
        return f;
    __cpuid_count(7, 0, a, b, c, d);
    add((b & bit_BMI) != 0, Feature::Bmi1);
    add((b & bit_BMI2) != 0, Feature::Bmi2);
    add(ymm && (b & bit_AVX2) != 0, Feature::Avx2);
    return f;
}
#else
FeatureSet ask()
{
    return FeatureSet();
}
#endif

constexpr InstructionSet kWidestFirst[] = {InstructionSet::Avx2, InstructionSet::Sse2,
                                           InstructionSet::Scalar};

}  // namespace

FeatureSet FeatureSet::local()
{
    static const FeatureSet features = ask();
    return features;
}

bool runsInstructionSet(InstructionSet set, FeatureSet has)
{
#if defined(CORVEL_VECTOR_KERNELS)
    return has.covers(featuresNeeded(set));
#else
    (void)has;
    return set == InstructionSet::Scalar;
#endif
}

bool runsInstructionSet(InstructionSet set)
{
    return runsInstructionSet(set, FeatureSet::local());
}

InstructionSet chooseInstructionSet(FeatureSet has, const char* wanted)
{
    if (wanted != nullptr)
        for (InstructionSet set : kWidestFirst)
            if (std::strcmp(wanted, instructionSetName(set)) == 0 && runsInstructionSet(set, has))
                return set;
    for (InstructionSet set : kWidestFirst)
        if (runsInstructionSet(set, has))
            return set;
    return InstructionSet::Scalar;
}

InstructionSet chosenInstructionSet()
{
    static const InstructionSet chosen =
        chooseInstructionSet(FeatureSet::local(), std::getenv("CORVEL_SCAN_KERNEL"));
    return chosen;
}

const char* instructionSetName(InstructionSet set)
{
    switch (set) {
    case InstructionSet::Scalar: return "scalar";
    case InstructionSet::Sse2: return "sse2";
    case InstructionSet::Avx2: return "avx2";
    }
    return "?";
}

}  // namespace corvel
