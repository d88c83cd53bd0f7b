// The language corvel-check speaks: chosen from the locale or --lang, with
// the Chinese catalogue compiled in; report identifiers stay English.
#include "cli_test.h"
#include "messages.h"
#include "options.h"

#include <algorithm>
#include <set>

namespace corvel::test {
namespace {

using cli::Language;

TEST(CliLanguage, LocaleNamesChineseOrNot)
{
    const std::pair<const char*, Language> cases[] = {
        {"zh_CN.UTF-8", Language::Chinese}, {"zh_CN", Language::Chinese},
        {"zh_TW.Big5", Language::Chinese},  {"zh", Language::Chinese},
        {"zh_CN.GB18030@stroke", Language::Chinese},
        {"en_US.UTF-8", Language::English}, {"C", Language::English},
        {"C.UTF-8", Language::English},     {"POSIX", Language::English},
        {"", Language::English},            {"zu_ZA.UTF-8", Language::English},
        {"zhx", Language::English},
    };
    for (const auto& [locale, language] : cases)
        EXPECT_EQ(cli::languageOfLocale(locale), language) << locale;
}

TEST(CliLanguage, LangOptionIsFoundBeforeTheParse)
{
    using Args = std::vector<std::string>;
    const std::pair<Args, std::optional<Language>> cases[] = {
        {{"game.txt"}, std::nullopt},
        {{"--lang", "zh", "game.txt"}, Language::Chinese},
        {{"--lang=en", "game.txt"}, Language::English},
        {{"--lang", "zh", "--lang", "en"}, Language::English},  // the last one counts
        {{"--", "--lang", "zh"}, std::nullopt},                // a dictionary's name
        {{"--lang"}, std::nullopt},
    };
    for (const auto& [args, language] : cases)
        EXPECT_EQ(cli::requestedLanguage(args), language) << ::testing::PrintToString(args);
}

TEST(CliLanguage, MarksAreFilledInOrder)
{
    EXPECT_EQ(cli::fillMarks("%s: %s", {"a", "b"}), "a: b");
    EXPECT_EQ(cli::fillMarks("100%% of %s", {"x"}), "100% of x");
    EXPECT_EQ(cli::fillMarks("%s and %s", {"only"}), "only and %s");
    EXPECT_EQ(cli::fillMarks("%d stays", {"x"}), "%d stays");
}

// Every translation keeps its entry's marks, line breaks and option names.
TEST(CliLanguage, CatalogueKeepsMarksLinesAndOptions)
{
    const auto count = [](std::string_view text, std::string_view what) {
        std::size_t n = 0;
        for (auto at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1))
            ++n;
        return n;
    };
    ASSERT_GE(cli::chineseCatalogue().size(), 60u);
    std::set<std::string_view> seen;
    for (const cli::CatalogueEntry& e : cli::chineseCatalogue()) {
        SCOPED_TRACE(std::string(e.english));
        EXPECT_TRUE(seen.insert(e.english).second) << "twice in the catalogue";
        EXPECT_NE(e.chinese, e.english);
        EXPECT_EQ(count(e.chinese, "%s"), count(e.english, "%s"));
        EXPECT_EQ(count(e.chinese, "{formats}"), count(e.english, "{formats}"));
        if (e.english.rfind("  -", 0) == 0) {  // a help entry: its option column stays
            constexpr std::size_t kColumn = 24;  // where the descriptions start
            const std::string_view option =
                e.english.substr(0, std::min(e.english.find("  ", 3), kColumn));
            EXPECT_EQ(e.chinese.rfind(option, 0), 0u);
        }
    }
}

class CliLanguageRun : public CliTest {
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        makeFile("game.txt", fixtureBytes("game.txt"));
    }
    CliResult run(const std::vector<std::string>& args, Language system)
    {
        std::ostringstream out, err;
        cli::Console console(out, err);
        CliResult result;
        result.status = cli::runChecker(args, console, system);
        result.out = out.str();
        result.err = err.str();
        return result;
    }
};

// The help, the summary line and a usage error, in the system's language
// or the one --lang asks for.
TEST_F(CliLanguageRun, HelpSummaryAndErrorsFollowTheLanguage)
{
    using Args = std::vector<std::string>;
    struct Case {
        Args args;
        Language system;
        bool toOut;
        std::string starts;
    };
    const Case cases[] = {
        {{"--help"}, Language::English, true, "Usage: corvel-check [OPTION]..."},
        {{"--help"}, Language::Chinese, true, "用法：corvel-check [选项]..."},
        {{"--lang", "en", "--help"}, Language::Chinese, true, "Usage: corvel-check"},
        {{"--lang=zh", "--help"}, Language::English, true, "用法：corvel-check"},
        {{"--time", kTime, "game.txt"}, Language::English, true,
         "game.txt: 8 lines, 1 untranslated, 1 erroneous, 1 empty; log "},
        {{"--time", kTime, "game.txt"}, Language::Chinese, true,
         "game.txt：共 8 行，未翻译 1 行，错误 1 行，空行 1 行；日志 "},
        {{"--bogus"}, Language::Chinese, false, "corvel-check: 未知的选项 --bogus（corvel-check --help 有详细说明）\n"},
        {{"--bogus", "--lang", "en"}, Language::Chinese, false,
         "corvel-check: unknown option --bogus (corvel-check --help tells more)\n"},
        {{"--lang", "fr", "game.txt"}, Language::English, false,
         "corvel-check: --lang needs zh or en (corvel-check --help tells more)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const CliResult r = run(c.args, c.system);
        const std::string& text = c.toOut ? r.out : r.err;
        EXPECT_EQ(text.rfind(c.starts, 0), 0u) << text;
    }
}

// The log, the corrected dictionary and the JSON report are the same in
// either language.
TEST_F(CliLanguageRun, OutputFilesAndJsonStayTheSame)
{
    const std::vector<std::string> english = {"--time", kTime, "--correct", "--format", "json", "game.txt"};
    const CliResult en = run(english, Language::English);
    const std::string log = readBytes(root() / "game/game.log");
    const std::string corrected = readBytes(root() / "game/game.txt");
    const CliResult zh = run(english, Language::Chinese);
    EXPECT_EQ(zh.out, en.out);
    EXPECT_EQ(zh.status, en.status);
    EXPECT_EQ(readBytes(root() / "game/game.log"), log);
    EXPECT_EQ(readBytes(root() / "game/game.txt"), corrected);
    EXPECT_TRUE(sameBytes(log, fixtureBytes("game.correct.log")));
}

}  // namespace
}  // namespace corvel::test
