// corvel-check: its options, exit statuses and messages, and that it writes
// exactly the files the window runs write.
#include "cli_test.h"
#include "fake_host.h"
#include "test_support.h"

#include <algorithm>
#include <map>
#include <sstream>

namespace corvel::test {
namespace {

class Checker : public CliTest {};

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

TEST_F(Checker, WorkingDirectoryIsNeverChanged)
{
    makeFile("dic/game.txt", fixtureBytes("game.txt"));
    makeFile("other/menu.txt", fixtureBytes("game.txt"));
    for (const char* jobs : {"1", "2"}) {
        (void)check({"-j", jobs, path("dic/game.txt"), path("gone.txt"), path("other/menu.txt")});
        EXPECT_EQ(fs::current_path(), root()) << "-j " << jobs;
    }
}

// Where the output goes.

TEST_F(Checker, OutputFolderIsInTheDictionarysFolderByDefault)
{
    // Relative names are relative to where the checker started.
    makeFile("dic/game.txt", fixtureBytes("game.txt"));
    makeFile("other/menu.txt", fixtureBytes("game.txt"));
    makeFolder("elsewhere");
    fs::current_path(root() / "elsewhere");
    CliResult r = check({"--correct", "../dic/game.txt", "../other/menu.txt"});
    EXPECT_EQ(fs::current_path(), root() / "elsewhere");
    fs::current_path(root());
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


// Several dictionaries at once.

// The files under `folder` with their bytes, by relative path.
std::map<std::string, std::string> filesUnder(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const std::string& name : listTree(folder))
        files[name] = name.back() == '/' ? "" : readBytes(folder / name);
    return files;
}

// The names at the start of the lines of `text`, up to ": ".
std::vector<std::string> namesOfLines(const std::string& text)
{
    std::vector<std::string> names;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        names.push_back(line.substr(0, line.find(": ")));
    return names;
}

class CheckerJobs : public Checker {
protected:
    // Dictionaries of every outcome in several folders, two of them with
    // one name; the first is far longer than the rest, so that checked at
    // once the later ones end first.
    std::vector<std::string> layOut()
    {
        fs::remove_all(root() / "t");
        std::string longOne, row;
        for (int i = 0; i < 20000; ++i)
            longOne += fixtureBytes("game.txt");
        for (int i = 0; i < 12; ++i)
            row += crlfLines({gbk("错"), gbk("译")});
        makeFile("t/a/long.txt", longOne);
        makeFile("t/b/game.txt", fixtureBytes("game.txt"));
        makeFile("t/c/game.txt", crlfLines({"Open", gbk("打开")}));
        makeFile("t/c/row.txt", row);
        makeFile("t/d/nodot", fixtureBytes("game.txt"));
        makeFile("t/e/empty.txt", "");
        return {path("t/a/long.txt"), path("t/b/game.txt"), path("t/gone.txt"),
                path("t/c/game.txt"), path("t/c/row.txt"), path("t/d/nodot"),
                path("t/e/empty.txt")};
    }
};

TEST_F(CheckerJobs, TwoAtOnceWriteTheSameFilesAndLinesAsOneAtATime)
{
    for (const std::vector<std::string>& mode :
         {std::vector<std::string> {}, std::vector<std::string> {"--correct"}}) {
        SCOPED_TRACE(mode.empty() ? "check" : "correct");
        std::map<std::string, CliResult> results;
        std::map<std::string, std::map<std::string, std::string>> files;
        std::vector<std::string> dictionaries;
        for (const char* jobs : {"1", "2"}) {
            dictionaries = layOut();
            std::vector<std::string> args = {"-j", jobs, "--time", kTime};
            args.insert(args.end(), mode.begin(), mode.end());
            args.insert(args.end(), dictionaries.begin(), dictionaries.end());
            results[jobs] = check(args);
            files[jobs] = filesUnder(root() / "t");
        }
        EXPECT_EQ(results["2"].status, 2);
        EXPECT_EQ(results["2"].status, results["1"].status);
        EXPECT_EQ(results["2"].out, results["1"].out);
        EXPECT_EQ(results["2"].err, results["1"].err);
        EXPECT_EQ(files["2"], files["1"]);
        EXPECT_EQ(files["2"].count("b/game/game.log") + files["2"].count("c/game/game.log"), 2u);
        // Summary lines and messages in command-line order.
        EXPECT_EQ(namesOfLines(results["2"].out),
                  (std::vector<std::string> {dictionaries[0], dictionaries[1], dictionaries[3],
                                             dictionaries[4], dictionaries[6]}));
        std::vector<std::string> failed = namesOfLines(results["2"].err);
        ASSERT_EQ(failed.size(), 2u) << results["2"].err;
        EXPECT_NE(results["2"].err.find(dictionaries[2]), std::string::npos);
        EXPECT_LT(results["2"].err.find(dictionaries[2]), results["2"].err.find(dictionaries[5]));
    }
}

// Two dictionaries of one call whose outputs would be the same files, or
// one of which would write the other.
struct SharedOutputs {
    const char* name;
    std::vector<std::string> options;
    std::string first;   // relative to the test folder
    std::string second;
    std::string outputFolder;  // that neither may create
    std::string link = {};        // a folder link made first, relative to the test folder
    std::string linkTarget = {};  // relative to the link's folder
};

void PrintTo(const SharedOutputs& c, std::ostream* out)
{
    *out << c.name;
}

class CheckerRefusesSharedOutputs : public Checker,
                                    public ::testing::WithParamInterface<SharedOutputs> {};

TEST_P(CheckerRefusesSharedOutputs, BothAreRefusedNamingEachOtherAndTheRestIsChecked)
{
    const SharedOutputs& c = GetParam();
    makeFolder("out");
    if (!c.link.empty()) {
        makeFolder(fs::path(c.link).parent_path());
        fs::create_directory_symlink(c.linkTarget, root() / c.link);
    }
    makeFile(c.first, fixtureBytes("game.txt"));
    makeFile(c.second, fixtureBytes("game.txt"));
    makeFile("c/menu.txt", fixtureBytes("game.txt"));
    for (const char* jobs : {"1", "2"}) {
        SCOPED_TRACE(std::string("-j ") + jobs);
        std::vector<std::string> args = {"-j", jobs};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.insert(args.end(), {path(c.first), path("c/menu.txt"), path(c.second)});
        CliResult r = check(args);
        EXPECT_EQ(r.status, 2);
        std::istringstream messages(r.err);
        int refused = 0;
        for (std::string line; std::getline(messages, line); ++refused) {
            EXPECT_NE(line.find(path(c.first)), std::string::npos) << line;
            EXPECT_NE(line.find(path(c.second)), std::string::npos) << line;
            // "its output" is the refused dictionary's own, as it spells it.
            for (const std::string& own : {c.first, c.second}) {
                const fs::path dictionary = fs::path(own);
                const fs::path folder = (c.options.size() > 1 && c.options[0] == "--workdir"
                                             ? fs::path(c.options[1])
                                             : dictionary.parent_path()) /
                                        dictionary.stem();
                if (line.rfind("corvel-check: " + path(own) + ": its output ", 0) == 0) {
                    const std::string expected =
                        ": its output " + path(folder) +
                        static_cast<char>(fs::path::preferred_separator);
                    EXPECT_NE(line.find(expected), std::string::npos) << line;
                }
            }
        }
        EXPECT_EQ(refused, 2) << r.err;
        EXPECT_FALSE(fs::exists(root() / c.outputFolder));
        EXPECT_EQ(namesOfLines(r.out), std::vector<std::string> {path("c/menu.txt")});
        const std::size_t log = r.out.find("; log ");
        ASSERT_NE(log, std::string::npos) << r.out;
        EXPECT_TRUE(fs::exists(r.out.substr(log + 6, r.out.size() - log - 7))) << r.out;
        EXPECT_EQ(readBytes(root() / c.second), fixtureBytes("game.txt"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    SameFiles, CheckerRefusesSharedOutputs,
    ::testing::Values(
        SharedOutputs {"OneNameIntoOneWorkdir", {"--workdir", "out"}, "a/game.txt", "b/game.txt",
                       "out/game"},
        SharedOutputs {"OnePathSpeltTwice", {}, "a/game.txt", "a/../a/game.txt", "a/game"},
        SharedOutputs {"CorrectedLogDictionaryIsTheOthersLog", {"--correct"}, "a/game.log",
                       "a/game.txt", "a/game"},
        SharedOutputs {"DictionaryIsTheOthersCorrectedDictionary", {"--correct"}, "a/game.txt",
                       "a/game/game.txt", "a/game/game"}),
    [](const ::testing::TestParamInfo<SharedOutputs>& info) {
        return std::string(info.param.name);
    });

#ifndef _WIN32
// The same folder reached through a linked folder is the same folder.
INSTANTIATE_TEST_SUITE_P(
    ThroughLinks, CheckerRefusesSharedOutputs,
    ::testing::Values(
        SharedOutputs {"OneOutputFolderThroughALinkedFolder", {"--append-log"}, "big/x.txt",
                       "a2/a/x.txt", "big/x", "a2/a", "../big"},
        SharedOutputs {"DictionaryIsTheOthersCorrectedDictionaryThroughALink", {"--correct"},
                       "a/game.txt", "l/game/game.txt", "a/game/game", "l", "a"}),
    [](const ::testing::TestParamInfo<SharedOutputs>& info) {
        return std::string(info.param.name);
    });
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

    TestOptions options;
    for (auto [option, on] : c.options)
        options.on[option] = on;
    RunRequest request;
    request.layout = c.equals ? Layout::Equals : Layout::LinePairs;
    request.dictionary = viaWindow;
    request.outputParent = viaWindow.parent_path();
    request.mode = c.mode;
    request.clock = fixedClock();
    request.options = &options;
    FakeHost window;
    window.answers = {Answer::Cancel, Answer::Cancel};
    (void)runCheck(request, window, {&window});

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

// Bad usage: status 2, one line on stderr with the reason and where to
// read more, nothing checked.

class CheckerUsage : public Checker {
protected:
    void expectBadUsage(const std::vector<std::string>& args, const std::string& named)
    {
        CliResult r = check(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("corvel-check: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(named), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_NE(r.err.find("--help"), std::string::npos) << r.err;
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

TEST_F(CheckerUsage, JobsWithoutANumberFromOneTo9999IsBadUsage)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>> {
             {"game.txt", "-j"},
             {"-j", "0", "game.txt"},
             {"-j0", "game.txt"},
             {"-j", "x", "game.txt"},
             {"-j", "-1", "game.txt"},
             {"-j", "10000", "game.txt"},
             {"--jobs=", "game.txt"},
             {"--jobs", "2x", "game.txt"}})
        expectBadUsage(args, "-j");
}

TEST_F(CheckerUsage, JobsInEveryFormAreAccepted)
{
    for (const std::vector<std::string>& jobs : std::vector<std::vector<std::string>> {
             {"-j2"}, {"-j", "2"}, {"--jobs=2"}, {"--jobs", "2"}, {"-j", "9999"}}) {
        std::vector<std::string> args = jobs;
        args.push_back("game.txt");
        CliResult r = check(args);
        EXPECT_EQ(r.status, 1) << jobs[0] << r.err;
        EXPECT_TRUE(fs::exists(root() / "game/game.log")) << jobs[0];
    }
}

TEST_F(CheckerUsage, HelpPrintsTheUsageAndChecksNothing)
{
    CliResult r = check({"--help", "game.txt"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("Usage: corvel-check", 0), 0u);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(listTree(root()), (std::vector<std::string> {"game.txt"}));
}

TEST_F(CheckerUsage, VersionPrintsTheVersionAndTheLicence)
{
    CliResult r = check({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("corvel-check ", 0), 0u);
    EXPECT_NE(r.out.find("\nCopyright (c) 2026 The Corvel developers; MIT licence.\n"),
              std::string::npos)
        << r.out;
}

}  // namespace
}  // namespace corvel::test
