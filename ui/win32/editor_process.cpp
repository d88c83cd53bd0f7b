#include "editor_process.h"

#include "corvel/windows_text.h"

#include <windows.h>

#include <string>

namespace corvel {

Error startEditorProcess(const EditorRequest& request)
{
    // CreateProcessW may write into the command line, so it gets a copy.
    std::wstring commandLine = wideFromUtf8(request.commandLine);
    STARTUPINFOW startup {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = request.takeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE;
    PROCESS_INFORMATION process {};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process)) {
        int code = static_cast<int>(::GetLastError());
        return Error::fromSystem(FileOp::StartProgram, request.commandLine, code);
    }
    // Not waited for: the editor lives on its own.
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return Error();
}

}  // namespace corvel
