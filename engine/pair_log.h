// The check log of the line-pair run: header, entry lines, summary and the
// stop trailer, written in GBK to an open OutputFile.
#pragma once

#include "open_files.h"
#include "platform.h"
#include "run_window.h"
#include "text_files.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace corvel {

enum class LineClass { Good, Empty, Erroneous, Untranslated };

// Counts of a line-pair run.
struct PairCounts {
    std::int32_t AllLine = 0;
    std::int32_t ErrLine = 0;
    std::int32_t SpaceLine = 0;
    std::int32_t UTraLine = 0;
};

// The deletion options in force.
struct DeletionOptions {
    bool empty = false;
    bool erroneous = false;
    bool untranslated = false;
};

class PairLog {
public:
    explicit PairLog(OutputFile& file);

    // The first four header lines, written before the corrected dictionary
    // is created.
    void writeBanner();
    // The rest of a check-mode header; `checkCaption` is fracheck's caption.
    void writeCheckHeader(const std::string& checkCaption);
    // The rest of a correct-mode header: fracorrect's caption and the
    // options line, with the captions read from the window.
    void writeCorrectHeader(const RunWindow& window, const DeletionOptions& options);
    void writeEntry(LineClass lineClass, std::int32_t line, std::string_view text);
    // Summary of a run that reached the end; `deleted` only in correct mode.
    void writeSummary(const PairCounts& counts, const DeletionOptions* deleted,
                      const LocalTime& time);

private:
    void writeOperation(const std::string& caption);

    OutputFile& file_;
    std::string line_;
};

// The stop trailer of an early stop: "Error" selects the serious-error cause,
// anything else the empty-line cause. `fsNum` is the log's file number.
void ErrStop_Log(std::string_view strCase, OpenFiles& files, FileNumber fsNum,
                 std::int32_t AllLine, std::int32_t ErrLine, std::int32_t SpaceLine,
                 std::int32_t UTraLine, std::int32_t EventLine, const LocalTime& time);

}  // namespace corvel
