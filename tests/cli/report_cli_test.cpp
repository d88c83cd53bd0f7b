// corvel-check's report: the formats on standard output and in --report,
// the exit statuses the report options give, command-line order with -j,
// --fix-fullwidth, the reading options and the usage errors of the report
// and reading options.
#include "cli_test.h"
#include "print_turn.h"
#include "report/report_session.h"
#include "corvel/file_identity.h"
#include "corvel/error.h"
#include "corvel/report/baseline.h"
#include "report/json_text.h"
#include "report/text_writer.h"
#include "test_support.h"

#include <atomic>
#include <cerrno>
#include <sstream>
#include <thread>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace corvel::test {
namespace {

// Line 2: a full-width placeholder (error); line 4: a number missing
// (warning); line 6: untranslated (error).
std::string mixedDictionary()
{
    return crlfLines({"Open %s", gbk("打开 ％s"), "Save 3 files", gbk("保存文件"), "Quit", "Quit"});
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

class ReportCli : public CliTest {
protected:
    CliResult check(const std::vector<std::string>& args) { return checkAtFixedTime(args); }
    std::string mixed() { return makeFile("dic/mixed.txt", mixedDictionary()).string(); }
};

TEST_F(ReportCli, ExitStatusFollowsTheCountingFindings)
{
    struct Case {
        std::vector<std::string> options;
        int status;
    };
    const std::vector<Case> cases = {
        {{}, 1},  // no report option: the check log's classes
        {{"--format", "text"}, 1},
        {{"--disable", "untranslated,fullwidth-placeholder"}, 0},  // a warning is left
        {{"--disable", "untranslated", "--disable", "fullwidth-placeholder", "--fail-on",
          "warning"},
         1},
        {{"--enable", "number-mismatch"}, 0},
        {{"--enable=number-mismatch", "--fail-on=warning"}, 1},
        {{"--enable", "whitespace-mismatch", "--fail-on", "warning"}, 0},
        {{"--enable", "untranslated"}, 1},
        {{"--enable", "untranslated,number-mismatch", "--disable", "untranslated"}, 0},
    };
    const std::string dictionary = mixed();
    for (const Case& c : cases) {
        std::vector<std::string> args = c.options;
        args.push_back(dictionary);
        CliResult r = check(args);
        EXPECT_EQ(r.status, c.status) << ::testing::PrintToString(c.options) << "\n" << r.out;
        EXPECT_EQ(r.err, "") << ::testing::PrintToString(c.options);
    }
}

TEST_F(ReportCli, BaselineFindingsDoNotCountNewOnesDo)
{
    const std::string dictionary = mixed();
    const std::string baseline = path("baseline.json");
    CliResult first = check({"--format", "json", "--report", baseline, dictionary});
    ASSERT_EQ(first.status, 1);
    CliResult again = check({"--baseline", baseline, "--fail-on", "warning", dictionary});
    EXPECT_EQ(again.status, 0) << again.out << again.err;
    EXPECT_NE(again.out.find(": note: untranslated: "), std::string::npos) << again.out;
    // An edit above the old findings moves them; a new finding still counts.
    makeFile("dic/mixed.txt",
             crlfLines({"Close", "Close", "Open %s", gbk("打开 ％s"), "Save 3 files",
                        gbk("保存文件"), "Quit", "Quit"}));
    CliResult edited = check({"--baseline", baseline, dictionary});
    EXPECT_EQ(edited.status, 1);
    EXPECT_NE(edited.out.find("mixed.txt:2: error: untranslated: "), std::string::npos)
        << edited.out;
    EXPECT_NE(edited.out.find("mixed.txt:8: note: untranslated: "), std::string::npos)
        << edited.out;
}

TEST_F(ReportCli, TextIsOneLinePerFindingThenTheCountsAndTheSummary)
{
    const std::string dictionary = mixed();
    CliResult plain = check({dictionary});
    CliResult r = check({"--format", "text", dictionary});
    const std::vector<std::string> expected = {
        dictionary + ":2: error: fullwidth-placeholder: full-width look-alike in the "
                     "translation: \"％s\" for \"%s\"",
        dictionary + ":4: warning: number-mismatch: number 3 of the source is missing from the "
                     "translation",
        dictionary + ":6: error: untranslated: the translation \"Quit\" holds no Chinese character",
        dictionary + ": 6 lines, 2 errors, 1 warning",
    };
    std::vector<std::string> got = lines(r.out);
    ASSERT_EQ(got.size(), expected.size() + 1) << r.out;
    EXPECT_EQ(std::vector<std::string>(got.begin(), got.end() - 1), expected);
    EXPECT_EQ(got.back() + "\n", plain.out) << "the summary line is today's";
}

TEST_F(ReportCli, EveryFormatGoesToStandardOutputAndTheReportFileAlike)
{
    const std::string dictionary = mixed();
    struct Case {
        const char* format;
        const char* marker;  // something only that format writes
    };
    for (const Case& c : {Case {"text", ": error: untranslated: "},
                          Case {"json", "\"dictionaries\": ["},
                          Case {"sarif", "\"version\": \"2.1.0\""}}) {
        const std::string file = path(std::string("report.") + c.format);
        CliResult r = check({"--format", c.format, "--report", file, dictionary});
        EXPECT_EQ(r.status, 1) << c.format;
        EXPECT_NE(r.out.find(c.marker), std::string::npos) << c.format << "\n" << r.out;
        std::string written = readBytes(file);
        EXPECT_EQ(r.out.rfind(written, 0), 0u) << c.format << ": the file holds the report";
        if (std::string(c.format) != "text") {
            EXPECT_EQ(r.out, written) << c.format << ": no summary lines in a document";
        }
    }
    std::string error;
    report::Baseline parsed = report::Baseline::parse(readBytes(path("report.json")), error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(parsed.dictionaries(), 1u);
}

// Findings from the file's bytes (control-char, mojibake, ...) quote their
// pair and carry both columns, so each has its own fingerprint: a baseline
// that held one does not hide another of the same rule elsewhere.
TEST_F(ReportCli, EncodingFindingsAreFingerprintedByTheirTextsAndColumn)
{
    auto write = [&](std::initializer_list<std::string_view> lines) {
        return makeFile("dic/ctl.txt", crlfLines(lines)).string();
    };
    const std::string dictionary =
        write({"Open", gbk("打开"), "Save", gbk("保存"), "Quit", gbk("退出")});
    CliResult first = check({"--format", "json", "--report", path("base.json"), dictionary});
    EXPECT_NE(first.out.find("{\"rule\": \"control-char\", \"severity\": \"warning\", \"line\": "
                             "2, \"column\": 5, \"characterColumn\": 3, \"source\": \"Open\", "
                             "\"translation\": \"打开\\u0001\""),
              std::string::npos)
        << first.out;
    CliResult sarif = check({"--format", "sarif", dictionary});
    EXPECT_NE(sarif.out.find("\"region\": {\"startLine\": 2, \"startColumn\": 3}"),
              std::string::npos)
        << sarif.out;
    // The control byte moves from line 2 to line 6: a new finding.
    write({"Open", gbk("打开"), "Save", gbk("保存"), "Quit", gbk("退出")});
    CliResult moved =
        check({"--baseline", path("base.json"), "--fail-on", "warning", dictionary});
    EXPECT_EQ(moved.status, 1) << moved.out;
    EXPECT_NE(moved.out.find("ctl.txt:6: warning: control-char: "), std::string::npos)
        << moved.out;
    // Lines added above: still the same finding.
    write({"New", gbk("新"), "Open", gbk("打开"), "Save", gbk("保存")});
    CliResult same = check({"--baseline", path("base.json"), "--fail-on", "warning", dictionary});
    EXPECT_EQ(same.status, 0) << same.out;
}

// A dictionary that could not be checked is in JSON and SARIF with why,
// not left out (its absence would read as clean).
TEST_F(ReportCli, ADictionaryThatCouldNotBeCheckedIsRecorded)
{
    const std::string dictionary = mixed();
    const std::string missing = path("dic/missing.txt");
    CliResult json = check({"--format", "json", missing, dictionary});
    EXPECT_EQ(json.status, 2);
    const std::size_t entry = json.out.find("\"path\": " + cli::jsonString(missing));
    ASSERT_NE(entry, std::string::npos) << json.out;
    const std::size_t checked = json.out.find("\"checked\": false,\n      \"error\": \"", entry);
    EXPECT_NE(checked, std::string::npos) << json.out;
    EXPECT_LT(checked, json.out.find(cli::jsonString(dictionary))) << "in command-line order";
    CliResult sarif = check({"--format", "sarif", dictionary, missing});
    EXPECT_EQ(sarif.status, 2);
    EXPECT_NE(sarif.out.find("\"invocations\": [{\"executionSuccessful\": false, "
                             "\"toolExecutionNotifications\": [\n        {\"level\": \"error\""),
              std::string::npos)
        << sarif.out;
    EXPECT_NE(sarif.out.find("missing.txt\"}}}]}"), std::string::npos) << sarif.out;
    CliResult text = check({"--format", "text", missing, dictionary});
    EXPECT_EQ(text.out.find("missing.txt"), std::string::npos) << "its error is on stderr";
    EXPECT_NE(text.err.find("missing.txt"), std::string::npos);
}

#ifndef _WIN32
// Names are written as one line of valid UTF-8 everywhere: bytes that are
// not UTF-8 as \xNN, C1 and bidi controls as \uNNNN. A count of one is
// singular.
TEST_F(ReportCli, SummaryLinesEscapeNamesAndCountOneLine)
{
    const std::string name = path("dic/\xFF\u202E.txt");
    makeFile("dic/\xFF\u202E.txt", crlfLines({"Quit"}));
    const std::string shown = cli::oneLine(name);
    EXPECT_NE(shown.find("\\xFF\\u202E.txt"), std::string::npos) << shown;
    CliResult plain = check({name});
    EXPECT_EQ(plain.out.rfind(shown + ": 1 line, 0 untranslated, 0 erroneous, 0 empty; log ", 0),
              0u)
        << plain.out;
    EXPECT_EQ(plain.out.find("\xFF"), std::string::npos) << plain.out;
    CliResult text = check({"--format", "text", name});
    EXPECT_NE(text.out.find(shown + ": 1 line, 0 errors, 0 warnings"), std::string::npos)
        << text.out;
    EXPECT_EQ(text.out.find("\xFF"), std::string::npos) << text.out;
}
#endif

TEST_F(ReportCli, QuietSilencesTextButNotDocuments)
{
    const std::string dictionary = mixed();
    EXPECT_EQ(check({"-q", "--format", "text", dictionary}).out, "");
    CliResult json = check({"-q", "--format", "json", dictionary});
    EXPECT_EQ(json.status, 1);
    EXPECT_EQ(json.out.rfind("{", 0), 0u) << json.out;
    CliResult file = check({"-q", "--report", path("quiet.txt"), dictionary});
    EXPECT_EQ(file.out, "");
    EXPECT_NE(readBytes(path("quiet.txt")).find(": error: untranslated: "), std::string::npos);
}

TEST_F(ReportCli, DictionariesKeepCommandLineOrderWithJobs)
{
    std::vector<std::string> args = {"-j", "3", "--format", "text"};
    std::vector<std::string> names;
    for (const char* name : {"c.txt", "a.txt", "b.txt", "d.txt"}) {
        // The first dictionary is the longest, so it is checked last.
        std::string bytes;
        for (int i = 0; i < (names.empty() ? 4000 : 2); ++i)
            bytes += crlfLines({"Quit " + std::to_string(i), "Quit"});
        names.push_back(makeFile(fs::path("dic") / name, bytes).string());
        args.push_back(names.back());
    }
    CliResult r = check(args);
    EXPECT_EQ(r.status, 1);
    std::vector<std::string> order, printed = lines(r.out);
    ASSERT_FALSE(printed.empty());
    EXPECT_EQ(printed.back().rfind("total: 4 dictionaries, ", 0), 0u) << printed.back();
    printed.pop_back();
    for (const std::string& line : printed) {
        std::string name = line.substr(0, line.find(".txt") + 4);
        if (order.empty() || order.back() != name)
            order.push_back(name);
    }
    EXPECT_EQ(order, names) << "each dictionary's lines together, in command-line order";
}

TEST_F(ReportCli, TheReportCoversLinesPastAnEarlyStop)
{
    std::string dictionary =
        makeFile("dic/stop.txt", crlfLines({"Open", gbk("打开"), "", "", "Quit", "Quit"})).string();
    CliResult r = check({"--stop-on-empty", "--format", "json", dictionary});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("\"rule\": \"stopped-at-empty-line\", \"severity\": \"error\", "
                         "\"line\": 3"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\"rule\": \"untranslated\", \"severity\": \"error\", \"line\": 6"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\"complete\": false"), std::string::npos);
}

TEST_F(ReportCli, FixFullwidthWritesHalfWidthPlaceholdersInTheCorrectedDictionary)
{
    struct Case {
        std::vector<std::string> options;
        std::string dictionary;
        std::string corrected;  // with --fix-fullwidth
    };
    const std::vector<Case> cases = {
        {{},
         crlfLines({"Open %s", gbk("打开 ％ｓ"), "Line\\n{0}", gbk("行＼ｎ｛０｝"), "Done",
                    gbk("完成％")}),
         crlfLines({"Open %s", gbk("打开 %s"), "Line\\n{0}", gbk("行\\n{0}"), "Done",
                    gbk("完成％")})},
        // A lone LF is inside a line; the pairs after it stay pairs.
        {{},
         crlfLines({"Two\nlines %d", gbk("两\n行 ％d"), "Next %s", gbk("下 ％s")}),
         crlfLines({"Two\nlines %d", gbk("两\n行 %d"), "Next %s", gbk("下 %s")})},
        {{"--equals"},
         crlfLines({"Open %s=" + gbk("打开 ％s"), "a=b=" + gbk("甲％d"), "Done=" + gbk("完成")}),
         crlfLines({"Open %s=" + gbk("打开 %s"), "a=b=" + gbk("甲％d"), "Done=" + gbk("完成")})},
    };
    for (const Case& c : cases) {
        makeFile("dic/fix.txt", c.dictionary);
        std::vector<std::string> args = c.options;
        args.insert(args.end(), {"--correct", path("dic/fix.txt")});
        ASSERT_LE(check(args).status, 1);
        const std::string log = readBytes(root() / "dic/fix/fix.log");
        const std::string plain = readBytes(root() / "dic/fix/fix.txt");
        args.insert(args.begin(), "--fix-fullwidth");
        CliResult fixed = check(args);
        EXPECT_EQ(fixed.err, "");
        EXPECT_EQ(readBytes(root() / "dic/fix/fix.txt"), c.corrected);
        EXPECT_EQ(readBytes(root() / "dic/fix/fix.log"), log) << "the log stays as it is";
        EXPECT_EQ(plain, c.dictionary) << "without the option nothing is rewritten";
        EXPECT_EQ(listTree(root() / "dic/fix"),
                  (std::vector<std::string> {"fix.log", "fix.txt"}));
    }
}

// The system's words for "that is a folder".
std::string isAFolder()
{
#ifdef _WIN32
    return systemErrorText(336);  // ERROR_DIRECTORY_NOT_SUPPORTED
#else
    return systemErrorText(EISDIR);
#endif
}

#ifndef _WIN32  // there a whole path is limited to 260 characters
// Names as long as a folder holds (255 bytes) are written as any other:
// the report and the corrected dictionary rewritten by --fix-fullwidth go
// through new files whose names fit beside them.
TEST_F(ReportCli, LongestNamesAreWrittenThroughShortNewFiles)
{
    const std::string stem(251, 'd');
    makeFile("dic/" + stem + ".txt", crlfLines({"Open %s", gbk("打开 ％ｓ")}));
    const std::string report = path("dic/" + std::string(255, 'r'));
    CliResult r = check({"--correct", "--fix-fullwidth", "--format", "json", "--report", report,
                         path("dic/" + stem + ".txt")});
    EXPECT_EQ(r.err, "");
    EXPECT_LE(r.status, 1);
    EXPECT_EQ(readBytes(report), r.out);
    EXPECT_EQ(readBytes(root() / "dic" / stem / (stem + ".txt")),
              crlfLines({"Open %s", gbk("打开 %s")}));
    EXPECT_EQ(listTree(root() / "dic" / stem).size(), 2u) << "nothing left beside them";
}

#endif

TEST_F(ReportCli, WrongReportOptionsAreUsageErrors)
{
    const std::string dictionary = mixed();
    struct Case {
        std::vector<std::string> options;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"--format", "xml"}, "--format needs text, json or sarif"},
        {{"--fail-on", "info"}, "--fail-on needs error or warning"},
        {{"--enable", "no-such-rule"}, "no-such-rule"},
        {{"--fix-fullwidth"}, "--fix-fullwidth applies to correct mode"},
        {{"--report="}, "--report needs a value"},
        {{"--baseline", path("missing.json")}, "the baseline " + path("missing.json") + ": "},
        {{"--baseline", dictionary}, "the baseline " + dictionary + ": not JSON: "},
        {{"--report", path("no/such/folder/r.json")}, "the report cannot be written"},
        {{"--report", path("dic")}, path("dic") + ": the report cannot be written: " + isAFolder()},
        {{"--report", path("dic/mixed.txt")}, "is the dictionary " + dictionary},
        {{"--report", path("dic/./mixed/mixed.log")}, "is the log of " + dictionary},
        {{"--report", path("dic/mixed")}, "is the output folder of " + dictionary},
        {{"--encoding", "latin1"}, "--encoding needs gbk, gb18030, utf-8 or auto"},
        {{"--line-ends=lf"}, "--line-ends needs crlf or any"},
        {{"--charset", "big5"}, "--charset needs gb2312"},
        {{"--enable", "untranslated,outside-charset"}, "--enable outside-charset needs --charset gb2312"},
        {{"--enable", ","}, "names no rule"},  // not: every rule off
        {{"--disable=,,"}, "names no rule"},
        {{"--placeholders", "qt,python"}, "unknown placeholder syntax \"python\""},
        {{"--placeholders=,"}, "names no placeholder syntax"},
        {{"--format", "json", "--format", "sarif"}, "--format may be given only once"},
        {{"--report", path("a.json"), "--report", path("b.json")},
         "--report may be given only once"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.options;
        args.push_back(dictionary);
        CliResult r = check(args);
        EXPECT_EQ(r.status, 2) << ::testing::PrintToString(c.options);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(fs::exists(root() / "dic/mixed")) << "nothing is checked";
        EXPECT_EQ(readBytes(dictionary), mixedDictionary());
    }
}

#ifndef _WIN32
// A report reads the dictionary again after its check; what is not a file
// (a pipe, a device) would give it nothing and the empty report would pass,
// so it is refused unread, and the message says what it is.
TEST_F(ReportCli, AReportRefusesWhatIsNotAFile)
{
    fs::create_symlink("/dev/null", root() / "null.txt");
    ASSERT_EQ(::mkfifo((root() / "fifo.txt").c_str(), 0600), 0);
    makeFolder("folder.txt");
    const struct {
        const char* name;
        std::string message;
    } cases[] = {
        {"null.txt", path("null.txt") + ": is a device, not a file: a report reads the "
                                        "dictionary a second time"},
        {"fifo.txt", path("fifo.txt") + ": a report reads the dictionary a second time, which "
                                        "a pipe cannot give"},
        {"folder.txt", path("folder.txt") + ": " + isAFolder()},
    };
    for (const auto& c : cases) {
        CliResult r = check({"--format", "json", path(c.name)});
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        const std::string stem = fs::path(c.name).stem().string();
        EXPECT_FALSE(fs::exists(root() / stem)) << "nothing is checked";
    }
}
#endif

// The report goes to a new file renamed over the old one: a link at its
// name stays, leading to the report, and nothing else is left beside it.
TEST_F(ReportCli, TheReportReplacesItsFileWholeAndKeepsALinkAtItsName)
{
    const std::string dictionary = mixed();
    makeFile("out/old.json", "old report");
#ifdef _WIN32
    const std::string report = path("out/old.json");
#else
    fs::create_symlink("out/old.json", root() / "link.json");
    const std::string report = path("link.json");
#endif
    CliResult r = check({"--format", "json", "--report", report, dictionary});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(readBytes(root() / "out/old.json"), r.out);
    EXPECT_EQ(listTree(root() / "out"), std::vector<std::string> {"old.json"});
#ifndef _WIN32
    EXPECT_TRUE(fs::is_symlink(root() / "link.json"));
#endif
}

TEST_F(ReportCli, TheLogAndTheCorrectedDictionaryAreTheSameWithAReport)
{
    for (const std::string layout : {"", "--equals"}) {
        makeFile("dic/same.txt", layout.empty() ? mixedDictionary()
                                                : crlfLines({"Open %s=" + gbk("打开 ％s"),
                                                             "Quit=Quit", "x"}));
        std::vector<std::string> args = {"--correct", path("dic/same.txt")};
        if (!layout.empty())
            args.insert(args.begin(), layout);
        CliResult plain = check(args);
        const std::string log = readBytes(root() / "dic/same/same.log");
        const std::string corrected = readBytes(root() / "dic/same/same.txt");
        args.insert(args.begin(), {"--format", "sarif", "--fail-on", "warning"});
        CliResult reported = check(args);
        EXPECT_EQ(reported.status, plain.status) << layout;
        EXPECT_EQ(readBytes(root() / "dic/same/same.log"), log) << layout;
        EXPECT_EQ(readBytes(root() / "dic/same/same.txt"), corrected) << layout;
    }
}

// The report reads the dictionary a second time. A dictionary that is no
// longer the file its check read (replaced by renaming, deleted, grown or
// cut meanwhile) fails with a message that says so, instead of a report
// whose lines differ from the summary's.
TEST_F(ReportCli, ADictionaryChangedAfterItsCheckFailsTheReport)
{
    const std::string pairs = crlfLines({"Open", gbk("打开"), "Save", gbk("保存")});
    const struct {
        const char* name;
        void (*change)(const fs::path& dictionary, const std::string& pairs);
        bool fails;
    } cases[] = {
        {"unchanged", [](const fs::path&, const std::string&) {}, false},
        {"rewrittenAlike", [](const fs::path& d, const std::string& p) { writeBytes(d, p); },
         false},
        {"replaced",
         [](const fs::path& d, const std::string& p) {
             writeBytes(d.string() + ".new", p + p);
             fs::rename(d.string() + ".new", d);
         },
         true},
        {"replacedBySameSize",
         [](const fs::path& d, const std::string& p) {
             writeBytes(d.string() + ".new", p);
             fs::rename(d.string() + ".new", d);
         },
         true},
        {"deleted", [](const fs::path& d, const std::string&) { fs::remove(d); }, true},
        {"grown", [](const fs::path& d, const std::string& p) { writeBytes(d, p + p); }, true},
    };
    struct Ignored : report::FindingSink {
        bool add(report::Finding) override { return true; }
    } ignored;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path dictionary = makeFile("dic/game.txt", pairs);
        const FileStamp checked = fileStamp(dictionary);
        c.change(dictionary, pairs);
        cli::ParseResult parsed = cli::parseCommandLine({"--format", "json", dictionary.string()});
        std::ostringstream out;
        std::string error;
        auto report = cli::ReportSession::open(parsed.options, out, error);
        ASSERT_TRUE(report) << error;
        report->beginDictionary({"game.txt", Layout::LinePairs});
        cli::ReportSession::Analysed analysed = report->analyse(
            "game.txt", dictionary, Layout::LinePairs, std::nullopt, 0, {}, checked, ignored);
        EXPECT_EQ(static_cast<bool>(analysed.error), c.fails) << analysed.error.describe();
        const std::string described = analysed.error.describe();
        if (c.fails) {
            EXPECT_NE(described.find(dictionary.string() + ": the file changed"),
                      std::string::npos)
                << described;
        }
    }
}

// A dictionary past its limit of held findings waits for its turn, then
// passes on what it held and the rest, in order, after one begin.
TEST(HeldFindings, PastItsLimitWaitsForItsTurnAndKeepsTheOrder)
{
    struct Recorder : report::FindingSink {
        std::vector<int> lines;
        bool add(report::Finding finding) override
        {
            lines.push_back(finding.line);
            return true;
        }
    } writers;
    cli::PrintTurn turn;
    std::atomic<int> begins {0};
    cli::HeldFindings held(turn, 1, 2, [&]() -> report::FindingSink& {
        ++begins;
        return writers;
    });
    std::atomic<bool> third {false};
    std::thread second([&] {
        for (int line = 1; line <= 4; ++line) {
            report::Finding finding;
            finding.line = line;
            held.add(finding);
            third = line >= 3;
        }
        held.release();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(third) << "the third finding waits for the turn";
    EXPECT_EQ(begins, 0);
    EXPECT_TRUE(writers.lines.empty());
    turn.pass();  // the dictionary before it has printed
    second.join();
    EXPECT_EQ(begins, 1);
    EXPECT_EQ(writers.lines, (std::vector<int> {1, 2, 3, 4}));
}

// A dictionary whose turn has come holds nothing: its findings pass on at
// once, so a report of one dictionary is never held in memory.
TEST(HeldFindings, InItsTurnPassesEachFindingOnAtOnce)
{
    struct Recorder : report::FindingSink {
        std::vector<int> lines;
        bool add(report::Finding finding) override
        {
            lines.push_back(finding.line);
            return true;
        }
    } writers;
    cli::PrintTurn turn;
    int begins = 0;
    cli::HeldFindings held(turn, 0, 2, [&]() -> report::FindingSink& {
        ++begins;
        return writers;
    });
    report::Finding finding;
    finding.line = 7;
    held.add(finding);
    EXPECT_EQ(begins, 1);
    EXPECT_EQ(writers.lines, (std::vector<int> {7}));
    held.release();
    EXPECT_EQ(begins, 1);
}

// The same dictionary as UTF-8 with LF line ends (with a byte-order mark
// when asked): CR LF becomes LF.
std::string utf8WithLf(const std::string& gbkCrLf, const std::string& utf8Text, bool bom)
{
    EXPECT_EQ(gbk(utf8Text), gbkCrLf) << "the two texts are one dictionary";
    return (bom ? "\xEF\xBB\xBF" : "") + withLfEnds(utf8Text);
}

// What a check printed and wrote, with the dictionary's name taken out.
struct Checked {
    CliResult result;
    std::string log;
    std::string corrected;
};

class ReadingCli : public ReportCli {
protected:
    // Checks `bytes` as FOLDER/dict.txt; the folder's path reads "DIR" in
    // what was printed.
    Checked checkAs(const std::string& folder, const std::string& bytes,
                    std::vector<std::string> options)
    {
        const std::string dictionary = makeFile(folder + "/dict.txt", bytes).string();
        options.push_back(dictionary);
        Checked c {check(options), "", ""};
        const std::string where = path(folder);
        for (std::string* text : {&c.result.out, &c.result.err})
            for (std::size_t at; (at = text->find(where)) != std::string::npos;)
                text->replace(at, where.size(), "DIR");
        c.log = readBytes(root() / folder / "dict" / "dict.log");
        if (fs::exists(root() / folder / "dict" / "dict.txt"))
            c.corrected = readBytes(root() / folder / "dict" / "dict.txt");
        return c;
    }
};

// A UTF-8 dictionary with LF line ends, read as UTF-8 with any line end,
// gives the findings, summary, log (in UTF-8) and corrected lines of the
// same dictionary in GBK with CR LF; so does --encoding auto, with or
// without a byte-order mark.
TEST_F(ReadingCli, Utf8WithLfChecksAsGbkWithCrLf)
{
    const std::string pairsText = "Open %s\r\n打开 ％s\r\nSave 3 files\r\n保存文件\r\nName: \r\n"
                                  "名称：\r\n\r\n中文\r\nQuit\r\nQuit\r\nHot\r\n烫烫烫\r\n";
    const std::string equalsText = "Open %s=打开 ％s\r\nSave 3=保存\r\nNo equals\r\n"
                                   "Quit=Quit\r\nHot=锟斤拷\r\n";
    struct Case {
        std::vector<std::string> options;
        std::string text;
    };
    const std::vector<Case> cases = {
        {{"--format", "text", "--no-error-stop"}, pairsText},
        {{"--format", "text", "--correct", "--fix-fullwidth"}, pairsText},
        {{"--format", "text", "--equals"}, equalsText},
        {{"--format", "text", "--equals", "--correct"}, equalsText},
        {{"--no-error-stop"}, pairsText},  // no report: the summary and the log
    };
    for (const Case& c : cases) {
        const std::string gbkBytes = gbk(c.text);
        const Checked expected = checkAs("gbk", gbkBytes, c.options);
        const std::vector<std::pair<std::vector<std::string>, bool>> readings = {
            {{"--encoding", "utf-8", "--line-ends", "any"}, false},
            {{"--encoding", "utf-8", "--line-ends", "any"}, true},
            {{"--encoding", "auto", "--line-ends", "any"}, false},
            {{"--encoding=auto", "--line-ends=any"}, true},
        };
        for (const auto& [reading, bom] : readings) {
            std::vector<std::string> options = reading;
            options.insert(options.end(), c.options.begin(), c.options.end());
            if (bom && c.options.front() == "--format")  // the one finding a mark adds
                options.insert(options.end(), {"--disable", "utf8-bom"});
            const Checked got = checkAs("utf8", utf8WithLf(gbkBytes, c.text, bom), options);
            const std::string what = ::testing::PrintToString(options) + (bom ? " BOM" : "");
            EXPECT_EQ(got.result.status, expected.result.status) << what;
            EXPECT_EQ(got.result.out, expected.result.out) << what;
            EXPECT_EQ(got.result.err, expected.result.err) << what;
            EXPECT_TRUE(sameBytes(gbk(got.log), expected.log)) << what;
            EXPECT_TRUE(sameBytes(gbk(got.corrected), expected.corrected)) << what;
        }
    }
}

// What a file really is comes first, before what its lines say; the real
// dictionaries read as GBK get none of it.
TEST_F(ReadingCli, TheReportSaysWhatTheFileIsFirst)
{
    const std::string utf8Lf = "Open\n打开\nSave\n保存\n";
    Checked asGbk = checkAs("lf", utf8Lf, {"--format", "text"});
    const std::vector<std::string> got = lines(asGbk.result.out);
    ASSERT_GE(got.size(), 3u) << asGbk.result.out;
    EXPECT_EQ(got[0].rfind("DIR/dict.txt:1: error: utf8-text: ", 0), 0u) << got[0];
    EXPECT_EQ(got[1].rfind("DIR/dict.txt:1: error: lf-line-ends: ", 0), 0u) << got[1];
    EXPECT_NE(got[1].find("--line-ends any"), std::string::npos) << got[1];

    Checked outside = checkAs("gb2312", gbk("Sword\r\n剑\r\nRare\r\n镕\r\n"),
                              {"--charset", "gb2312"});
    EXPECT_NE(outside.result.out.find("DIR/dict.txt:4: warning: outside-charset: "), std::string::npos)
        << outside.result.out;
    EXPECT_EQ(outside.result.out.find("DIR/dict.txt:2:"), std::string::npos) << outside.result.out;

    for (const fs::path& file : realDictionaries()) {
        const bool equals = file.filename().string().find(".eq.") != std::string::npos;
        std::vector<std::string> options = {"--encoding", "auto", "--enable",
                                            "utf8-bom,utf16,utf8-text,invalid-gbk,invalid-utf8,"
                                            "mojibake,lf-line-ends,mixed-line-ends,control-char"};
        if (equals)
            options.push_back("--equals");
        Checked real = checkAs("real", readBytes(file), options);
        EXPECT_EQ(real.result.status, 0) << file << "\n" << real.result.out;
    }
}

}  // namespace
}  // namespace corvel::test
