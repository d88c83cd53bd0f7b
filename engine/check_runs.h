// The two check runs: the line-pair run of the main window and the
// equals-line run of the second window.
#pragma once

#include "error.h"
#include "platform.h"
#include "run_window.h"

#include <cstdint>
#include <filesystem>
#include <functional>

namespace corvel {

// How a run ended.
enum class RunEnding {
    Finished,          // reached the end of the dictionary, summary written
    EmptyLineStop,     // check mode stopped at an empty line
    SeriousErrorStop,  // check mode stopped after a row of erroneous lines
    FileNotFound,      // the dictionary (or the editor) was missing
    UnknownError,      // any other failure; the application was ended
    Ended,             // the application was ended from the window (ESC)
};

struct RunReport {
    RunEnding ending = RunEnding::Finished;
    std::int32_t lines = 0;         // AllLine / lines read
    std::int32_t erroneous = 0;     // ErrLine / serious-error lines
    std::int32_t empty = 0;         // SpaceLine (line-pair run only)
    std::int32_t untranslated = 0;  // UTraLine / untranslated lines
    std::filesystem::path log;      // absolute path of the log, once opened
    Error error;                    // the failure, for FileNotFound / UnknownError

    bool flagged() const { return erroneous + empty + untranslated > 0; }
};

// Supplies the date and time for the log's date lines.
using Clock = std::function<LocalTime()>;

// Checks (or corrects) the line-pair dictionary chosen in `window`.
RunReport runLinePairCheck(RunWindow& window, const Clock& clock = localNow);

// Checks (or corrects) the equals-line dictionary chosen in `window`.
RunReport runEqualsCheck(RunWindow& window, const Clock& clock = localNow);

}  // namespace corvel
