// A host for the fuzz target: the option boxes and every answer it gives
// come from the fuzz input, so libFuzzer steers the run through its
// questions, editor failures and early ends. It is also a sink, so that it
// sees every event the run reports.
#pragma once

#include "corvel/check_runs.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace corvel::fuzz {

// A small deterministic generator seeded from the input (splitmix64).
class Dice {
public:
    explicit Dice(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    // True with a chance of 1 in `n`.
    bool oneIn(std::uint64_t n) { return next() % n == 0; }

private:
    std::uint64_t state_;
};

// What the host was asked and what it answered, for the invariants.
struct HostTrace {
    bool logOpened = false;         // openLog was called
    bool openLogFailed = false;     // ... and answered with a failure
    bool endedApplication = false;  // endApplication was called
    bool answeredStop = false;      // lineDone answered false
    bool callAfterEnd = false;      // any call or event after the application ended
    // The findings heard, by line and class.
    std::vector<std::pair<std::int32_t, LineClass>> findings;
};

class RandomHost : public RunHost, public RunSink, public OptionSource {
public:
    struct Settings {
        std::uint8_t options = 0;  // bit i: Option i ticked
        bool liveOptions = false;  // answer option() at random on every read
    };

    RandomHost(Settings settings, std::uint64_t seed);

    // Called once when the run ends the application, before anything else.
    std::function<void()> onEndApplication;

    const HostTrace& trace() const { return trace_; }
    bool fixedOption(Option o) const;

    // OptionSource
    bool option(Option o) const override;

    // RunHost
    bool lineDone(std::int32_t line) override;
    Answer ask(Question question) override;
    Error openLog(const std::filesystem::path& log, LogOpening when) override;
    void beep() override { touch(); }
    void endApplication() override;

    // RunSink
    void runStarting() override { touch(); }
    void outputFolderReady(const std::filesystem::path&) override { touch(); }
    void linesStarting() override { touch(); }
    void finding(const Finding& finding) override;
    void stopped(const Stop&, const RunCounts&) override { touch(); }
    void finished(const RunCounts&) override { touch(); }
    void waiting() override { touch(); }
    void ready() override { touch(); }

private:
    void touch() const;

    Settings settings_;
    mutable Dice dice_;
    mutable HostTrace trace_;
};

}  // namespace corvel::fuzz
