// corvel-check on hostile and careless input: outputs never follow links,
// names that would put outputs outside the dictionary's folder, messages
// that name the file and the first cause, and standard output that fails.
#include "cli_test.h"

#include "corvel/error.h"

#include <algorithm>
#include <map>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <sstream>
#include <streambuf>

#ifndef _WIN32
#include <csignal>
#include <climits>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#endif

namespace corvel::test {
namespace {

class Hardening : public CliTest {
protected:
    CliResult check(const std::vector<std::string>& args) { return checkAtFixedTime(args); }
    std::string at(const fs::path& relative) const { return path(relative); }
};

const std::string kDictionary = crlfLines({"Open", gbk("打开"), "Save", gbk("保存")});

#ifndef _WIN32
// Each case puts a link where an output would go; the check must refuse it
// (exit 2, naming the link) and leave the link's target untouched.
struct LinkCase {
    const char* name;
    const char* link;    // relative to the test folder
    const char* target;  // relative to the link's folder
    bool correct;
};

class OutputLinks : public Hardening, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(OutputLinks, AreRefusedAndTheirTargetsUntouched)
{
    const LinkCase& c = GetParam();
    makeFile("dic/game.txt", kDictionary);
    makeFile("elsewhere/victim", "precious\n");
    makeFolder("elsewhere/folder");
    const fs::path link = root() / c.link;
    fs::create_directories(link.parent_path());
    fs::create_symlink(c.target, link);
    std::vector<std::string> args {at("dic/game.txt")};
    if (c.correct)
        args.insert(args.begin(), "--correct");

    CliResult r = check(args);
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_NE(r.err.find(link.string() + ": is a symbolic link"), std::string::npos) << r.err;
    EXPECT_EQ(readBytes(root() / "elsewhere/victim"), "precious\n");
    EXPECT_TRUE(fs::is_empty(root() / "elsewhere/folder"));
    EXPECT_FALSE(fs::exists(root() / "elsewhere/new"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OutputLinks,
    ::testing::Values(LinkCase {"corrected", "dic/game/game.txt", "../../elsewhere/victim", true},
                      LinkCase {"log", "dic/game/game.log", "../../elsewhere/victim", false},
                      LinkCase {"dangling", "dic/game/game.log", "../../elsewhere/new", false},
                      LinkCase {"folder", "dic/game", "../elsewhere/folder", true}),
    [](const auto& info) { return std::string(info.param.name); });

// An output of an earlier run that is also another file's name (a hard
// link) is replaced, not written through: the other file keeps its bytes.
TEST_F(Hardening, OutputsReplaceFilesInsteadOfWritingThroughThem)
{
    makeFile("dic/game.txt", kDictionary);
    makeFile("elsewhere/victim", "precious\n");
    makeFolder("dic/game");
    for (const char* output : {"dic/game/game.txt", "dic/game/game.log"})
        fs::create_hard_link(root() / "elsewhere/victim", root() / output);
    CliResult r = check({"--correct", at("dic/game.txt")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readBytes(root() / "elsewhere/victim"), "precious\n");
    EXPECT_EQ(readBytes(root() / "dic/game/game.txt"), kDictionary);
}

TEST_F(Hardening, DictionaryMayBeReachedThroughALink)
{
    makeFile("real/game.txt", kDictionary);
    makeFolder("dic");
    fs::create_symlink("../real/game.txt", root() / "dic/game.txt");
    CliResult r = check({"--correct", at("dic/game.txt")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readBytes(root() / "dic/game/game.txt"), kDictionary);
}
#endif

// Every regular file under `root` with its bytes; links are not followed.
std::map<std::string, std::string> filesAndBytes(const fs::path& root)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file() && !entry.is_symlink())
            files[entry.path().lexically_relative(root).generic_string()] = readBytes(entry.path());
    return files;
}

// A file the call reads or writes, given again under another name as the
// report or the baseline: the call is refused before anything is checked
// (exit 2, naming both paths and why) and no byte of any file changes.
// Arguments and the message name test files as "@relative/path".
struct SecondName {
    const char* name;
    void (*link)(const fs::path& root);  // makes the second name
    std::vector<std::string> args;
    std::vector<std::string> message;  // in this order in the message
};

void PrintTo(const SecondName& c, std::ostream* out)
{
    *out << c.name;
}

class SecondNames : public Hardening, public ::testing::WithParamInterface<SecondName> {
protected:
    // Each "@name" (up to a space or a comma) as a path in the test folder.
    std::string expand(const std::string& text) const
    {
        std::string out;
        for (std::size_t i = 0; i < text.size();) {
            if (text[i] != '@') {
                out += text[i++];
                continue;
            }
            const std::size_t end = std::min(text.find_first_of(" ,", i), text.size());
            out += at(text.substr(i + 1, end - i - 1));
            i = end;
        }
        return out;
    }
};

TEST_P(SecondNames, AreRefusedAndNoByteChanges)
{
    const SecondName& c = GetParam();
    makeFile("dic/game.txt", kDictionary);
    makeFile("dic/b.json", kDictionary);
    ASSERT_EQ(check({"--format", "json", "--report", at("baseline.json"), at("dic/game.txt")})
                  .status,
              0);
    fs::remove_all(root() / "dic/game");
    c.link(root());
    const auto before = filesAndBytes(root());
    const auto tree = listTree(root());
    std::vector<std::string> args;
    for (const std::string& arg : c.args)
        args.push_back(expand(arg));

    CliResult r = check(args);
    EXPECT_EQ(r.status, 2) << r.out;
    std::size_t from = 0;
    for (const std::string& part : c.message) {
        from = r.err.find(expand(part), from);
        EXPECT_NE(from, std::string::npos) << expand(part) << " in " << r.err;
    }
    EXPECT_EQ(filesAndBytes(root()), before);
    EXPECT_EQ(listTree(root()), tree) << "nothing is checked, nothing left behind";
}

void copyBaselineToTheCorrectedName(const fs::path& root)
{
    fs::create_directories(root / "dic/b");
    fs::copy_file(root / "baseline.json", root / "dic/b/b.json");
}

const SecondName kSecondNames[] = {
    {"ReportIsAHardLinkOfTheDictionary",
     [](const fs::path& root) { fs::create_hard_link(root / "dic/game.txt", root / "dic/alias.txt"); },
     {"--report", "@dic/alias.txt", "@dic/game.txt"},
     {"--report @dic/alias.txt is the dictionary @dic/game.txt", ", which is only read"}},
    {"ReportIsTheBaseline", [](const fs::path&) {},
     {"--report", "@baseline.json", "--baseline", "@baseline.json", "@dic/game.txt"},
     {"--report @baseline.json is the baseline @baseline.json"}},
    {"ReportIsAHardLinkOfTheBaseline",
     [](const fs::path& root) { fs::create_hard_link(root / "baseline.json", root / "b2.json"); },
     {"--report", "@b2.json", "--baseline", "@baseline.json", "@dic/game.txt"},
     {"--report @b2.json is the baseline @baseline.json"}},
    {"BaselineIsTheCorrectedDictionary", copyBaselineToTheCorrectedName,
     {"--correct", "--baseline", "@dic/b/b.json", "@dic/b.json"},
     {"--baseline @dic/b/b.json is the corrected dictionary of @dic/b.json",
      ", which the check writes"}},
    {"ReportIsAHardLinkOfAnEarlierLog",
     [](const fs::path& root) {
         fs::create_directories(root / "dic/game");
         fs::copy_file(root / "baseline.json", root / "dic/game/game.log");
         fs::create_hard_link(root / "dic/game/game.log", root / "old.log");
     },
     {"--report", "@old.log", "@dic/game.txt"},
     {"--report @old.log is the log of @dic/game.txt"}},
#ifndef _WIN32
    {"ReportIsASymbolicLinkToTheDictionary",
     [](const fs::path& root) { fs::create_symlink("game.txt", root / "dic/s.txt"); },
     {"--report", "@dic/s.txt", "@dic/game.txt"},
     {"--report @dic/s.txt is the dictionary @dic/game.txt"}},
    {"ReportThroughALinkedFolder",
     [](const fs::path& root) { fs::create_directory_symlink(".", root / "dic/loop"); },
     {"--report", "@dic/loop/game.txt", "@dic/game.txt"},
     {"--report @dic/loop/game.txt is the dictionary @dic/game.txt"}},
    {"BaselineThroughALinkedFolderIsTheCorrectedDictionary",
     [](const fs::path& root) {
         copyBaselineToTheCorrectedName(root);
         fs::create_directory_symlink("dic", root / "up");
     },
     {"--correct", "--baseline", "@up/b/b.json", "@dic/b.json"},
     {"--baseline @up/b/b.json is the corrected dictionary of @dic/b.json"}},
#endif
};

INSTANTIATE_TEST_SUITE_P(Cases, SecondNames, ::testing::ValuesIn(kSecondNames),
                         [](const auto& info) { return std::string(info.param.name); });

// Names whose output folder would be the dictionary's own folder or its
// parent are refused, and the message says why.
TEST_F(Hardening, BaseNamesThatNameNoFolderAreRefused)
{
#ifdef _WIN32
    const auto names = {".txt", "..txt"};  // Windows drops a name's trailing dots
#else
    const auto names = {"...", ".txt", "..txt"};
#endif
    for (const char* name : names) {
        SCOPED_TRACE(name);
        const fs::path file = makeFile(fs::path("dic/sub") / name, kDictionary);
        CliResult r = check({"--correct", file.string()});
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err.rfind("corvel-check: " + file.string() + ": the file name", 0), 0u) << r.err;
        EXPECT_EQ(readBytes(file), kDictionary);
        fs::remove(file);
        EXPECT_EQ(listTree(root() / "dic"), std::vector<std::string> {"sub/"});
    }
}

#ifndef _WIN32
TEST_F(Hardening, OutputFolderThatCannotBeMadeNamesTheFirstCause)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not hold for root";
    makeFile("dic/game.txt", kDictionary);
    fs::permissions(root() / "dic", fs::perms::owner_write, fs::perm_options::remove);
    CliResult r = check({at("dic/game.txt")});
    fs::permissions(root() / "dic", fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "corvel-check: " + at("dic/game") + ": Permission denied\n");
}
#endif

#ifndef _WIN32
// A folder deeper than PATH_MAX, entered one name at a time, left and
// removed again the same way.
class DeepFolder {
public:
    explicit DeepFolder(const fs::path& at) : back_(fs::current_path())
    {
        fs::current_path(at);
        const std::string name(250, 'd');
        for (std::size_t made = at.native().size(); made < PATH_MAX + 500; made += name.size() + 1) {
            fs::create_directory(name);
            fs::current_path(name);
            ++depth_;
        }
    }
    ~DeepFolder()
    {
        const std::string name(250, 'd');
        for (const auto& entry : fs::directory_iterator("."))
            fs::remove_all(entry.path().filename());
        for (; depth_ > 0; --depth_) {
            fs::current_path("..");
            fs::remove(name);
        }
        fs::current_path(back_);
    }
    DeepFolder(const DeepFolder&) = delete;
    DeepFolder& operator=(const DeepFolder&) = delete;

private:
    fs::path back_;
    int depth_ = 0;
};

// A dictionary whose absolute path is longer than the system takes is
// checked, corrected and reported by a short relative name.
TEST_F(Hardening, ADictionaryBeyondPathMaxIsCheckedByItsRelativeName)
{
    DeepFolder deep(root());
    writeBytes("game.txt", kDictionary);
    ASSERT_GT(fs::absolute("game.txt").native().size(), static_cast<std::size_t>(PATH_MAX));
    CliResult r = check({"--correct", "--format", "json", "--report", "r.json", "game.txt"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readBytes("game/game.txt"), kDictionary);
    EXPECT_EQ(readBytes("r.json"), r.out);
    EXPECT_FALSE(readBytes("game/game.log").empty());
    EXPECT_NE(r.out.find("\"lines\": 4,"), std::string::npos) << r.out;
}
#endif

#ifndef _WIN32  // Windows file names hold no control characters
TEST_F(Hardening, NameWithANewlineKeepsTheSummaryOnOneLine)
{
    const fs::path file = makeFile("dic/two\nlines.txt", kDictionary);
    CliResult r = check({file.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << r.out;
    EXPECT_NE(r.out.find("two\\nlines.txt: 4 lines"), std::string::npos) << r.out;
}
#endif

TEST_F(Hardening, DatesThatDoNotExistAreBadUsage)
{
    makeFile("dic/game.txt", kDictionary);
    for (const char* time : {"2002-02-30 10:00:00", "2001-02-29 10:00:00", "2002-04-31 00:00:00"}) {
        CliResult r = check({"--time", time, at("dic/game.txt")});
        EXPECT_EQ(r.status, 2) << time;
        EXPECT_FALSE(fs::exists(root() / "dic/game")) << time;
    }
    EXPECT_EQ(check({"--time", "2004-02-29 23:59:59", at("dic/game.txt")}).status, 0);
}

TEST_F(Hardening, LinePairSwitchesWithEqualsAreBadUsage)
{
    makeFile("dic/game.txt", "Open=" + gbk("打开") + "\r\n");
    for (const char* option : {"--append-log", "--stop-on-empty", "--keep-empty",
                               "--no-error-stop", "--keep-erroneous", "--drop-untranslated"}) {
        CliResult r = check({"--equals", option, at("dic/game.txt")});
        EXPECT_EQ(r.status, 2) << option;
        EXPECT_NE(r.err.find(option), std::string::npos) << r.err;
    }
    EXPECT_FALSE(fs::exists(root() / "dic/game"));
}

// A stream buffer that refuses every byte, as a full disk does.
class FullDisk : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

// What a C file holds, read from its start.
std::string contents(std::FILE* file)
{
    std::fflush(file);
    std::rewind(file);
    std::string bytes;
    char chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        bytes.append(chunk, n);
    return bytes;
}

// A C file that closes itself.
using CFile = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

CFile openFile(const fs::path& path, const char* mode)
{
    return CFile(std::fopen(path.string().c_str(), mode), &std::fclose);
}

// Standard output that takes nothing gives status 2 and one message, for
// every format and size: a report document written straight to the stream
// fails as surely as a summary line, also when nothing is written after it.
TEST_F(Hardening, FailedStandardOutputExitsTwo)
{
    std::string big;
    for (int i = 0; i < 300; ++i)  // well past a stdio buffer in every format
        big += crlfLines({"Save " + std::to_string(i), "Save"});
    makeFile("dic/small.txt", kDictionary);
    makeFile("dic/big.txt", big);
    const std::vector<std::vector<std::string>> calls = {
        {"--version"},
        {at("dic/small.txt")},
        {at("dic/big.txt")},
        {"--format", "text", at("dic/big.txt")},
        {"--format", "json", at("dic/small.txt")},
        {"--format", "json", at("dic/big.txt")},
        {"--format", "sarif", at("dic/small.txt")},
        {"--format", "sarif", "-q", at("dic/big.txt")},
    };
    const std::string message = "corvel-check: standard output: cannot be written";
    for (const auto& args : calls) {
        const std::string name = args.front() + " " + args.back();
        FullDisk full;
        std::ostream out(&full);
        std::ostringstream err;
        EXPECT_EQ(cli::runChecker(args, out, err), 2) << name;
        EXPECT_EQ(err.str().rfind(message, 0), 0u) << name << ": " << err.str();
        EXPECT_EQ(err.str().find(message, 1), std::string::npos) << name << ": told once";
#ifndef _WIN32
        // The same through the process's own console, on C files whose
        // writes fail: a full disk, and a pipe whose reader has gone while
        // SIGPIPE is ignored (as `| head -c 10` leaves a shell script). The
        // cause comes from stdio.
        for (const int cause : {ENOSPC, EPIPE}) {
            int ends[2] = {-1, -1};
            CFile failing = cause == ENOSPC ? openFile("/dev/full", "w") : CFile(nullptr, &std::fclose);
            if (cause == EPIPE && ::pipe(ends) == 0) {
                ::close(ends[0]);
                failing = CFile(::fdopen(ends[1], "w"), &std::fclose);
            }
            if (!failing)
                continue;  // no /dev/full here
            CFile errFile = openFile(root() / "err.txt", "w+b");
            ASSERT_TRUE(errFile);
            auto previous = ::signal(SIGPIPE, SIG_IGN);
            cli::Console console(failing.get(), errFile.get());
            const int status = cli::finishOutput(cli::runChecker(args, console), console);
            ::signal(SIGPIPE, previous);
            EXPECT_EQ(status, 2) << name << " " << cause;
            EXPECT_EQ(contents(errFile.get()), message + ": " + systemErrorText(cause) + "\n")
                << name;
        }
#endif
    }
}

// The process's own console prints through C files exactly what the
// caller's streams get, and makes the output stream only when something is
// printed there.
TEST_F(Hardening, ConsoleFilesGetWhatStreamsGet)
{
    makeFile("dic/game.txt", kDictionary);
    const struct {
        std::vector<std::string> args;
        bool printsOut;
    } cases[] = {
        {{"-q", at("dic/game.txt")}, false},
        {{at("dic/game.txt")}, true},
        {{"--version"}, true},
        {{"--no-such-option"}, false},
    };
    for (const auto& c : cases) {
        const std::string name = c.args.front();
        const CliResult streams = check(c.args);
        CFile out = openFile(root() / "out.txt", "w+b");
        CFile err = openFile(root() / "err.txt", "w+b");
        ASSERT_TRUE(out && err);
        std::vector<std::string> args = {"--time", kTime};
        args.insert(args.end(), c.args.begin(), c.args.end());
        cli::Console console(out.get(), err.get());
        EXPECT_EQ(cli::finishOutput(cli::runChecker(args, console), console), streams.status)
            << name;
        EXPECT_EQ(console.outUsed(), c.printsOut) << name;
        EXPECT_EQ(contents(out.get()), streams.out) << name;
        EXPECT_EQ(contents(err.get()), streams.err) << name;
    }
}

// A corrected dictionary several times the output buffer, with dropped
// pairs and lines throughout, is exactly the kept lines.
TEST_F(Hardening, CorrectedDictionaryPastTheOutputBuffer)
{
    std::string pairs, pairsKept, equals, equalsKept;
    for (int i = 0; i < 20000; ++i) {
        const std::string english = "Entry number " + std::to_string(i) + " of the menu";
        const std::string chinese = gbk("菜单第") + std::to_string(i) + gbk("项");
        const bool dropped = i % 7 == 3;
        const std::string english2 = dropped ? english + gbk("错") : english;
        pairs += english2 + "\r\n" + chinese + "\r\n";
        if (!dropped)
            pairsKept += english2 + "\r\n" + chinese + "\r\n";
        const std::string line = i % 5 == 2 ? english : english + "=" + chinese;
        equals += line + "\r\n";
        if (i % 5 != 2)
            equalsKept += line + "\r\n";
    }
    ASSERT_GT(pairsKept.size(), 8u * 65536);
    makeFile("dic/pairs.txt", pairs);
    makeFile("dic/equals.txt", equals);
    EXPECT_EQ(check({"--correct", at("dic/pairs.txt")}).status, 1);
    EXPECT_EQ(check({"--correct", "--equals", at("dic/equals.txt")}).status, 1);
    EXPECT_TRUE(sameBytes(readBytes(root() / "dic/pairs/pairs.txt"), pairsKept));
    EXPECT_TRUE(sameBytes(readBytes(root() / "dic/equals/equals.txt"), equalsKept));
}

#if defined(__SANITIZE_ADDRESS__)
#define CORVEL_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CORVEL_UNDER_ASAN 1
#endif
#endif

#if !defined(_WIN32) && !defined(CORVEL_UNDER_ASAN)
// The checker in a child process whose address space may grow by `margin`
// bytes only (a sanitizer's shadow memory would not fit: not run there).
CliResult checkWithMemory(const std::vector<std::string>& args, std::size_t margin,
                          const fs::path& errFile)
{
    std::ifstream status("/proc/self/status");
    std::size_t kib = 0;
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmSize:", 0) == 0)
            kib = std::stoul(line.substr(7));
    const pid_t child = fork();
    if (child == 0) {
        const rlimit limit {kib * 1024 + margin, kib * 1024 + margin};
        setrlimit(RLIMIT_AS, &limit);
        std::ostringstream out;
        std::ofstream err(errFile);
        const int code = cli::runChecker(args, out, err);
        const std::string printed = out.str();
        const std::size_t tail = std::min<std::size_t>(2, printed.size());
        err << "\n[out ends with: " << printed.substr(printed.size() - tail) << "]";
        err.close();
        _exit(code);
    }
    int waited = 0;
    waitpid(child, &waited, 0);
    CliResult result;
    result.status = WIFEXITED(waited) ? WEXITSTATUS(waited) : 128 + WTERMSIG(waited);
    result.err = readBytes(errFile);
    return result;
}

// Memory that runs out while the report's consistency table grows ends the
// dictionary with status 2 and the cause, the report still closed, instead
// of aborting the process.
TEST_F(Hardening, MemoryRunningOutIsAFailureNotACrash)
{
    std::string pairs;
    for (int i = 0; i < 400000; ++i)
        pairs += "Source " + std::to_string(i) + "\r\n" + gbk("译") + std::to_string(i) +
                 "\r\n";
    makeFile("dic/game.txt", pairs);
    const std::size_t margin = 8u << 20;
    CliResult plain = checkWithMemory({"--time", kTime, "-q", at("dic/game.txt")}, margin,
                                      root() / "plain.err");
    ASSERT_EQ(plain.status, 0) << "the margin is too small for the check alone: " << plain.err;
    CliResult json = checkWithMemory({"--time", kTime, "-q", "--format", "json",
                                      at("dic/game.txt")}, margin, root() / "json.err");
    EXPECT_EQ(json.status, 2) << json.err;
    const std::string cause = "corvel-check: " + at("dic/game.txt") + ": not enough memory\n";
    EXPECT_NE(json.err.find(cause), std::string::npos) << json.err;
    EXPECT_NE(json.err.find("[out ends with: }\n]"), std::string::npos) << json.err;
}
#endif

}  // namespace
}  // namespace corvel::test
