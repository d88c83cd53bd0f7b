// Windows: starting the text editor from the command line a check run
// gives ("notepad.exe  D:\dic\game\game.log"), without waiting for it.
// No Qt: the program is started by CreateProcessW, never through a shell.
#pragma once

#ifdef _WIN32

#include "corvel/error.h"
#include "editor_request.h"

namespace corvel {

// Starts request.commandLine (UTF-8) as it stands: its first word names the
// program, found as Windows finds programs (the program's folder, the
// system folders, PATH); the rest is the program's argument text. The new
// window is shown normally, with the focus when request.takeFocus, else
// without taking it. A program that cannot be found or started is the
// "file not found" kind of the run's failure rule.
Error startEditorProcess(const EditorRequest& request);

}  // namespace corvel

#endif
