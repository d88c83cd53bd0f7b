// What a check run needs from the window that started it.
//
// Both check runs talk to their window only through this interface, so they
// run the same way inside the main window, the equals-line window, the
// command-line checker and the tests. Every call happens on the thread that
// runs the check. Texts cross the interface as UTF-8; the run converts what
// it writes to files.
#pragma once

#include "error.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace corvel {

enum class Mode { Check, Correct };

// The option check boxes of the line-pair window; on means ticked.
enum class Option {
    ReplaceLog,          // chkreplace: create the log anew (off: append)
    PromptAtEnd,         // chkprompt: ask to open the log at the end (off: beep)
    StopOnErrors,        // chkstop: serious-error stop in check mode
    StopOnEmpty,         // chkspac: empty-line stop in check mode
    DeleteEmpty,         // chkspace: correct mode drops empty lines
    DeleteErroneous,     // chkerror: correct mode drops erroneous lines
    DeleteUntranslated,  // chknotra: correct mode drops untranslated lines
};

// Captions that the line-pair log header quotes from the window.
enum class Caption {
    CheckFrame,          // fracheck
    CorrectFrame,        // fracorrect
    DeleteEmpty,         // chkspace
    DeleteErroneous,     // chkerror
    DeleteUntranslated,  // chknotra
};

// The design caption of each, as a fresh window shows it.
const char* designCaption(Caption caption);

// The labels of the status box.
enum class StatusLabel {
    Processing,  // lbl1 "正在处理第"
    LineNumber,  // lbl2
    Line,        // lbl3 "行"
    EscHint,     // lbl4 "按 ESC 键停止校验..."
    Message,     // lbl5 waiting / processing... / result text
};

// Controls a run disables while it is in progress.
enum class Control {
    Check,   // cmdCheck
    Exit,    // cmdexit (the equals-line window has none)
    Switch,  // lblother in the main window, cmdret in the equals-line window
};

enum class Buttons { Ok, OkCancel };
enum class Icon { Question, Exclamation, Critical };
enum class Answer { Ok = 1, Cancel = 2 };

struct MessageBoxRequest {
    std::string text;   // UTF-8
    std::string title;  // UTF-8
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::Critical;
};

// Opening the check log in the system text editor, without waiting for it.
struct EditorRequest {
    std::string commandLine;  // "notepad.exe " or "notepad.exe  " and the log
    std::filesystem::path log;  // absolute path of the log the run wrote
    bool takeFocus = false;     // window style 1 (focus) or 4 (no focus)
};

class RunWindow {
public:
    virtual ~RunWindow() = default;

    // The dictionary the user chose; read once at the start of a run.
    virtual std::filesystem::path chosenPath() const = 0;
    // Check or correct mode; read once at the start of a run.
    virtual Mode mode() const = 0;
    // Whether an option box is ticked; read live, when the run needs it.
    virtual bool option(Option option) const = 0;
    // A caption quoted by the log header, UTF-8.
    virtual std::string caption(Caption caption) const = 0;

    virtual void setLabelText(StatusLabel label, const std::string& text) = 0;
    virtual void setLabelVisible(StatusLabel label, bool visible) = 0;
    // lbl2 after every line: the line number in plain decimal. Kept apart
    // from setLabelText so that the per-line path builds no string.
    virtual void setLineNumber(std::int32_t line) = 0;
    virtual void setEnabled(Control control, bool enabled) = 0;

    virtual Answer messageBox(const MessageBoxRequest& request) = 0;
    // Fails with ErrorKind::FileNotFound when no editor can be started.
    virtual Error startEditor(const EditorRequest& request) = 0;
    virtual void beep() = 0;

    // Serve pending window events (ESC, clicks). Returns false once the
    // application is ending: the run then closes its files and returns.
    virtual bool yield() = 0;
    // Whether the window shows the line number and serves events; a run
    // without a window (the command-line checker) skips both per line.
    virtual bool followsLines() const { return true; }
    // The run has written out and closed its files; end the application.
    virtual void endApplication() = 0;
};

}  // namespace corvel
