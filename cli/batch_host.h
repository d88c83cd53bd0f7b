// The host of runs without a window: nothing is shown per line, questions
// are answered without prompting ("no" to opening the log), no editor is
// started, and ending the application ends only the run in hand.
#pragma once

#include "corvel/run_host.h"

namespace corvel::cli {

class BatchHost : public RunHost {
public:
    bool lineDone(std::int32_t) override { return true; }
    Answer ask(Question question) override;
    Error openLog(const std::filesystem::path&, LogOpening) override { return Error(); }
    void beep() override {}
    // The run has written out and closed its files; the checker goes on
    // with the next dictionary.
    void endApplication() override {}
};

}  // namespace corvel::cli
