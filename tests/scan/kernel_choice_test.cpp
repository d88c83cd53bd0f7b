// The choice of kernel bundle: never one whose declared needs this
// processor does not meet, whatever CORVEL_SCAN_KERNEL asks for, and the
// engine's processor query against the compiler's.
#include "processor_features.h"

#include <gtest/gtest.h>

#include <string>

namespace corvel::test {
namespace {

constexpr InstructionSet kAllSets[] = {InstructionSet::Scalar, InstructionSet::Sse2,
                                       InstructionSet::Avx2};
const char* const kWanted[] = {nullptr, "scalar", "sse2", "avx2", "avx512", "avx1024"};

TEST(KernelChoice, NoBundleRunsWithoutEveryFeatureItNeeds)
{
    for (InstructionSet set : kAllSets)
        for (const FeatureName& missing : kFeatureNames) {
            if (!featuresNeeded(set).has(missing.feature))
                continue;
            const FeatureSet has = FeatureSet::all().without(missing.feature);
            EXPECT_FALSE(runsInstructionSet(set, has))
                << instructionSetName(set) << " without " << missing.name;
            for (const char* wanted : kWanted) {
                const InstructionSet chosen = chooseInstructionSet(has, wanted);
                EXPECT_TRUE(has.covers(featuresNeeded(chosen)))
                    << instructionSetName(chosen) << " chosen without " << missing.name
                    << ", asked for " << (wanted ? wanted : "nothing");
            }
        }
}

#if defined(CORVEL_VECTOR_KERNELS)
TEST(KernelChoice, WidestBundleThatRunsOrTheOneAskedFor)
{
    const FeatureSet all = FeatureSet::all();
    const struct {
        FeatureSet has;
        const char* wanted;
        InstructionSet chosen;
    } cases[] = {
        {all, nullptr, InstructionSet::Avx2},
        {all, "avx2", InstructionSet::Avx2},
        {all, "sse2", InstructionSet::Sse2},
        {all, "scalar", InstructionSet::Scalar},
        {all, "avx1024", InstructionSet::Avx2},
        {all, "avx512", InstructionSet::Avx2},  // no such bundle: the widest
        // Wide instructions whose helpers are missing, as a virtual machine
        // may show them: the bundle that uses them is out.
        {all.without(Feature::Lzcnt), nullptr, InstructionSet::Sse2},
        {all.without(Feature::Lzcnt), "avx512", InstructionSet::Sse2},
        {all.without(Feature::Bmi1), "avx2", InstructionSet::Sse2},
        {all.without(Feature::Popcnt), nullptr, InstructionSet::Sse2},
        {all.without(Feature::Pclmul), nullptr, InstructionSet::Sse2},
        // A feature no bundle needs holds none back.
        {all.without(Feature::Bmi2), nullptr, InstructionSet::Avx2},
        {all.without(Feature::Avx2), nullptr, InstructionSet::Sse2},
        {all.without(Feature::Avx2), "avx2", InstructionSet::Sse2},
        {FeatureSet(), "avx2", InstructionSet::Sse2},
        {FeatureSet(), "scalar", InstructionSet::Scalar},
    };
    for (const auto& c : cases)
        EXPECT_EQ(chooseInstructionSet(c.has, c.wanted), c.chosen)
            << "asked for " << (c.wanted ? c.wanted : "nothing");
}
#endif

// The engine's own choice is one this processor runs; on x86-64 at least SSE2.
TEST(KernelChoice, ThisProcessorsChoiceRuns)
{
    EXPECT_TRUE(runsInstructionSet(InstructionSet::Scalar));
    EXPECT_TRUE(runsInstructionSet(chosenInstructionSet()));
    EXPECT_TRUE(FeatureSet::local().covers(featuresNeeded(chosenInstructionSet())));
#if defined(CORVEL_VECTOR_KERNELS)
    EXPECT_TRUE(runsInstructionSet(InstructionSet::Sse2));
#endif
}

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
// Every feature a bundle may name, as the compiler's own query sees it.
TEST(KernelChoice, ProcessorQueryAgreesWithTheCompilers)
{
    __builtin_cpu_init();
    const FeatureSet has = FeatureSet::local();
    const struct {
        Feature feature;
        bool compilers;
    } features[] = {
        {Feature::Popcnt, __builtin_cpu_supports("popcnt") != 0},
        {Feature::Pclmul, __builtin_cpu_supports("pclmul") != 0},
#if !defined(__clang__)  // (clang's query has no name for it)
        {Feature::Lzcnt, __builtin_cpu_supports("lzcnt") != 0},
#endif
        {Feature::Bmi1, __builtin_cpu_supports("bmi") != 0},
        {Feature::Bmi2, __builtin_cpu_supports("bmi2") != 0},
        {Feature::Avx2, __builtin_cpu_supports("avx2") != 0},
    };
    FeatureSet compared;
    for (const auto& f : features) {
        EXPECT_EQ(has.has(f.feature), f.compilers) << static_cast<int>(f.feature);
        compared = compared.with(f.feature);
    }
#if !defined(__clang__)
    EXPECT_EQ(compared, FeatureSet::all()) << "a feature the query knows is not compared";
#endif
}
#endif

}  // namespace
}  // namespace corvel::test
