// A host that does not follow the lines gets the block scan, which visits
// only the flagged lines; one that follows them gets every line. Both must
// give the same log, findings, calls and report, byte for byte, on every
// kind of dictionary: the fixtures, the real dictionaries, and generated
// ones with flagged lines across read boundaries, lines longer than the
// scan keeps, lone CRs, unterminated last lines and early stops; in
// correct mode the corrected dictionary too, larger than the output buffer
// and with dropped pairs mixed in. The same again with the dictionary read
// through a pipe, which cannot be read twice (not on Windows). Lines longer
// than either path holds (64 KiB in blocks, 256 KiB line by line) are read
// again from the file or the pipe's spill file.
// The processor's code path is chosen by CORVEL_SCAN_KERNEL (see CMake).
#include "fake_host.h"
#include "test_support.h"

#include "corvel/check_runs.h"
#include "processor_features.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace corvel::test {
namespace {

// The ways each dictionary runs besides the line-by-line loop on the file.
struct Way {
    const char* name;
    bool follows;
    bool piped;
};

std::vector<Way> ways()
{
    std::vector<Way> all = {{"blocks", false, false}};
#ifndef _WIN32
    all.push_back({"blocks through a pipe", false, true});
    // The line-by-line loop does not use the classifier: once is enough,
    // with the processor's own code path.
    if (std::getenv("CORVEL_SCAN_KERNEL") == nullptr)
        all.push_back({"lines through a pipe", true, true});
#endif
    return all;
}

struct Dictionary {
    std::string name;
    std::string bytes;
};

// What a run shows to its host and leaves on disk.
struct Outcome {
    std::string log;
    bool hasCorrected = false;
    std::string corrected;
    RunEnding ending = RunEnding::Finished;
    RunCounts counts;
    std::string error;
    std::vector<HeardFinding> findings;
    std::vector<std::string> statusEvents;
    std::vector<std::string> calls;
    std::optional<Stop> stop;
};

struct Variant {
    const char* name;
    Mode mode;
    bool stopOnEmpty = false;
    bool stopOnErrors = false;
    bool deleteEmpty = true;
    bool deleteErroneous = true;
    bool deleteUntranslated = false;
};

const Variant kVariants[] = {
    {"check, no stops", Mode::Check},
    {"check, empty-line stop", Mode::Check, true, false},
    {"check, serious-error stop", Mode::Check, false, true},
    {"check, both stops", Mode::Check, true, true},
    {"correct, as the window starts", Mode::Correct},
    {"correct, keeping every line", Mode::Correct, false, false, false, false, false},
    {"correct, dropping every flagged line", Mode::Correct, false, false, true, true, true},
    {"correct, keeping erroneous lines", Mode::Correct, false, false, true, false, false},
};

class BlockPath : public TempFolderTest {
protected:
    Outcome runOnce(const Dictionary& d, Layout layout, const Variant& v, bool follows,
                    bool piped)
    {
        const fs::path folder = root() / std::to_string(runs_++);
        const fs::path file = folder / "dict.txt";
        (void)piped;
#ifndef _WIN32
        std::optional<PipeFeed> feed;
        if (piped)
            feed.emplace(file, makeFile(folder / "bytes", d.bytes));
        else
#endif
            (void)makeFile(file, d.bytes);
        TestOptions options;
        options.on[Option::StopOnEmpty] = v.stopOnEmpty;
        options.on[Option::StopOnErrors] = v.stopOnErrors;
        options.on[Option::DeleteEmpty] = v.deleteEmpty;
        options.on[Option::DeleteErroneous] = v.deleteErroneous;
        options.on[Option::DeleteUntranslated] = v.deleteUntranslated;
        RunRequest request;
        request.clock = fixedClock();
        request.options = &options;
        request.layout = layout;
        request.mode = v.mode;
        request.dictionary = file;
        request.outputParent = folder;
        request.linePath = follows ? LinePath::EveryLine : LinePath::FlaggedLines;
        FakeHost host;
        const RunReport report = runCheck(request, host, {&host});
        Outcome o;
        if (fs::exists(report.log))
            o.log = readBytes(report.log);
        const fs::path corrected = report.outputFolder / "dict.txt";
        o.hasCorrected = !report.outputFolder.empty() && fs::exists(corrected);
        if (o.hasCorrected)
            o.corrected = readBytes(corrected);
        o.ending = report.ending;
        o.counts = report;
        o.error = report.error.cause();
        o.findings = host.findings;
        o.statusEvents = host.statusEvents();
        o.calls = host.calls();
        o.stop = host.stop;
        return o;
    }

    void expectSame(const Dictionary& d)
    {
        for (Layout layout : {Layout::LinePairs, Layout::Equals}) {
            for (const Variant& v : kVariants) {
                const Outcome lines = runOnce(d, layout, v, true, false);
                for (const Way& way : ways()) {
                    const Outcome blocks = runOnce(d, layout, v, way.follows, way.piped);
                    const std::string where = d.name + ", " +
                        (layout == Layout::LinePairs ? "line pairs" : "equals lines") + ", " +
                        v.name + ", " + way.name;
                    EXPECT_EQ(blocks.log, lines.log) << where;
                    EXPECT_EQ(blocks.hasCorrected, lines.hasCorrected) << where;
                    EXPECT_TRUE(blocks.corrected == lines.corrected) << where;
                    EXPECT_EQ(blocks.ending, lines.ending) << where;
                    EXPECT_EQ(blocks.counts.lines, lines.counts.lines) << where;
                    EXPECT_EQ(blocks.counts.empty, lines.counts.empty) << where;
                    EXPECT_EQ(blocks.counts.erroneous, lines.counts.erroneous) << where;
                    EXPECT_EQ(blocks.counts.untranslated, lines.counts.untranslated) << where;
                    EXPECT_EQ(blocks.error, lines.error) << where;
                    EXPECT_TRUE(blocks.findings == lines.findings) << where;
                    EXPECT_EQ(blocks.statusEvents, lines.statusEvents) << where;
                    EXPECT_EQ(blocks.calls, lines.calls) << where;
                    EXPECT_EQ(blocks.stop.has_value(), lines.stop.has_value()) << where;
                    if (blocks.stop && lines.stop) {
                        EXPECT_EQ(blocks.stop->cause, lines.stop->cause) << where;
                        EXPECT_EQ(blocks.stop->line, lines.stop->line) << where;
                    }
                }
            }
        }
    }

private:
    int runs_ = 0;
};

// Lines of every class, mostly good ones, with the terminators and lengths
// that have broken scans before; `size` bytes or a little more.
std::string generated(std::uint32_t seed, std::size_t size, std::size_t longLine)
{
    std::mt19937 random(seed);
    auto chance = [&](unsigned n) { return std::uniform_int_distribution<unsigned>(0, n - 1)(random) == 0; };
    const std::string chinese = "\xB4\xF2\xBF\xAA\xCE\xC4\xBC\xFE";
    std::string file;
    for (std::uint64_t n = 1; file.size() < size; ++n) {
        const bool odd = n % 2 != 0;
        std::string line = chance(2) ? (odd ? "Open file" : chinese) : "Open=" + chinese;
        if (chance(40))
            line = chance(2) ? "   " : "";                      // empty
        else if (chance(40))
            line = odd ? chinese : "Open file";                  // erroneous or untranslated
        else if (chance(60))
            line = "Open";                                       // no '='
        else if (chance(50))
            line = " \nx";                                       // a lone LF inside
        if (chance(3000))
            line = std::string(longLine, chance(2) ? 'a' : ' ') + (odd && chance(2) ? chinese : "");
        if (chance(200)) {                                       // a row of erroneous lines
            for (int i = 0; i < 24; ++i)
                file += (i % 2 == 0 ? chinese : chinese) + "\r\n";
        }
        file += line + (chance(30) ? "\r" : "\r\n");
    }
    if (chance(2))
        file.resize(file.size() - 2);                            // no terminator at the end
    return file;
}

// A forced path that this processor runs is the one taken; otherwise the
// runs below would test the widest path once more.
TEST(BlockPathChoice, TheForcedPathIsTaken)
{
    const char* wanted = std::getenv("CORVEL_SCAN_KERNEL");
    if (wanted == nullptr)
        GTEST_SKIP() << "no path forced";
    for (InstructionSet set : {InstructionSet::Scalar, InstructionSet::Sse2, InstructionSet::Avx2})
        if (std::string(wanted) == instructionSetName(set) && !runsInstructionSet(set))
            GTEST_SKIP() << wanted << " is not run here";
    EXPECT_STREQ(instructionSetName(chosenInstructionSet()), wanted);
}

TEST_F(BlockPath, FixturesGiveTheSameRunAsLineByLine)
{
    for (const char* name : {"game.txt", "menu.DAT"})
        expectSame({name, fixtureBytes(name)});
}

TEST_F(BlockPath, RealDictionariesGiveTheSameRunAsLineByLine)
{
    for (const fs::path& file : realDictionaries())
        expectSame({file.filename().string(), readBytes(file)});
}

TEST_F(BlockPath, EdgeCasesGiveTheSameRunAsLineByLine)
{
    const std::string cn = "\xB4\xF2\xBF\xAA";
    const std::vector<Dictionary> table = {
        {"empty file", ""},
        {"one CR", "\r"},
        {"one CR LF", "\r\n"},
        {"unterminated", "Open\r\n" + cn},
        {"lone CRs", "Open\r" + cn + "\rSave\r\r"},
        {"odd line count", "Open\r\n" + cn + "\r\nSave\r\n"},
        {"spaces then lone LF", " \n\r\n" + cn + "\r\n"},
        {"0x80 is no translation byte", "a\x80\r\n\x80=\x80\r\n"},
        {"row of errors", [&] {
             std::string s;
             for (int i = 0; i < 30; ++i)
                 s += cn + "\r\n";
             return s;
         }()},
        {"long flagged line", std::string(200000, ' ') + "\r\n" + cn + "\r\n" +
                                  std::string(300000, 'a') + cn + "\r\n"},
        {"long line over reads", "Open\r\n" + std::string(3 << 20, 'x') + "\r\n"},
        {"long good lines over reads", "a=" + std::string(3 << 20, 'x') + cn + "\r\n" + cn +
                                            "\r\n" + std::string(3 << 20, 'y') + "=" + cn},
        {"long unpaired last line", "Open\r\n" + cn + "\r\n" + std::string(3 << 20, 'z') + "\r\n"},
        {"long lines with an equals sign", "a=" + std::string(3 << 20, 'b') + "\r\n" + cn +
                                               std::string(1 << 20, ' ') + "=x\r\n" +
                                               std::string(1 << 20, ' ') + "\r\n" + cn},
        {"CR LF split at a read", std::string((1 << 20) - 1, 'a') + "\r\n" + cn + "\r\n"},
        {"CR at a read's end", std::string((1 << 20) - 1, 'a') + "\r" + cn + "\r\n"},
    };
    for (const Dictionary& d : table)
        expectSame(d);
}

TEST_F(BlockPath, GeneratedDictionariesGiveTheSameRunAsLineByLine)
{
    for (std::uint32_t seed = 1; seed <= 6; ++seed)
        expectSame({"generated " + std::to_string(seed),
                    generated(seed, seed % 2 == 0 ? 2500000 : 300000, seed * 60000)});
}

}  // namespace
}  // namespace corvel::test
