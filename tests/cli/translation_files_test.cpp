// Translation files on the command line: recognised and reported with no
// check log and nothing written beside them; a malformed one fails with
// its place while the others are still checked; --input and --source.
#include "cli_test.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace corvel::test {
namespace {

const char* kPo =
    "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
    "#, c-format\nmsgid \"Open %s\"\nmsgstr \"打开 %d\"\n\n"
    "#, fuzzy\nmsgid \"Save\"\nmsgstr \"存\"\n";

using TranslationFiles = CliTest;

TEST_F(TranslationFiles, APoFileIsReportedAndNothingIsWritten)
{
    makeFile("zh.po", kPo);
    const std::vector<std::string> before = listTree(root());
    CliResult r = check({path("zh.po")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("zh.po:6:16: error: placeholder-mismatch:"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("[Open %s]"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("2 entries (1 fuzzy), 1 error, 0 warnings"), std::string::npos) << r.out;
    EXPECT_EQ(listTree(root()), before);
}

TEST_F(TranslationFiles, AMalformedFileExitsTwoAndTheOthersAreStillChecked)
{
    makeFile("broken.po", "msgid \"a\"\nmsgstr \"b\"\nmsgid \"c\"\n");
    makeFile("good.po", kPo);
    CliResult r = check({"--format", "json", path("broken.po"), path("good.po")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("broken.po:4:1: expected msgstr before the end of the file"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.out.find("\"placeholder-mismatch\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"layout\": \"po\""), std::string::npos) << r.out;
}

struct InputCase {
    std::vector<std::string> options;
    const char* file;
    const char* content;
    int status;
    const char* printed;  // in standard output or error
};

TEST_F(TranslationFiles, InputForcesOrKeepsTheReading)
{
    const InputCase cases[] = {
        // A catalogue under another name: --input po reads it as one.
        {{"--input", "po"}, "catalogue.txt", kPo, 1, "placeholder-mismatch"},
        // A .po name read as a line-pair dictionary: a check log, as ever.
        {{"--input", "line-pairs"}, "odd.po", "Open\r\n打开\r\n", 0, "log"},
        {{"--input", "klingon"}, "a.po", kPo, 2, "--input needs po, ts"},
        // A one-language file without its source is refused.
        {{}, "zh.properties", "a=甲\n", 2, "--source"},
        // --source on a file that holds both texts is refused.
        {{"--source", "en.po"}, "zh.po", kPo, 2, "--source applies"},
    };
    for (const InputCase& c : cases) {
        makeFile(c.file, c.content);
        std::vector<std::string> args = c.options;
        args.push_back(path(c.file));
        CliResult r = checkAtFixedTime(args);
        EXPECT_EQ(r.status, c.status) << c.file << "\n" << r.out << r.err;
        EXPECT_NE((r.out + r.err).find(c.printed), std::string::npos) << c.file << "\n" << r.out << r.err;
    }
}

#ifndef _WIN32
TEST_F(TranslationFiles, APipeIsRefusedNotReadShort)
{
    // A named pipe: refused from what it is, before it is opened.
    ASSERT_EQ(::mkfifo(path("pipe.po").c_str(), 0600), 0);
    CliResult r = check({path("pipe.po")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("save it to a file first"), std::string::npos) << r.err;
}
#endif

TEST_F(TranslationFiles, SourcePairsPropertiesByKey)
{
    makeFile("en.properties", "greeting=Hello, {0}!\nok=OK\nbye=Goodbye\n");
    makeFile("zh.properties", "greeting=你好，{1}！\nbye=再见\nextra=多余\n");
    CliResult r = check({"--source", path("en.properties"), path("zh.properties")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("zh.properties:1:19: error: placeholder-mismatch"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("zh.properties:3:7: warning: unknown-key"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("untranslated: the key \"ok\" (line 2 of"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("3 entries (1 untranslated, 1 missing, 1 unknown key)"), std::string::npos)
        << r.out;
}

TEST_F(TranslationFiles, SarifPointsAtTheFileAndBaselineHoldsFindings)
{
    makeFile("zh.po", kPo);
    CliResult first = check({"--format", "json", "--report", path("base.json"), path("zh.po")});
    EXPECT_EQ(first.status, 1);
    CliResult held = check({"--baseline", path("base.json"), path("zh.po")});
    EXPECT_EQ(held.status, 0) << held.out << held.err;
    EXPECT_NE(held.out.find("(baseline)"), std::string::npos) << held.out;
    CliResult sarif = check({"--format", "sarif", path("zh.po")});
    EXPECT_NE(sarif.out.find("zh.po\"}, \"region\": {\"startLine\": 6, \"startColumn\": 12}"),
              std::string::npos)
        << sarif.out;
    EXPECT_NE(sarif.out.find("\"entry\": \"Open %s\""), std::string::npos) << sarif.out;
}

}  // namespace
}  // namespace corvel::test
