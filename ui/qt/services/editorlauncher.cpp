#include "editorlauncher.h"

#include <QProcess>

#ifdef _WIN32
#include "editor_process.h"
#endif

namespace corvel {

Error startDetached(const EditorCommand& command)
{
    if (QProcess::startDetached(command.program, command.arguments))
        return {};
    return Error(ErrorKind::FileNotFound, FileOp::StartProgram, command.program.toStdString(),
                 "the text editor cannot be started");
}

// The request's command line ("notepad.exe  game.log") names the log
// relative to the run's output folder; the editor gets the absolute path the
// run wrote instead, so it opens that log wherever the working directory
// has gone since.
Error launchEditor(const EditorRequest& request)
{
#ifdef _WIN32
    // Notepad from the run's own command line, which names the absolute
    // log, with the window style the run asks for.
    return startEditorProcess(request);
#else
    return startDetached(editorCommand(request.log));
#endif
}

}  // namespace corvel
