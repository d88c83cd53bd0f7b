// The skeleton both check runs share: open the dictionary and the output
// folder, let the layout open its outputs, read every line through the
// layout's rules, and finish with the summary and the offer to open the log.
// The layouts differ only in their line rules and their log.
#pragma once

#include "run_context.h"
#include "scan/scan_types.h"

#include <optional>
#include <string_view>

namespace corvel {

class BlockLines;

// What the host hears at the end of a finished run.
enum class EndOffer {
    Ask,        // ask to open the log; Cancel does nothing more
    AskOrBeep,  // ask to open the log; Cancel beeps
    Beep,       // only beep
};

class LayoutRules {
public:
    virtual ~LayoutRules() = default;
    // Opens the log and, in correct mode, the corrected dictionary, and
    // writes the log's header.
    virtual std::optional<RunEnding> openOutputs() = 0;
    // Before a line is read: the kept lines staged so far go to the
    // corrected dictionary when nothing can drop them any more.
    virtual void beforeLine() = 0;
    // The line just read, counted in counts().lines.
    virtual std::optional<RunEnding> handleLine(std::string_view line) = 0;
    // The layout as the block scan knows it.
    virtual scan::Layout scanLayout() const = 0;
    // A flagged line the block scan found, numbered counts().lines; the
    // lines since the one before were good. The same rules as handleLine.
    // A line too long to be held comes as `longText` (see PairRules).
    virtual std::optional<RunEnding> handleFlagged(std::string_view line, LineClass flag,
                                                   const LongText* longText,
                                                   bool neverWritten) = 0;
    // Correct mode, block scan: the good lines before a flagged one were
    // copied as they stand, and the last of them is a kept English line.
    virtual void goodEnglishCopied() {}
    // After the last line: the kept lines still staged, committed.
    virtual void commitLast() = 0;
    virtual EndOffer endOffer() const = 0;
};

class CheckRun {
public:
    CheckRun(RunContext& context, LayoutRules& rules) : context_(context), rules_(rules) {}

    RunReport run() { return context_.finish(execute()); }

private:
    RunEnding execute();
    std::optional<RunEnding> readLines();
    std::optional<RunEnding> handleLine(LineReader& dictionary, std::string_view line);
    std::optional<RunEnding> readBlocks();
    void copyGoodLines(BlockLines& dictionary, const scan::ScannedLine& line);
    bool copiedPastRules(BlockLines& dictionary, const scan::ScannedLine& line);
    bool unpairedLast(const BlockLines& dictionary, const scan::ScannedLine& line) const;
    std::uint64_t copyWholeLines(BlockLines& dictionary);
    void commitReadLines(BlockLines& dictionary);
    RunEnding finishNormally();

    RunContext& context_;
    LayoutRules& rules_;
    // Block scan, correct mode: the file's bytes before this offset have
    // gone to the corrected dictionary (or were dropped), up to this line.
    std::uint64_t copied_ = 0;
    std::uint64_t lastNumber_ = 0;
};

}  // namespace corvel
