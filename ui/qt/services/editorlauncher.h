// Opens a check log in the system's text editor without waiting for it.
// The program is started directly, never through a shell, with the log's
// absolute path as one argument.
#pragma once

#include "corvel/error.h"
#include "editor_request.h"

#include <QString>
#include <QStringList>

#include <filesystem>
#include <functional>
#include <string>

namespace corvel {

struct EditorCommand {
    QString program;
    QStringList arguments;
};

// The platform's editor command for a log (editorcommand_*.cpp).
EditorCommand editorCommand(const std::filesystem::path& log);

// Starts a command detached. A program that cannot be started is the
// "file not found" case of the run's failure rule.
Error startDetached(const EditorCommand& command);

// What a window calls to open a log; replaceable so that tests can watch
// the requests instead of starting an editor.
using EditorLauncher = std::function<Error(const EditorRequest&)>;

// The real launcher: the editor command for the request's log, started.
Error launchEditor(const EditorRequest& request);

}  // namespace corvel
