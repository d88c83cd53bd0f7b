// What a run reports while it goes, as events to sinks: the check log is one
// sink, the window's status box and the command-line summary are others. A
// sink sees the events in the order the run meets them; it never changes
// what the run does.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace corvel {

// The class of a dictionary line, as the check log names it; every layer
// (the block scan, the rules, the logs, the report) speaks of it so.
enum class LineClass : std::uint8_t {
    Good,           // nothing to report: a line the log passes over
    Empty,          // line pairs: only spaces 0x20, or nothing
    Erroneous,      // line pairs: an English line holding a translation character
    Untranslated,   // a Chinese line (or the text after "=") without a translation character
    MissingEquals,  // equals lines: no "=" (a serious error)
};

// The bytes of a line too long to be held in memory at once, given in
// pieces in file order.
class LongText {
public:
    virtual ~LongText() = default;
    virtual std::uint64_t size() const = 0;
    // Calls take(piece) for each piece; false when the bytes could not be read.
    virtual bool forEachPiece(void (*take)(void* to, std::string_view piece), void* to) const = 0;
};

struct Finding {
    std::int32_t line = 0;
    LineClass what = LineClass::Empty;  // never Good
    std::string_view text;  // the line's bytes as read; valid during the call
    // Instead of `text` (then empty), for a line too long to be held.
    const LongText* longText = nullptr;
};

enum class StopCause { EmptyLine, RowOfErrors };

struct Stop {
    StopCause cause = StopCause::EmptyLine;
    // The empty line, or the first erroneous line of the row (never below 1).
    std::int32_t line = 0;
};

// The counts of a run. For equals lines, `erroneous` counts the lines
// without "=" and `empty` stays 0.
struct RunCounts {
    std::int32_t lines = 0;
    std::int32_t erroneous = 0;
    std::int32_t empty = 0;
    std::int32_t untranslated = 0;

    bool flagged() const { return erroneous + empty + untranslated > 0; }
};

class RunSink {
public:
    virtual ~RunSink() = default;

    // The run begins; nothing is open yet.
    virtual void runStarting() {}
    // The output folder exists (absolute path); outputs go there.
    virtual void outputFolderReady(const std::filesystem::path&) {}
    // The log's header is written; the lines follow.
    virtual void linesStarting() {}
    virtual void finding(const Finding&) {}
    // The check stopped early; the log holds its stop trailer.
    virtual void stopped(const Stop&, const RunCounts&) {}
    // The run reached the end of the dictionary; the log is complete.
    virtual void finished(const RunCounts&) {}
    // The run is over without ending the application: after a missing
    // dictionary or an early stop the host waits for the next run.
    virtual void waiting() {}
    // After a finished run: the host may start the next one.
    virtual void ready() {}
};

}  // namespace corvel
