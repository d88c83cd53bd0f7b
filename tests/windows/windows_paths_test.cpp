// The Windows sides of the engine under a Windows file system (or Wine's
// view of one): wide paths with Chinese names, "\" separators, names that
// differ only in case, the Win32 failure codes and code page 936.
#include "run_test.h"

#include "names.h"
#include "platform.h"

#include <stdexcept>

#include <windows.h>

namespace corvel::test {
namespace {

// A path from UTF-8 text, whatever the narrow code page is.
fs::path u8path(std::string_view utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

// The same path written with "\" only.
fs::path backslashed(const fs::path& path)
{
    std::wstring text = path.native();
    for (wchar_t& c : text)
        if (c == L'/')
            c = L'\\';
    return fs::path(text);
}

// --- Names from the chosen path ---

TEST(WindowsRunNames, FileNameFollowsTheLastBackslashOrSlash)
{
    for (const wchar_t* chosen : {L"D:\\dic\\sub\\game.txt", L"D:/dic\\sub/game.txt",
                                  L"D:\\dic/sub\\game.txt"}) {
        auto names = formRunNames(fs::path(chosen));
        ASSERT_TRUE(names) << fs::path(chosen);
        EXPECT_EQ(names->fileName, fs::path(L"game.txt"));
        EXPECT_EQ(names->baseName, fs::path(L"game"));
        EXPECT_EQ(names->logName, fs::path(L"game.log"));
    }
}

TEST(WindowsRunNames, DotInABackslashedFolderIsNotTheFileNamesDot)
{
    EXPECT_FALSE(formRunNames(fs::path(L"D:\\dic.v2\\game")));
}

TEST(WindowsRunNames, ChineseFileNameKeepsItsCharacters)
{
    auto names = formRunNames(u8path("D:\\字典\\游戏.文本.txt"));
    ASSERT_TRUE(names);
    EXPECT_EQ(names->baseName, u8path("游戏.文本"));
    EXPECT_EQ(names->logName, u8path("游戏.文本.log"));
}

// --- Whole runs ---

class WindowsRuns : public RunTest {
protected:
    // A dictionary under a Chinese folder, chosen by a path written with
    // "\"; its output folder goes beside it.
    fs::path chooseChinese(const std::string& bytes)
    {
        return chooseBackslashed(u8path("字典/游戏.txt"), bytes);
    }
    fs::path chooseBackslashed(const fs::path& relative, const std::string& bytes)
    {
        fs::path file = makeFile(relative, bytes);
        request.dictionary = backslashed(file);
        request.outputParent = backslashed(file.parent_path());
        return file;
    }
    std::string chineseOutput(std::string_view relative)
    {
        return readBytes(root() / u8path("字典") / u8path(relative));
    }
};

TEST_F(WindowsRuns, ChineseDictionaryGetsAChineseOutputFolderAndTheListedLog)
{
    chooseChinese(fixtureBytes("game.txt"));
    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::Finished);
    EXPECT_TRUE(sameBytes(chineseOutput("游戏/游戏.log"), fixtureBytes("game.check.log")));
    EXPECT_EQ(report.log, root() / u8path("字典/游戏/游戏.log"));
    EXPECT_EQ(report.outputFolder, root() / u8path("字典/游戏"));
    EXPECT_EQ(fs::current_path(), root()) << "the working directory is never changed";
}

TEST_F(WindowsRuns, ChineseDictionaryInCorrectModeGetsTheListedFiles)
{
    request.mode = Mode::Correct;
    fs::path dictionary = chooseChinese(fixtureBytes("game.txt"));
    EXPECT_EQ(runPairs().ending, RunEnding::Finished);
    EXPECT_TRUE(sameBytes(chineseOutput("游戏/游戏.log"), fixtureBytes("game.correct.log")));
    EXPECT_TRUE(sameBytes(chineseOutput("游戏/游戏.txt"), fixtureBytes("game.correct.txt")));
    EXPECT_EQ(readBytes(dictionary), fixtureBytes("game.txt"));
}

TEST_F(WindowsRuns, ChineseEqualsDictionaryGetsTheListedLog)
{
    chooseBackslashed(u8path("字典/菜单.DAT"), fixtureBytes("menu.DAT"));
    EXPECT_EQ(runEquals().ending, RunEnding::Finished);
    EXPECT_TRUE(sameBytes(chineseOutput("菜单/菜单.log"), fixtureBytes("menu.check.log")));
}

// On a file system that ignores case, game.log would be the dictionary
// game.LOG itself: the log must take the alternative name.
TEST_F(WindowsRuns, UpperCaseLogDictionaryKeepsLogAndCorrectedApartWhereCaseIsIgnored)
{
    makeFile("probe.LOG", "x");
    ASSERT_TRUE(sameFile(root() / "probe.log", root() / "probe.LOG"))
        << "this folder distinguishes case; the test needs one that does not";

    request.mode = Mode::Correct;
    chooseDictionary("game.LOG", fixtureBytes("game.txt"));
    EXPECT_EQ(runPairs().ending, RunEnding::Finished);
    EXPECT_EQ(listTree(root() / "dic" / "game"),
              (std::vector<std::string> {"game.LOG", "game1.log"}));
    EXPECT_TRUE(sameBytes(output("game/game1.log"), fixtureBytes("game.correct.log")));
    EXPECT_TRUE(sameBytes(output("game/game.LOG"), fixtureBytes("game.correct.txt")));
}

// The corrected dictionary would be the dictionary itself, reached through
// an output folder spelt in other case: the run refuses instead of writing.
TEST_F(WindowsRuns, DictionaryReachedThroughOtherCaseIsNeverWritten)
{
    fs::path dictionary = makeFile("dic/game/game.txt", fixtureBytes("game.txt"));
    ASSERT_TRUE(fs::is_directory(root() / "DIC")) << "the test needs a folder that ignores case";
    request.dictionary = dictionary;
    request.outputParent = root() / "DIC";
    request.mode = Mode::Correct;

    RunReport report = runPairs();
    EXPECT_EQ(report.ending, RunEnding::UnknownError);
    EXPECT_EQ(host.endApplicationCalls, 1);
    EXPECT_EQ(readBytes(dictionary), fixtureBytes("game.txt"));
}

// A log that another program holds open without sharing it cannot be
// replaced: the open is passed over, and the first write to it ends the run
// as an unknown error, leaving the other program's file as it was.
TEST_F(WindowsRuns, LogLockedByAnotherProgramIsAnUnknownError)
{
    fs::path log = makeFile("dic/game/game.log", "earlier log");
    HANDLE lock = ::CreateFileW(log.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    chooseDictionary("game.txt", fixtureBytes("game.txt"));

    RunReport report = runPairs();
    ::CloseHandle(lock);
    EXPECT_EQ(report.ending, RunEnding::UnknownError);
    EXPECT_EQ(host.endApplicationCalls, 1);
    EXPECT_EQ(readBytes(log), "earlier log");
}

// --- File services ---

class WindowsFiles : public TempFolderTest {};

TEST_F(WindowsFiles, SameFileIgnoresCaseAndSeparators)
{
    makeFile(u8path("a/Game字典.txt"), "x");
    makeFile("a/other.txt", "x");
    EXPECT_TRUE(sameFile(backslashed(root() / u8path("A/GAME字典.TXT")), root() / u8path("a/Game字典.txt")));
    EXPECT_FALSE(sameFile(root() / "a/other.txt", root() / u8path("a/Game字典.txt")));
    // A file not made yet is its folder and its name, without case.
    EXPECT_TRUE(sameFile(backslashed(root() / "A/MISSING.TXT"), root() / "a/missing.txt"));
    EXPECT_TRUE(sameFile(root() / "a/new/x.log", backslashed(root() / "a/./NEW/X.LOG")));
    EXPECT_FALSE(sameFile(root() / "a/missing.txt", root() / "a/missing2.txt"));
}

// A second name of one file, made as Windows makes them, is the same file.
TEST_F(WindowsFiles, HardLinksAreOneFile)
{
    const fs::path game = makeFile(u8path("字典/游戏.txt"), fixtureBytes("game.txt"));
    const fs::path alias = root() / u8path("字典/别名.txt");
    if (!::CreateHardLinkW(alias.c_str(), game.c_str(), nullptr))
        GTEST_SKIP() << "no hard links here: error " << ::GetLastError();
    EXPECT_TRUE(sameFile(alias, backslashed(game)));
    EXPECT_FALSE(sameFile(alias, root() / "a/other.txt"));
}

TEST_F(WindowsFiles, MissingDictionaryOrFolderIsFileNotFound)
{
    Error error;
    (void)File::open(root() / u8path("无此文件.txt"), File::Access::Read, error);
    EXPECT_EQ(error.kind(), ErrorKind::FileNotFound);
    (void)File::open(root() / u8path("无此文件夹/game.txt"), File::Access::Read, error);
    EXPECT_EQ(error.kind(), ErrorKind::FileNotFound);
}

TEST_F(WindowsFiles, FolderOpenedAsDictionaryIsOtherFailure)
{
    makeFolder("game.txt");
    Error error;
    (void)File::open(root() / "game.txt", File::Access::Read, error);
    EXPECT_EQ(error.kind(), ErrorKind::Other);
}

TEST_F(WindowsFiles, FailureNamesThePathInUtf8AndTheSystemsCause)
{
    Error error;
    (void)File::open(root() / u8path("无此文件.txt"), File::Access::Read, error);
    EXPECT_EQ(error.path(), displayPath(root()) + "\\无此文件.txt");
    EXPECT_FALSE(error.cause().empty());
    EXPECT_EQ(error.cause().find_first_of("\r\n"), std::string::npos);
}

TEST_F(WindowsFiles, ExistingOutputFolderIsPassedOverAndMissingParentIsNot)
{
    EXPECT_FALSE(corvel::makeFolder(root() / u8path("游戏")));
    EXPECT_TRUE(fs::is_directory(root() / u8path("游戏")));
    EXPECT_EQ(corvel::makeFolder(root() / u8path("游戏")).kind(), ErrorKind::PathAccess);
    EXPECT_EQ(corvel::makeFolder(root() / "missing/game").kind(), ErrorKind::Other);
}

TEST_F(WindowsFiles, ChineseFolderOpensForOutputs)
{
    makeFolder(u8path("字典"));
    Error error;
    Folder folder = Folder::open(backslashed(root() / u8path("字典")), error);
    EXPECT_FALSE(error) << error.describe();
    EXPECT_TRUE(folder.isOpen());
    EXPECT_EQ(fs::current_path(), root());
}

TEST_F(WindowsFiles, FileOrMissingFolderForOutputsIsOtherFailure)
{
    makeFile("game", "x");
    Error error;
    (void)Folder::open(root() / "game", error);
    EXPECT_EQ(error.kind(), ErrorKind::Other);
    (void)Folder::open(root() / u8path("无此文件夹"), error);
    EXPECT_EQ(error.kind(), ErrorKind::Other);
}

TEST_F(WindowsFiles, OutputInAMissingFolderIsPassedOver)
{
    Error error;
    (void)File::open(root() / "missing/game.log", File::Access::Write, error);
    EXPECT_EQ(error.kind(), ErrorKind::PathAccess);
}

TEST_F(WindowsFiles, WriteReplacesAndAppendAddsAtTheEnd)
{
    fs::path path = root() / u8path("游戏.log");
    Error error;
    for (auto [access, bytes] : {std::pair {File::Access::Write, "old text"},
                                 std::pair {File::Access::Write, "ab"},
                                 std::pair {File::Access::Append, "cd"}}) {
        File file = File::open(path, access, error);
        ASSERT_FALSE(error) << error.describe();
        ASSERT_FALSE(file.writeAll(bytes, std::char_traits<char>::length(bytes)));
        ASSERT_FALSE(file.close());
    }
    EXPECT_EQ(readBytes(path), "abcd");
}

TEST_F(WindowsFiles, ReadGivesTheBytesThenZeroAtTheEnd)
{
    fs::path path = makeFile(u8path("游戏.txt"), "\xB4\xF2\xBF\xAA\r\n");
    Error error;
    File file = File::open(path, File::Access::Read, error);
    ASSERT_FALSE(error) << error.describe();
    char buffer[16];
    EXPECT_EQ(std::string(buffer, file.read(buffer, sizeof buffer, error)), "\xB4\xF2\xBF\xAA\r\n");
    EXPECT_EQ(file.read(buffer, sizeof buffer, error), 0u);
    EXPECT_FALSE(error);
}

// --- Code page 936 ---

TEST(WindowsGbk, LiteralsConvertThroughCodePage936)
{
    EXPECT_EQ(toGbk("检查时间：　"), "\xBC\xEC\xB2\xE9\xCA\xB1\xBC\xE4\xA3\xBA\xA1\xA1");
    EXPECT_EQ(toGbk("Open 12"), "Open 12");
    EXPECT_EQ(toGbk(""), "");
}

TEST(WindowsGbk, EuroSignIsTheSingleByte80)
{
    EXPECT_EQ(toGbk("€"), "\x80");
}

TEST(WindowsGbk, TextOutsideGbkOrInvalidUtf8IsRefused)
{
    EXPECT_THROW((void)toGbk("\xF0\x9F\x98\x80"), std::runtime_error);  // U+1F600
    EXPECT_THROW((void)toGbk("ok\xFF"), std::runtime_error);
}

}  // namespace
}  // namespace corvel::test
