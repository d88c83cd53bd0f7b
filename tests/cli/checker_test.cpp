// corvel-check: its options, exit statuses and messages, and that it writes
// exactly the files the window runs write.
#include "checker.h"
#include "fake_window.h"
#include "test_support.h"

#include <sstream>

namespace corvel::test {
namespace {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

const char* const kTime = "2002-05-30 14:05:09";

class Checker : public TempFolderTest {
protected:
    CliResult check(const std::vector<std::string>& args)
    {
        std::ostringstream out, err;
        CliResult result;
        result.status = cli::runChecker(args, out, err);
        result.out = out.str();
        result.err = err.str();
        return result;
    }
    std::string path(const fs::path& relative) const
    {
        return (root() / relative).make_preferred().string();
    }
};

// Exit statuses and messages.

TEST_F(Checker, CleanDictionaryExitsZero)
{
    makeFile("dic/clean.txt", crlfLines({"Open", gbk("打开")}));
    CliResult r = check({"--time", kTime, path("dic/clean.txt")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find(path("dic/clean.txt")), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(path("dic/clean/clean.log")), std::string::npos) << r.out;
}

TEST_F(Checker, FlaggedDictionaryExitsOne)
{
    makeFile("dic/game.txt", fixtureBytes("game.txt"));
    CliResult r = check({"--time", kTime, path("dic/game.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(sameBytes(readBytes(root() / "dic/game/game.log"), fixtureBytes("game.check.log")));
}

TEST_F(Checker, EarlyStopExitsOne)
{
    makeFile("dic/game.txt", fixtureBytes("game.txt"));
    CliResult r = check({"--time", kTime, "--stop-on-empty", path("dic/game.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(
        sameBytes(readBytes(root() / "dic/game/game.log"), fixtureBytes("game.emptystop.log")));
}

TEST_F(Checker, MissingDictionaryExitsTwoNamingPathAndCause)
{
    makeFolder("dic");
    CliResult r = check({path("dic/gone.txt")});
    EXPECT_EQ(r.status, 2);
    std::string prefix = "corvel-check: " + path("dic/gone.txt") + ": ";
    ASSERT_EQ(r.err.rfind(prefix, 0), 0u) << r.err;
    EXPECT_GT(r.err.size(), prefix.size() + 1) << "a cause follows the path";
    EXPECT_EQ(r.err.back(), '\n');
    EXPECT_EQ(listTree(root()), std::vector<std::string> {"dic/"});
}

TEST_F(Checker, NameWithoutDotExitsTwoAndCreatesNothing)
{
    makeFile("dic/game", fixtureBytes("game.txt"));
    CliResult r = check({path("dic/game")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(path("dic/game")), std::string::npos) << r.err;
    EXPECT_EQ(listTree(root()), (std::vector<std::string> {"dic/", "dic/game"}));
}

TEST_F(Checker, FileWhereTheOutputFolderShouldBeExitsTwo)
{
    makeFile("dic/game", "a file");
    makeFile("dic/game.txt", fixtureBytes("game.txt"));
    CliResult r = check({path("dic/game.txt")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("game"), std::string::npos) << r.err;
    EXPECT_EQ(readBytes(root() / "dic/game"), "a file");
}

TEST_F(Checker, OneMissingAmongSeveralLeavesTheOthersChecked)
{
    makeFile("a/game.txt", fixtureBytes("game.txt"));
    makeFile("b/menu.DAT", fixtureBytes("game.txt"));
    CliResult r =
        check({"--time", kTime, path("a/game.txt"), path("gone.txt"), path("b/menu.DAT")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(path("gone.txt")), std::string::npos) << r.err;
    EXPECT_TRUE(sameBytes(readBytes(root() / "a/game/game.log"), fixtureBytes("game.check.log")));
    EXPECT_TRUE(sameBytes(readBytes(root() / "b/menu/menu.log"), fixtureBytes("game.check.log")));
    EXPECT_NE(r.out.find(path("a/game.txt")), std::string::npos);
    EXPECT_NE(r.out.find(path("b/menu.DAT")), std::string::npos);
}

TEST_F(Checker, SeriousErrorStopEndsOnlyThatDictionary)
{
    std::string row;
    for (int i = 0; i < 12; ++i)
        row += crlfLines({gbk("错"), gbk("译")});
    makeFile("dic/row.txt", row);
    makeFile("dic/game.txt", fixtureBytes("game.txt"));
    CliResult r = check({"--time", kTime, path("dic/row.txt"), path("dic/game.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "");
    EXPECT_NE(readBytes(root() / "dic/row/row.log").find(gbk("严重错误发生于第 1 行")),
              std::string::npos);
    EXPECT_TRUE(sameBytes(readBytes(root() / "dic/game/game.log"), fixtureBytes("game.check.log")));
}

TEST_F(Checker, RefusesToWriteOverTheDictionary)
{
    makeFile("game/game.txt", fixtureBytes("game.txt"));
    CliResult r = check({"--correct", "--workdir", root().string(), path("game/game.txt")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(path("game/game.txt")), std::string::npos) << r.err;
    EXPECT_EQ(readBytes(root() / "game/game.txt"), fixtureBytes("game.txt"));
}

TEST_F(Checker, QuietPrintsNothingButFailures)
{
    makeFile("dic/game.txt", fixtureBytes("game.txt"));
    CliResult r = check({"-q", path("dic/game.txt"), path("gone.txt")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(path("gone.txt")), std::string::npos);
    EXPECT_TRUE(fs::exists(root() / "dic/game/game.log"));
}

TEST_F(Checker, WorkingDirectoryIsTheSameAfterwards)
{
    makeFile("dic/game.txt", fixtureBytes("game.txt"));
    (void)check({path("dic/game.txt"), path("gone.txt")});
    EXPECT_EQ(fs::current_path(), root());
}

// Where the output goes.

TEST_F(Checker, OutputFolderIsInTheDictionarysFolderByDefault)
{
    // Relative names stay relative to where the checker started, although
    // each run moves the working directory into its output folder.
    makeFile("dic/game.txt", fixtureBytes("game.txt"));
    makeFile("other/menu.txt", fixtureBytes("game.txt"));
    makeFolder("elsewhere");
    fs::current_path(root() / "elsewhere");
    CliResult r = check({"--correct", "../dic/game.txt", "../other/menu.txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(listTree(root()),
              (std::vector<std::string> {"dic/", "dic/game.txt", "dic/game/", "dic/game/game.log",
                                         "dic/game/game.txt", "elsewhere/", "other/",
                                         "other/menu.txt", "other/menu/", "other/menu/menu.log",
                                         "other/menu/menu.txt"}));
}

TEST_F(Checker, WorkdirReceivesTheOutputFolders)
{
    makeFile("dic/game.txt", fixtureBytes("game.txt"));
    makeFile("dic/menu.DAT", fixtureBytes("game.txt"));
    makeFolder("out");
    CliResult r = check({"--workdir", "out", "dic/game.txt", "dic/menu.DAT"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(listTree(root() / "out"),
              (std::vector<std::string> {"game/", "game/game.log", "menu/", "menu/menu.log"}));
    EXPECT_EQ(listTree(root() / "dic"), (std::vector<std::string> {"game.txt", "menu.DAT"}));
}

TEST_F(Checker, WorkdirGivenWithEqualsSignIsTheSame)
{
    makeFile("dic/game.txt", fixtureBytes("game.txt"));
    makeFolder("out");
    CliResult r = check({"--workdir=out", "--time=2002-05-30 14:05:09", "dic/game.txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(sameBytes(readBytes(root() / "out/game/game.log"), fixtureBytes("game.check.log")));
}

TEST_F(Checker, MissingWorkdirExitsTwoNamingIt)
{
    makeFile("dic/game.txt", fixtureBytes("game.txt"));
    CliResult r = check({"--workdir", path("nowhere"), path("dic/game.txt")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(path("nowhere")), std::string::npos) << r.err;
    EXPECT_EQ(listTree(root()), (std::vector<std::string> {"dic/", "dic/game.txt"}));
}

TEST_F(Checker, DoubleDashEndsTheOptions)
{
    makeFile("-x.txt", crlfLines({"Open", gbk("打开")}));
    CliResult r = check({"--", "-x.txt"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(root() / "-x" / "-x.log"));
}

TEST_F(Checker, AppendLogAddsASectionPerRun)
{
    makeFile("dic/game.txt", fixtureBytes("game.txt"));
    (void)check({"--time", kTime, "--append-log", path("dic/game.txt")});
    (void)check({"--time", kTime, "--append-log", path("dic/game.txt")});
    std::string section = fixtureBytes("game.check.log");
    EXPECT_TRUE(sameBytes(readBytes(root() / "dic/game/game.log"), section + section));
}

TEST_F(Checker, EqualsCorrectWritesTheEqualsFixtures)
{
    makeFile("dic/menu.DAT", fixtureBytes("menu.DAT"));
    CliResult r = check({"--equals", "--correct", "--time", kTime, path("dic/menu.DAT")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(
        sameBytes(readBytes(root() / "dic/menu/menu.log"), fixtureBytes("menu.correct.log")));
    EXPECT_TRUE(
        sameBytes(readBytes(root() / "dic/menu/menu.DAT"), fixtureBytes("menu.correct.DAT")));
}

TEST_F(Checker, EqualsCleanDictionaryExitsZero)
{
    makeFile("dic/ok.DAT", crlfLines({gbk("Open=打开"), gbk("a=b=打开")}));
    CliResult r = check({"--equals", path("dic/ok.DAT")});
    EXPECT_EQ(r.status, 0);
}

TEST_F(Checker, EmptyDictionaryIsCheckedAsZeroLines)
{
    makeFile("dic/empty.txt", "");
    CliResult r = check({"--correct", path("dic/empty.txt")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readBytes(root() / "dic/empty/empty.txt"), "");
}

#ifndef _WIN32
TEST_F(Checker, LogThatCannotBeWrittenExitsTwo)
{
    // Writing to /dev/full fails for every user, root included.
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    makeFile("dic/game.txt", fixtureBytes("game.txt"));
    makeFolder("dic/game");
    fs::create_symlink("/dev/full", root() / "dic/game/game.log");
    CliResult r = check({path("dic/game.txt")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("game.log"), std::string::npos) << r.err;
}
#endif

// The files the checker writes are those the window run writes with the
// same options.

struct SameAsWindow {
    const char* name;
    std::vector<std::string> args;
    bool equals;
    Mode mode;
    std::vector<std::pair<Option, bool>> options;
};

void PrintTo(const SameAsWindow& c, std::ostream* out)
{
    *out << c.name;
}

class CheckerWritesLikeTheWindow : public Checker,
                                   public ::testing::WithParamInterface<SameAsWindow> {};

TEST_P(CheckerWritesLikeTheWindow, SameFiles)
{
    const SameAsWindow& c = GetParam();
    // Every class of line, an empty line, untranslated and erroneous lines,
    // a row of errors after them, and equals lines of every class.
    std::string bytes = fixtureBytes("game.txt") + fixtureBytes("menu.DAT") + "pad=\r\n";
    for (int i = 0; i < 12; ++i)
        bytes += crlfLines({gbk("错=误"), "x"});
    const std::string name = c.equals ? "d.DAT" : "d.txt";
    fs::path viaWindow = makeFile(fs::path("window") / name, bytes);
    fs::path viaCli = makeFile(fs::path("cli") / name, bytes);

    FakeWindow window;
    window.path = viaWindow;
    window.currentMode = c.mode;
    for (auto [option, on] : c.options)
        window.options[option] = on;
    window.answers = {Answer::Cancel, Answer::Cancel};
    fs::current_path(viaWindow.parent_path());
    (void)(c.equals ? runEqualsCheck(window, fixedClock())
                    : runLinePairCheck(window, fixedClock()));
    fs::current_path(root());

    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--time", kTime, viaCli.string()});
    (void)check(args);

    std::vector<std::string> written = listTree(root() / "cli");
    EXPECT_EQ(written, listTree(root() / "window"));
    for (const std::string& file : written) {
        if (file.back() != '/') {
            EXPECT_TRUE(
                sameBytes(readBytes(root() / "cli" / file), readBytes(root() / "window" / file)))
                << file;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryOption, CheckerWritesLikeTheWindow,
    ::testing::Values(
        SameAsWindow {"Check", {}, false, Mode::Check, {}},
        SameAsWindow {"Correct", {"--correct"}, false, Mode::Correct, {}},
        SameAsWindow {
            "StopOnEmpty", {"--stop-on-empty"}, false, Mode::Check, {{Option::StopOnEmpty, true}}},
        SameAsWindow {"NoErrorStop",
                      {"--no-error-stop"},
                      false,
                      Mode::Check,
                      {{Option::StopOnErrors, false}}},
        SameAsWindow {"KeepEmpty",
                      {"--correct", "--keep-empty"},
                      false,
                      Mode::Correct,
                      {{Option::DeleteEmpty, false}}},
        SameAsWindow {"KeepErroneous",
                      {"--correct", "--keep-erroneous"},
                      false,
                      Mode::Correct,
                      {{Option::DeleteErroneous, false}}},
        SameAsWindow {"DropUntranslated",
                      {"--correct", "--drop-untranslated"},
                      false,
                      Mode::Correct,
                      {{Option::DeleteUntranslated, true}}},
        SameAsWindow {"AllCorrectOptions",
                      {"--correct", "--keep-empty", "--keep-erroneous", "--drop-untranslated"},
                      false,
                      Mode::Correct,
                      {{Option::DeleteEmpty, false},
                       {Option::DeleteErroneous, false},
                       {Option::DeleteUntranslated, true}}},
        SameAsWindow {"EqualsCheck", {"--equals"}, true, Mode::Check, {}},
        SameAsWindow {"EqualsCorrect", {"--equals", "--correct"}, true, Mode::Correct, {}}),
    [](const ::testing::TestParamInfo<SameAsWindow>& info) {
        return std::string(info.param.name);
    });

// Bad usage: status 2, the usage on stderr, nothing checked.

class CheckerUsage : public Checker {
protected:
    void expectBadUsage(const std::vector<std::string>& args, const std::string& named)
    {
        CliResult r = check(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("corvel-check: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(named), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("Usage: corvel-check"), std::string::npos) << r.err;
        EXPECT_EQ(listTree(root()), (std::vector<std::string> {"game.txt"})) << "nothing checked";
    }
    void SetUp() override
    {
        Checker::SetUp();
        makeFile("game.txt", fixtureBytes("game.txt"));
    }
};

TEST_F(CheckerUsage, UnknownOptionIsBadUsage)
{
    expectBadUsage({"--frobnicate", "game.txt"}, "--frobnicate");
    expectBadUsage({"-x", "game.txt"}, "-x");
}

TEST_F(CheckerUsage, NoDictionaryIsBadUsage)
{
    expectBadUsage({}, "no dictionary");
    expectBadUsage({"--correct"}, "no dictionary");
}

TEST_F(CheckerUsage, MalformedTimeIsBadUsage)
{
    for (const char* time : {"2002-05-30", "2002-13-01 00:00:00", "2002-05-32 00:00:00",
                             "2002-05-30 24:00:00", "2002-05-30 14:05:09x", "now"})
        expectBadUsage({"--time", time, "game.txt"}, "--time");
    expectBadUsage({"game.txt", "--time"}, "--time");
}

TEST_F(CheckerUsage, WorkdirWithoutFolderIsBadUsage)
{
    expectBadUsage({"game.txt", "--workdir"}, "--workdir");
    expectBadUsage({"--workdir=", "game.txt"}, "--workdir");
}

TEST_F(CheckerUsage, SwitchWithAValueIsBadUsage)
{
    expectBadUsage({"--correct=yes", "game.txt"}, "--correct");
}

TEST_F(CheckerUsage, HelpPrintsTheUsageAndChecksNothing)
{
    CliResult r = check({"--help", "game.txt"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("Usage: corvel-check", 0), 0u);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(listTree(root()), (std::vector<std::string> {"game.txt"}));
}

TEST_F(CheckerUsage, VersionPrintsTheVersion)
{
    CliResult r = check({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("corvel-check ", 0), 0u);
}

}  // namespace
}  // namespace corvel::test
