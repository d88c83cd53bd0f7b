// A window for the fuzz target: its settings and every answer it gives come
// from the fuzz input, so libFuzzer steers the run through its prompts,
// editor failures and early ends.
#pragma once

#include "run_window.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

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

// What the window was asked and what it answered, for the invariants.
struct WindowTrace {
    bool editorStarted = false;     // startEditor was called
    bool editorFailed = false;      // ... and answered with a failure
    bool endedApplication = false;  // endApplication was called
    bool answeredStop = false;      // yield answered false
    bool callAfterEnd = false;      // any call after the application ended
};

class RandomWindow : public RunWindow {
public:
    struct Settings {
        std::filesystem::path chosenPath;
        Mode mode = Mode::Check;
        std::uint8_t options = 0;  // bit i: Option i ticked
        bool liveOptions = false;  // answer option() at random on every read
    };

    RandomWindow(Settings settings, std::uint64_t seed);

    // Called once when the run ends the application, before anything else.
    std::function<void()> onEndApplication;

    const WindowTrace& trace() const { return trace_; }
    bool fixedOption(Option o) const;

    std::filesystem::path chosenPath() const override;
    Mode mode() const override;
    bool option(Option o) const override;
    std::string caption(Caption c) const override;
    void setLabelText(StatusLabel, const std::string&) override { touch(); }
    void setLabelVisible(StatusLabel, bool) override { touch(); }
    void setLineNumber(std::int32_t) override { touch(); }
    void setEnabled(Control, bool) override { touch(); }
    Answer messageBox(const MessageBoxRequest& request) override;
    Error startEditor(const EditorRequest& request) override;
    void beep() override { touch(); }
    bool yield() override;
    void endApplication() override;

private:
    void touch() const;

    Settings settings_;
    mutable Dice dice_;
    mutable WindowTrace trace_;
};

}  // namespace corvel::fuzz
