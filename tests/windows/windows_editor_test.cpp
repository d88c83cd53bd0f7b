// The text editor started from a check run's command line. A probe program
// stands in for notepad.exe and reports how it was started.
#include "corvel/display_path.h"
#include "editor_process.h"
#include "test_support.h"
#include "windows_process.h"

#include <windows.h>

namespace corvel::test {
namespace {

class WindowsEditor : public TempFolderTest {
protected:
    // The probe's report: the window style, a line end, its command line.
    // Empty when it has not reported within a minute.
    std::string probeReport()
    {
        for (int i = 0; i < 600 && !fs::exists(root() / "probe.txt"); ++i)
            ::Sleep(100);
        return fs::exists(root() / "probe.txt") ? readBytes(root() / "probe.txt") : std::string();
    }
    std::string probeCommandLine(const std::string& log)
    {
        return quoted(besideTestProgram(L"commandline_probe.exe")) + "  " + log;
    }
};

TEST_F(WindowsEditor, CommandLineReachesTheProgramAsTheRunGaveIt)
{
    std::string log = displayPath(root()) + "\\游戏\\游戏 记录.log";
    std::string commandLine = probeCommandLine(log);
    EXPECT_FALSE(startEditorProcess(EditorRequest {commandLine, fs::path(), false}));
    EXPECT_EQ(probeReport(), std::to_string(SW_SHOWNOACTIVATE) + "\n" + commandLine);
}

TEST_F(WindowsEditor, FocusRequestShowsTheWindowNormally)
{
    std::string commandLine = probeCommandLine("game.log");
    EXPECT_FALSE(startEditorProcess(EditorRequest {commandLine, fs::path(), true}));
    EXPECT_EQ(probeReport(), std::to_string(SW_SHOWNORMAL) + "\n" + commandLine);
}

TEST_F(WindowsEditor, MissingProgramIsFileNotFound)
{
    Error error = startEditorProcess(
        EditorRequest {"corvel-no-such-editor.exe  game.log", fs::path(), false});
    EXPECT_EQ(error.kind(), ErrorKind::FileNotFound);
    EXPECT_EQ(error.op(), FileOp::StartProgram);
}

}  // namespace
}  // namespace corvel::test
