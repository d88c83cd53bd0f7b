// corvel-check.exe started as Windows starts programs: arguments as a
// UTF-16 command line, Chinese names in it, output into files and onto a
// console in the Chinese code page.
#include "test_support.h"
#include "windows_process.h"

#include <windows.h>

namespace corvel::test {
namespace {

fs::path u8path(std::string_view utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

// Removes a folder and all it holds; `folder` has the long-path prefix.
bool removeLongTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW found {};
    HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    bool removed = true;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            removed &= (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                ? removeLongTree(path)
                : ::DeleteFileW(path.c_str()) != 0;
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    return ::RemoveDirectoryW(folder.c_str()) != 0 && removed;
}

class WindowsChecker : public TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        makeFile(u8path("字典/游戏.txt"), fixtureBytes("game.txt"));
    }
    // corvel-check with the fixed time of the listings and `arguments`.
    ProcessResult check(const std::string& arguments)
    {
        return runProcess(checker() + " --time \"2002-05-30 14:05:09\" " + arguments);
    }
    // The same in English, whatever the system's language.
    ProcessResult checkInEnglish(const std::string& arguments)
    {
        return check("--lang en " + arguments);
    }
    static std::string checker() { return quoted(besideTestProgram(L"corvel-check.exe")); }
    std::string bytes(std::string_view relative) { return readBytes(root() / u8path(relative)); }
};

TEST_F(WindowsChecker, ChineseDictionaryNameReachesTheCheckerIntact)
{
    ProcessResult result = checkInEnglish("字典\\游戏.txt");
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_TRUE(sameBytes(bytes("字典/游戏/游戏.log"), fixtureBytes("game.check.log")));
    EXPECT_EQ(result.out.rfind("字典\\游戏.txt: 8 lines, 1 untranslated, 1 erroneous, 1 empty", 0),
              0u)
        << result.out;
}

TEST_F(WindowsChecker, ChineseWorkdirReceivesTheCorrectModeFiles)
{
    makeFolder(u8path("输出"));
    ProcessResult result = checkInEnglish("--correct --workdir 输出 " + quoted(root() / u8path("字典/游戏.txt")));
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_TRUE(sameBytes(bytes("输出/游戏/游戏.log"), fixtureBytes("game.correct.log")));
    EXPECT_TRUE(sameBytes(bytes("输出/游戏/游戏.txt"), fixtureBytes("game.correct.txt")));
    EXPECT_EQ(bytes("字典/游戏.txt"), fixtureBytes("game.txt"));
}

TEST_F(WindowsChecker, MissingChineseDictionaryIsNamedInTheMessage)
{
    ProcessResult result = checkInEnglish("字典/缺少.txt 字典\\游戏.txt");
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("缺少.txt"), std::string::npos) << result.err;
    EXPECT_TRUE(sameBytes(bytes("字典/游戏/游戏.log"), fixtureBytes("game.check.log")))
        << "the next dictionary is still checked";
}

// A second name of the dictionary, made with CreateHardLinkW, is the
// dictionary: a report there is refused and the dictionary keeps its bytes.
TEST_F(WindowsChecker, ReportOnAHardLinkOfTheDictionaryIsRefused)
{
    const fs::path game = root() / u8path("字典/游戏.txt");
    const fs::path alias = root() / u8path("字典/别名.txt");
    if (!::CreateHardLinkW(alias.c_str(), game.c_str(), nullptr))
        GTEST_SKIP() << "no hard links here: error " << ::GetLastError();
    ProcessResult result = checkInEnglish("--report 字典\\别名.txt 字典\\游戏.txt");
    EXPECT_EQ(result.status, 2) << result.out;
    EXPECT_NE(result.err.find("--report 字典\\别名.txt is the dictionary "), std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("游戏.txt"), std::string::npos) << result.err;
    EXPECT_EQ(bytes("字典/游戏.txt"), fixtureBytes("game.txt"));
    EXPECT_FALSE(fs::exists(root() / u8path("字典/游戏"))) << "nothing is checked";
}

// A dictionary deep in a project's folders, its path past 260 characters
// (MAX_PATH): checked, with its log beside it.
TEST_F(WindowsChecker, DictionaryPastMaxPathIsChecked)
{
    std::string deep;
    for (int i = 0; i < 12; ++i)
        deep += "汉化项目的一个很长的文件夹名称_" + std::to_string(i) + "/";
    const fs::path dictionary = root() / u8path(deep + "游戏.txt");
    ASSERT_GT(dictionary.wstring().size(), 260u);
    makeFile(u8path(deep + "游戏.txt"), fixtureBytes("game.txt"));
    ProcessResult result = checkInEnglish(quoted(dictionary));
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_TRUE(sameBytes(bytes(deep + "游戏/游戏.log"), fixtureBytes("game.check.log")));
    // The C runtime cannot walk the tree to remove it at the end: Win32 can.
    EXPECT_TRUE(removeLongTree(L"\\\\?\\" + (root() / u8path(deep.substr(0, deep.find('/')))).wstring()));
}

// What corvel-check prints, on its standard output or error, for a run;
// the tests run in the Chinese locale, so Chinese unless --lang says else.
struct Shown {
    const char* what;
    std::string arguments;
    std::string text;  // UTF-8
};

const Shown kShown[] = {
    {"summary naming a Chinese file", "字典\\游戏.txt",
     "字典\\游戏.txt：共 8 行，未翻译 1 行，错误 1 行，空行 1 行；日志 "},
    {"English summary", "--lang en 字典\\游戏.txt",
     "字典\\游戏.txt: 8 lines, 1 untranslated, 1 erroneous, 1 empty; log "},
    {"error naming a Chinese file", "字典\\缺少.txt", "字典\\缺少.txt"},
    {"the help", "--help", "用法：corvel-check [选项]... 字典..."},
    {"a usage error", "--bogus", "corvel-check: 未知的选项 --bogus"},
};

// A console in code page 936 shows the Chinese characters themselves, and
// the checker leaves its code page as it was.
TEST_F(WindowsChecker, ConsoleInCodePage936ShowsTheCharacters)
{
    for (const Shown& shown : kShown) {
        SCOPED_TRACE(shown.what);
        ProcessResult result = runInConsole(checker() + " --time \"2002-05-30 14:05:09\" "
                                                + shown.arguments, 936);
        EXPECT_EQ(result.err, "");
        EXPECT_NE(result.out.find(shown.text), std::string::npos) << result.out;
    }
}

// Into a file the output is UTF-8, as on every system, whatever the code
// page; the language is the system's (Chinese here) unless --lang says else.
TEST_F(WindowsChecker, RedirectedOutputIsUtf8)
{
    for (const Shown& shown : kShown) {
        SCOPED_TRACE(shown.what);
        ProcessResult result = check(shown.arguments);
        EXPECT_NE((result.out + result.err).find(shown.text), std::string::npos)
            << result.out << result.err;
    }
}

}  // namespace
}  // namespace corvel::test
