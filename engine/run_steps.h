// The steps both check runs share: the status box, the output folder, the
// offer to open the log, and the failure rule that decides by kind whether a
// failure is reported, passed over, or ends the application.
#pragma once

#include "check_runs.h"
#include "names.h"
#include "open_files.h"
#include "run_window.h"

#include <filesystem>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvel {

class RunSteps {
public:
    RunSteps(RunWindow& window, const Clock& clock, std::initializer_list<Control> busyControls);

    RunWindow& window() { return window_; }
    OpenFiles& files() { return files_; }
    RunReport& report() { return report_; }
    LocalTime now() const { return clock_(); }

    // "正在处理..." and the busy controls disabled.
    void showStarting();
    // lbl1 to lbl4 ("正在处理第 N 行 按 ESC 键停止校验...") instead of lbl5.
    void showProgress();
    // lbl5 back with "等待检错或纠错工作"; the busy controls enabled again.
    void showWaiting();
    // lbl5 with "总共处理了 N 行".
    void showTotal(std::int32_t lines);
    void enableControls();

    // Names from the chosen path (read once), the dictionary opened by its
    // full path, the output folder made and entered, and the check against
    // ever writing over the dictionary. Returns the ending when a failure
    // stopped the run.
    std::optional<RunEnding> openDictionary();
    std::optional<RunEnding> enterOutputFolder();
    const RunNames& names() const { return names_; }
    // Opens an output file under a name relative to the output folder,
    // refusing a name that is the dictionary itself.
    std::optional<RunEnding> openOutput(FileNumber number, const std::filesystem::path& name,
                                        File::Access access);
    // Fails with "other" when a write to the log or corrected dictionary
    // failed. Called after every line, so the usual case stays inline.
    std::optional<RunEnding> checkWrites()
    {
        if (!files_.writeFailed())
            return std::nullopt;
        return handle(files_.writeError());
    }
    // Reads the next line of the dictionary and counts it in `lineNumber`.
    // Returns the ending when the read failed (the line it cut short is not
    // a line) or the count would overflow.
    std::optional<RunEnding> readLine(std::string_view& line, std::int32_t& lineNumber)
    {
        LineReader& dictionary = files_.dictionary;
        line = dictionary.next();
        if (dictionary.error())
            return handle(dictionary.error());
        if (lineNumber == std::numeric_limits<std::int32_t>::max())
            return fail("the dictionary has more lines than can be counted");
        ++lineNumber;
        return std::nullopt;
    }
    // After every line: the line number in the status box and the window's
    // events served. Returns the ending when the window ended the application.
    std::optional<RunEnding> showLineAndYield(std::int32_t lineNumber)
    {
        if (!followsLines_)
            return std::nullopt;
        window_.setLineNumber(lineNumber);
        if (!window_.yield())
            return endedByWindow();
        return std::nullopt;
    }
    // Closes an output file, handling a failure to write it out.
    std::optional<RunEnding> closeOutput(FileNumber number);

    // The failure rule. Returns the ending when the failure ends the run;
    // nothing when there was no failure or it is passed over.
    std::optional<RunEnding> handle(const Error& error);
    // A failure of the run's own (kind "other") with a cause text.
    std::optional<RunEnding> fail(const std::string& cause);

    // Starts the text editor on the log: `program` is the command line's
    // start ("notepad.exe " or "notepad.exe  "). When it cannot be started
    // the failure rule applies and the run ends: with `ending` when the
    // editor was not found, by ending the application otherwise.
    std::optional<RunEnding> openLogInEditor(const std::string& program, bool takeFocus,
                                             RunEnding ending);
    Answer ask(const char* text, const char* title, Buttons buttons, Icon icon);

    // Ends the application after writing out and closing every open file.
    RunEnding endApplication(RunEnding ending);
    // The window ended the application (ESC): close the files and return.
    RunEnding endedByWindow();

    RunReport finish(RunEnding ending);

private:
    RunWindow& window_;
    const Clock& clock_;
    const bool followsLines_;
    std::vector<Control> busyControls_;
    OpenFiles files_;
    RunReport report_;
    RunNames names_;
    std::filesystem::path dictionary_;  // absolute
};

}  // namespace corvel
