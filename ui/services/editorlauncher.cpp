#include "editorlauncher.h"

#include <QProcess>

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
    return startDetached(editorCommand(request.log));
}

}  // namespace corvel
