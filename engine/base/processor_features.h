// The vector kernel bundles, one per instruction set, and the choice among
// them at run time. Each function of a wide bundle carries its target
// attribute (CORVEL_KERNEL_AVX2), so every other
// function, shared inline ones included, stays at baseline x86-64. The
// attribute's string is also what the bundle needs: the choice runs it only
// on a processor with every feature it names.
//
// The processor is asked itself, on first use: the compiler's query
// (__builtin_cpu_supports) sets itself up at every process start and asks
// many more questions, each one a trip out of a virtual machine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
// This build has the SSE2 and AVX2 bundles besides the scalar one.
#define CORVEL_VECTOR_KERNELS 1
#endif

// What the wide bundle is compiled for, and so what it needs.
#define CORVEL_AVX2_FEATURES "avx2,popcnt,pclmul,bmi,lzcnt"

#if defined(CORVEL_VECTOR_KERNELS)
#define CORVEL_KERNEL_AVX2 __attribute__((target(CORVEL_AVX2_FEATURES)))
#endif

namespace corvel {

// The features a bundle may need beyond baseline x86-64. Avx2 counts only
// when the system also saves the wide registers; it also stands for the
// SSE3 to SSE4.2 and AVX the compiler takes with it.
enum class Feature : std::uint8_t { Popcnt, Pclmul, Lzcnt, Bmi1, Bmi2, Avx2 };

// Each feature by its name in a target attribute.
struct FeatureName {
    Feature feature;
    std::string_view name;
};
inline constexpr FeatureName kFeatureNames[] = {
    {Feature::Popcnt, "popcnt"}, {Feature::Pclmul, "pclmul"}, {Feature::Lzcnt, "lzcnt"},
    {Feature::Bmi1, "bmi"},      {Feature::Bmi2, "bmi2"},     {Feature::Avx2, "avx2"},
};

class FeatureSet {
public:
    constexpr FeatureSet() = default;

    constexpr FeatureSet with(Feature f) const { return FeatureSet(bits_ | bit(f)); }
    constexpr FeatureSet without(Feature f) const { return FeatureSet(bits_ & ~bit(f)); }
    constexpr bool has(Feature f) const { return (bits_ & bit(f)) != 0; }
    // Whether every feature of `needs` is here.
    constexpr bool covers(FeatureSet needs) const { return (needs.bits_ & ~bits_) == 0; }
    constexpr bool operator==(const FeatureSet&) const = default;

    // Every feature there is.
    static constexpr FeatureSet all()
    {
        FeatureSet set;
        for (const FeatureName& f : kFeatureNames)
            set = set.with(f.feature);
        return set;
    }
    // The features of a comma-separated list of names, as a target
    // attribute takes them. An unknown name is no constant (the build stops).
    static consteval FeatureSet named(std::string_view list)
    {
        FeatureSet set;
        while (!list.empty()) {
            const std::size_t comma = list.find(',');
            const std::string_view name = list.substr(0, comma);
            bool known = false;
            for (const FeatureName& f : kFeatureNames)
                if (f.name == name) {
                    set = set.with(f.feature);
                    known = true;
                }
            if (!known)
                throw "a kernel names a feature the processor query does not know";
            list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
        }
        return set;
    }

    // This processor's, asked once.
    static FeatureSet local();

private:
    constexpr explicit FeatureSet(std::uint32_t bits) : bits_(bits) {}
    static constexpr std::uint32_t bit(Feature f) { return std::uint32_t {1} << static_cast<unsigned>(f); }

    std::uint32_t bits_ = 0;
};

// The instruction sets the vector paths come in, narrowest first. AVX-512
// has none: on the bench's dictionaries it saved a whole check or report
// run no more processor time over AVX2 than the runs spread by
// (bench/README.md).
enum class InstructionSet : std::uint8_t { Scalar, Sse2, Avx2 };

// What a bundle needs of the processor beyond baseline x86-64.
constexpr FeatureSet featuresNeeded(InstructionSet set)
{
    switch (set) {
    case InstructionSet::Scalar:
    case InstructionSet::Sse2: return FeatureSet();
    case InstructionSet::Avx2: return FeatureSet::named(CORVEL_AVX2_FEATURES);
    }
    return FeatureSet::all();
}

// Whether this build has the bundle and a processor with `has` runs it.
bool runsInstructionSet(InstructionSet set, FeatureSet has);
// The same for this processor.
bool runsInstructionSet(InstructionSet set);
// The widest set run with `has`, or the one `wanted` names (scalar, sse2,
// avx2) when it runs; `wanted` may be null.
InstructionSet chooseInstructionSet(FeatureSet has, const char* wanted);
// The one choice every vector path follows (the block classifier's kernels
// and the encoding scan's): chooseInstructionSet for this processor and the
// environment variable CORVEL_SCAN_KERNEL. Made once.
InstructionSet chosenInstructionSet();
const char* instructionSetName(InstructionSet set);

}  // namespace corvel
