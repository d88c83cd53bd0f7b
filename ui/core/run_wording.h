// What the check windows say about a run: the message boxes for the run's
// questions and the editor command lines for opening its log.
#pragma once

#include "editor_request.h"
#include "message_box.h"

#include "corvel/run_host.h"

#include <filesystem>

namespace corvel {

MessageBoxRequest questionBox(Question question);

// The log opened in the editor: "notepad.exe  LOG" at the end of a run,
// "notepad.exe LOG" after an early stop, with the focus only after a
// serious error.
EditorRequest editorRequest(const std::filesystem::path& log, LogOpening when);

}  // namespace corvel
