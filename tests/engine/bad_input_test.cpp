// Bad input and failing output: every case ends with a clear outcome, and
// the dictionary is never changed.
#include "run_test.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace corvel::test {
namespace {

std::string layoutName(const ::testing::TestParamInfo<Layout>& info)
{
    return ::testing::PrintToString(info.param);
}

// Each case runs for both layouts.
class BadInput : public RunTest, public ::testing::WithParamInterface<Layout> {
protected:
    bool pairs() const { return GetParam() == Layout::LinePairs; }
    std::string extension() const { return pairs() ? ".txt" : ".DAT"; }
    // A dictionary of the layout with lines of every class, and kept lines.
    std::string sample() const { return fixtureBytes(pairs() ? "game.txt" : "menu.DAT"); }
    RunReport run() { return pairs() ? runPairs() : runEquals(); }
};

INSTANTIATE_TEST_SUITE_P(BothRuns, BadInput, ::testing::Values(Layout::LinePairs, Layout::Equals),
                         layoutName);

TEST_P(BadInput, MissingDictionaryCreatesNothing)
{
    makeFolder("dic");
    request.dictionary = root() / "dic" / ("gone" + extension());
    request.outputParent = root() / "dic";
    request.mode = Mode::Correct;
    RunReport report = run();
    EXPECT_EQ(report.ending, RunEnding::FileNotFound);
    EXPECT_EQ(report.error.kind(), ErrorKind::FileNotFound);
    EXPECT_EQ(listTree(root()), std::vector<std::string> {"dic/"});
}

TEST_P(BadInput, NameWithoutDotIsAnUnknownErrorAndCreatesNothing)
{
    chooseDictionary("game", sample());
    RunReport report = run();
    EXPECT_EQ(report.ending, RunEnding::UnknownError);
    EXPECT_EQ(host.endApplicationCalls, 1);
    EXPECT_EQ(listTree(root()), (std::vector<std::string> {"dic/", "dic/game"}));
}

TEST_P(BadInput, FolderAsTheDictionaryIsAnUnknownErrorAndCreatesNothing)
{
    makeFolder("dic/game" + extension());
    request.dictionary = root() / "dic" / ("game" + extension());
    request.outputParent = root() / "dic";
    RunReport report = run();
    EXPECT_EQ(report.ending, RunEnding::UnknownError);
    EXPECT_EQ(listTree(root()),
              (std::vector<std::string> {"dic/", "dic/game" + extension() + "/"}));
}

TEST_P(BadInput, FileWhereTheOutputFolderShouldBeIsAnUnknownError)
{
    makeFile("dic/game", "a file, not a folder");
    fs::path dictionary = chooseDictionary("game" + extension(), sample());
    RunReport report = run();
    EXPECT_EQ(report.ending, RunEnding::UnknownError);
    EXPECT_EQ(host.endApplicationCalls, 1);
    EXPECT_EQ(output("game"), "a file, not a folder");
    EXPECT_EQ(readBytes(dictionary), sample());
    EXPECT_EQ(fs::current_path(), root()) << "the working directory is never changed";
}

TEST_P(BadInput, LogThatCannotBeCreatedIsAnUnknownError)
{
    // A folder stands where the log would go.
    makeFolder("dic/game/game.log");
    chooseDictionary("game" + extension(), sample());
    request.mode = Mode::Correct;
    RunReport report = run();
    EXPECT_EQ(report.ending, RunEnding::UnknownError);
    EXPECT_EQ(host.endApplicationCalls, 1);
    EXPECT_FALSE(report.error.cause().empty());
}

TEST_P(BadInput, CorrectedDictionaryThatCannotBeCreatedIsAnUnknownError)
{
    makeFolder("dic/game/game" + extension());
    chooseDictionary("game" + extension(), sample());
    request.mode = Mode::Correct;
    RunReport report = run();
    EXPECT_EQ(report.ending, RunEnding::UnknownError);
    EXPECT_EQ(host.endApplicationCalls, 1);
}

TEST_P(BadInput, CorrectedDictionaryThatCannotBeCreatedFailsEvenWithNothingToCopy)
{
    // No line is kept, so nothing is ever written to it: the run must still
    // not end as if the corrected dictionary had been written.
    makeFolder("dic/none/none" + extension());
    chooseDictionary("none" + extension(), crlfLines({gbk("错"), "OK="}));
    request.mode = Mode::Correct;
    RunReport report = run();
    EXPECT_EQ(report.ending, RunEnding::UnknownError);
    EXPECT_EQ(host.endApplicationCalls, 1);
    EXPECT_EQ(report.error.kind(), ErrorKind::Other);
}

TEST_P(BadInput, CorrectedDictionaryThatWouldBeTheDictionaryIsRefused)
{
    // The output folder goes into the parent of a folder named like the
    // base name that holds the dictionary: it is the dictionary's own folder.
    fs::path dictionary = makeFile("game/game" + extension(), sample());
    request.dictionary = dictionary;
    request.outputParent = root();
    request.mode = Mode::Correct;
    RunReport report = run();
    EXPECT_EQ(report.ending, RunEnding::UnknownError);
    EXPECT_EQ(host.endApplicationCalls, 1);
    EXPECT_EQ(readBytes(dictionary), sample());
}

TEST_P(BadInput, CheckModeBesideTheDictionaryLeavesItUnchanged)
{
    fs::path dictionary = makeFile("game/game" + extension(), sample());
    request.dictionary = dictionary;
    request.outputParent = root();
    RunReport report = run();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_EQ(readBytes(dictionary), sample());
    EXPECT_TRUE(fs::exists(root() / "game" / "game.log"));
}

TEST_P(BadInput, NulBytesAndInvalidGbkAreQuotedAndCopiedUnchanged)
{
    // Every line holds a translation byte after "=", so the line-pair run
    // calls the English lines erroneous and the equals run accepts all.
    using namespace std::string_literals;
    std::vector<std::string> lines = {"a=\0b\x81"s,  "c=\xFF\xFF\0"s, "d=\x81\x20\x7F"s,
                                      "e=\x80\xFE"s, "f=\0\0\0\xA1"s, "g=\x81"s};
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    fs::path dictionary = chooseDictionary("bin" + extension(), bytes);
    request.mode = Mode::Correct;
    options.on[Option::DeleteErroneous] = false;
    RunReport report = run();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_EQ(output("bin/bin" + extension()), bytes) << "copied byte for byte";
    EXPECT_EQ(readBytes(dictionary), bytes);
    if (pairs()) {
        std::string log = output("bin/bin.log");
        for (int i : {0, 2, 4})
            EXPECT_NE(
                log.find(entryLine("* 第 " + std::to_string(i + 1) + " 行发生错误。", lines[i])),
                std::string::npos)
                << "line " << i + 1 << " quoted as read";
    }
}

TEST_P(BadInput, FiftyMegabyteLineIsQuotedAndCopiedWhole)
{
    // One line of 50 MB whose last byte is a translation byte, then "=打开":
    // an erroneous English line / an accepted equals line.
    std::string huge(50 * 1024 * 1024, 'x');
    huge[1000] = '=';
    huge.back() = '\x81';
    std::string bytes = huge + "\r\n" + gbk("k=打开") + "\r\n";
    fs::path dictionary = chooseDictionary("big" + extension(), bytes);
    request.mode = Mode::Correct;
    options.on[Option::DeleteErroneous] = false;
    RunReport report = run();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_EQ(report.lines, 2);
    EXPECT_TRUE(output("big/big" + extension()) == bytes) << "the corrected copy differs";
    if (pairs()) {
        std::string log = output("big/big.log");
        EXPECT_NE(log.find(entryLine("* 第 1 行发生错误。", huge)), std::string::npos)
            << "the whole line is quoted";
    }
    EXPECT_TRUE(readBytes(dictionary) == bytes);
}

// Outputs of an earlier run that are also another file's names (hard
// links) are never written through, however the outputs are placed: the
// other file keeps its bytes and the outputs are those of a plain run.
TEST_P(BadInput, HardLinksAtTheOutputNamesAreNotWrittenThrough)
{
    chooseDictionary("game" + extension(), sample());
    request.mode = Mode::Correct;
    ASSERT_NE(run().ending, RunEnding::UnknownError);
    const std::string log = output("game/game.log");
    const std::string corrected = output("game/game" + extension());
    for (const OutputPlacement placement : {OutputPlacement::InPlace, OutputPlacement::NewFile}) {
        SCOPED_TRACE(placement == OutputPlacement::InPlace ? "in place" : "new file");
        fs::remove_all(root() / "dic/game");
        makeFolder("dic/game");
        const fs::path victim = makeFile("elsewhere/victim", "precious\r\n");
        for (const std::string& name : {std::string("game.log"), "game" + extension()})
            fs::create_hard_link(victim, root() / "dic/game" / name);
        request.outputs = placement;
        EXPECT_NE(run().ending, RunEnding::UnknownError);
        EXPECT_EQ(readBytes(victim), "precious\r\n");
        EXPECT_EQ(output("game/game.log"), log);
        EXPECT_EQ(output("game/game" + extension()), corrected);
        EXPECT_EQ(listTree(root() / "dic/game").size(), 2u) << "no new file is left";
    }
}

#ifndef _WIN32

// POSIX only: permissions, /dev/full, /sys and symbolic links.

TEST_P(BadInput, ReadOnlyFolderForTheOutputFolderIsAnUnknownError)
{
    fs::path dictionary = chooseDictionary("game" + extension(), sample());
    fs::permissions(root() / "dic", fs::perms::owner_read | fs::perms::owner_exec);
    if (::access((root() / "dic").c_str(), W_OK) == 0) {
        fs::permissions(root() / "dic", fs::perms::owner_all);
        GTEST_SKIP() << "folder permissions are not enforced for this user (root); the /dev/full "
                        "and /sys cases cover unwritable output for every user";
    }
    RunReport report = run();
    fs::permissions(root() / "dic", fs::perms::owner_all);
    EXPECT_EQ(report.ending, RunEnding::UnknownError);
    EXPECT_EQ(listTree(root()), (std::vector<std::string> {"dic/", "dic/game" + extension()}));
    EXPECT_EQ(readBytes(dictionary), sample());
}

TEST_P(BadInput, ReadOnlyOutputFolderIsAnUnknownError)
{
    makeFolder("dic/game");
    chooseDictionary("game" + extension(), sample());
    fs::permissions(root() / "dic" / "game", fs::perms::owner_read | fs::perms::owner_exec);
    if (::access((root() / "dic" / "game").c_str(), W_OK) == 0) {
        fs::permissions(root() / "dic" / "game", fs::perms::owner_all);
        GTEST_SKIP() << "folder permissions are not enforced for this user (root)";
    }
    RunReport report = run();
    fs::permissions(root() / "dic" / "game", fs::perms::owner_all);
    EXPECT_EQ(report.ending, RunEnding::UnknownError);
    EXPECT_TRUE(fs::is_empty(root() / "dic" / "game"));
}

// A link at an output's name is refused, even one to a device; writes that
// fail on a full device are the robustness tests' (a bind-mounted /dev/full).
TEST_P(BadInput, LogNameTakenByALinkIsAnUnknownError)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    makeFolder("dic/game");
    fs::create_symlink("/dev/full", root() / "dic" / "game" / "game.log");
    fs::path dictionary = chooseDictionary("game" + extension(), sample());
    RunReport report = run();
    EXPECT_EQ(report.ending, RunEnding::UnknownError);
    EXPECT_EQ(host.endApplicationCalls, 1);
    EXPECT_NE(report.error.cause().find("symbolic link"), std::string::npos);
    EXPECT_EQ(readBytes(dictionary), sample());
}

TEST_P(BadInput, CorrectedDictionaryNameTakenByALinkIsAnUnknownError)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    makeFolder("dic/game");
    fs::create_symlink("/dev/full", root() / "dic" / "game" / ("game" + extension()));
    chooseDictionary("game" + extension(), sample());
    request.mode = Mode::Correct;
    RunReport report = run();
    EXPECT_EQ(report.ending, RunEnding::UnknownError);
    EXPECT_EQ(host.endApplicationCalls, 1);
    EXPECT_NE(report.error.cause().find("symbolic link"), std::string::npos);
}

TEST_P(BadInput, OutputFolderThatCannotBeMadeIsAnUnknownError)
{
    // Not even root may create a folder in /sys.
    if (!fs::is_directory("/sys/kernel"))
        GTEST_SKIP() << "no /sys here";
    fs::path dictionary = makeFile("game" + extension(), sample());
    request.dictionary = dictionary;
    request.outputParent = "/sys/kernel";
    RunReport report = run();
    EXPECT_EQ(report.ending, RunEnding::UnknownError);
    EXPECT_EQ(host.endApplicationCalls, 1);
    EXPECT_FALSE(fs::exists("/sys/kernel/game"));
}

TEST_P(BadInput, DictionaryReachedThroughALinkIsStillNeverOverwritten)
{
    // The output folder holds a link named like the corrected dictionary
    // that points at the dictionary.
    fs::path dictionary = chooseDictionary("game" + extension(), sample());
    makeFolder("dic/game");
    fs::create_symlink(dictionary, root() / "dic" / "game" / ("game" + extension()));
    request.mode = Mode::Correct;
    RunReport report = run();
    EXPECT_EQ(report.ending, RunEnding::UnknownError);
    EXPECT_EQ(readBytes(dictionary), sample());
}

#endif  // _WIN32

// The dictionary's bytes are the same after every kind of run.

struct RunKind {
    const char* name;
    Layout layout;
    Mode mode;
    Option option;  // switched to `on` before the run
    bool on;
    std::int32_t escAfter;  // 0: no ESC
};

void PrintTo(const RunKind& kind, std::ostream* out)
{
    *out << kind.name;
}

class DictionaryUnchanged : public RunTest, public ::testing::WithParamInterface<RunKind> {};

TEST_P(DictionaryUnchanged, AfterTheRun)
{
    const RunKind& kind = GetParam();
    // Line pairs: an empty line at 7 and a row of errors from line 9 on.
    std::string bytes = fixtureBytes("game.txt");
    for (int i = 0; i < 12; ++i)
        bytes += crlfLines({gbk("错"), gbk("=译")});
    fs::path dictionary =
        chooseDictionary(kind.layout == Layout::LinePairs ? "game.txt" : "game.DAT", bytes);
    const auto writtenAt = fs::last_write_time(dictionary);
    request.mode = kind.mode;
    options.on[kind.option] = kind.on;
    if (kind.escAfter > 0)
        host.onLineDone = [&kind](std::int32_t line) { return line < kind.escAfter; };
    (void)(kind.layout == Layout::LinePairs ? runPairs() : runEquals());
    EXPECT_TRUE(readBytes(dictionary) == bytes);
    EXPECT_EQ(fs::last_write_time(dictionary), writtenAt) << "not even opened for writing";
}

INSTANTIATE_TEST_SUITE_P(
    EveryKindOfRun, DictionaryUnchanged,
    ::testing::Values(
        RunKind {"PairCheck", Layout::LinePairs, Mode::Check, Option::StopOnErrors, false, 0},
        RunKind {"PairCorrect", Layout::LinePairs, Mode::Correct, Option::DeleteUntranslated, true,
                 0},
        RunKind {"PairEmptyLineStop", Layout::LinePairs, Mode::Check, Option::StopOnEmpty, true, 0},
        RunKind {"PairSeriousErrorStop", Layout::LinePairs, Mode::Check, Option::StopOnErrors, true,
                 0},
        RunKind {"PairAppendedLog", Layout::LinePairs, Mode::Check, Option::ReplaceLog, false, 0},
        RunKind {"PairEsc", Layout::LinePairs, Mode::Correct, Option::ReplaceLog, true, 5},
        RunKind {"EqualsCheck", Layout::Equals, Mode::Check, Option::ReplaceLog, true, 0},
        RunKind {"EqualsCorrect", Layout::Equals, Mode::Correct, Option::ReplaceLog, true, 0},
        RunKind {"EqualsEsc", Layout::Equals, Mode::Correct, Option::ReplaceLog, true, 5}),
    [](const ::testing::TestParamInfo<RunKind>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvel::test
