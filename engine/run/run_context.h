// What a run holds while it goes and the steps both layouts share: the
// dictionary and output files, the counts, the host and the sinks, and the
// failure rule that decides by kind whether a failure is reported, passed
// over, or ends the application.
#pragma once

#include "corvel/check_runs.h"
#include "names.h"
#include "open_files.h"

#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace corvel {

class RunContext {
public:
    RunContext(const RunRequest& request, RunHost& host, const RunSinks& sinks);

    const RunRequest& request() const { return request_; }
    Mode mode() const { return request_.mode; }
    bool correcting() const { return request_.mode == Mode::Correct; }
    bool option(Option option) const { return options_.option(option); }
    bool followsLines() const { return followsLines_; }
    // Whether the dictionary is read as GBK with CR LF and lone CR ending
    // its lines, which the block scan knows; any other reading goes line by
    // line.
    bool usualReading() const
    {
        return request_.encoding != TextEncoding::Utf8 && !anyEnds_;
    }
    const OptionSource& options() const { return options_; }
    LocalTime now() const { return request_.clock(); }
    RunHost& host() { return host_; }
    OpenFiles& files() { return files_; }
    RunCounts& counts() { return report_; }
    const RunNames& names() const { return names_; }
    // Once made: the output folder, held open.
    const Folder& outputFolder() const { return outputFolder_; }

    // The log as the first sink: it sees every event before the others.
    void setLog(RunSink& log) { log_ = &log; }
    // Sends an event to the log, then to the other sinks.
    template <typename Event>
    void emit(Event event)
    {
        if (log_)
            event(*log_);
        for (RunSink* sink : sinks_)
            event(*sink);
    }
    template <typename Event>
    void toLog(Event event)
    {
        if (log_)
            event(*log_);
    }
    // Sends an event to the sinks other than the log.
    template <typename Event>
    void tell(Event event)
    {
        for (RunSink* sink : sinks_)
            event(*sink);
    }

    // Names from the dictionary's path, and the dictionary opened.
    std::optional<RunEnding> openDictionary();
    // The output folder made (an existing one is passed over) and checked.
    std::optional<RunEnding> makeOutputFolder();
    // Opens an output file in the output folder, refusing a name that is
    // the dictionary itself.
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
    // Reads the next line and counts it. Returns the ending when the read
    // failed (the line it cut short is not a line) or the count would overflow.
    std::optional<RunEnding> readLine(std::string_view& line)
    {
        LineReader& dictionary = files_.dictionary;
        line = anyEnds_ ? dictionary.nextAnyEnds() : dictionary.next();
        if (dictionary.error())
            return handle(dictionary.error());
        if (!countable(std::uint64_t(report_.lines) + 1))
            return tooManyLines();
        ++report_.lines;
        return std::nullopt;
    }
    // After every line: the host shows it and serves its events. Returns
    // the ending when the host ended the application.
    std::optional<RunEnding> lineDone()
    {
        if (!followsLines_)
            return std::nullopt;
        if (!host_.lineDone(report_.lines))
            return endedByHost();
        return std::nullopt;
    }
    std::optional<RunEnding> closeOutput(FileNumber number);

    // Whether a line count fits the counts.
    static bool countable(std::uint64_t lines)
    {
        return lines <= std::uint64_t(std::numeric_limits<std::int32_t>::max());
    }
    std::optional<RunEnding> tooManyLines()
    {
        return fail("the dictionary has more lines than can be counted");
    }

    // The failure rule. Returns the ending when the failure ends the run;
    // nothing when there was no failure or it is passed over.
    std::optional<RunEnding> handle(const Error& error);
    // A failure of the run's own (kind "other") with a cause text.
    std::optional<RunEnding> fail(const std::string& cause);

    // Opens the log in the editor. When it cannot be started the failure
    // rule applies and the run ends: with `ending` when the editor was not
    // found, by ending the application otherwise.
    std::optional<RunEnding> openLog(LogOpening when, RunEnding ending);

    // Ends the application after writing out and closing every open file.
    RunEnding endApplication(RunEnding ending);
    // The host ended the application (ESC): close the files and return.
    RunEnding endedByHost();

    RunReport finish(RunEnding ending);

private:
    // A copy: whatever the host changes in its request during the run
    // (another dictionary chosen, the mode switched) takes effect from the
    // next run on. Only the options are read live, through their source.
    const RunRequest request_;
    const OptionSource& options_;
    RunHost& host_;
    const RunSinks& sinks_;
    RunSink* log_ = nullptr;
    const bool followsLines_;
    const bool anyEnds_;
    OpenFiles files_;
    RunReport report_;
    RunNames names_;
    Folder outputFolder_;
};

}  // namespace corvel
