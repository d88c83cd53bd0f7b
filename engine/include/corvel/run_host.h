// What a check run needs from whoever started it: the windows, the
// command-line checker and the tests are hosts. The run asks by kind; the
// host owns every word shown to the user.
#pragma once

#include "corvel/error.h"

#include <cstdint>
#include <filesystem>

namespace corvel {

// The questions a run asks, each answered with OK or Cancel.
enum class Question {
    DictionaryMissing,   // the dictionary does not exist (OK only)
    UnknownError,        // the application ends (OK only)
    OpenLogAtEnd,        // the run reached the end: open the log?
    OpenLogAfterEmpty,   // the run stopped at an empty line: open the log?
    SeriousError,        // the run stopped after a row of erroneous lines (OK only)
};

enum class Answer { Ok = 1, Cancel = 2 };

// When the log is opened in the text editor, which decides how.
enum class LogOpening {
    AtEnd,               // after a finished run; the editor does not take the focus
    AfterEmptyLineStop,  // after an empty-line stop; no focus
    AfterSeriousError,   // after a serious-error stop; the editor takes the focus
};

class RunHost {
public:
    virtual ~RunHost() = default;

    // After a line, when the run visits every line (RunRequest::linePath):
    // `line` is its number. Returns false once the
    // application is ending: the run then closes its files and returns.
    virtual bool lineDone(std::int32_t line) = 0;
    virtual Answer ask(Question question) = 0;
    // Opens the run's log (absolute path) in the text editor without waiting.
    // Fails with ErrorKind::FileNotFound when no editor can be started.
    virtual Error openLog(const std::filesystem::path& log, LogOpening when) = 0;
    virtual void beep() = 0;
    // The run has written out and closed its files; end the application.
    virtual void endApplication() = 0;
};

}  // namespace corvel
