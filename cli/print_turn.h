// Command-line order for dictionaries checked at once: each prints in its
// turn, once those before it have printed. HeldFindings keeps a
// dictionary's report findings until its turn comes.
#pragma once

#include "corvel/report/finding.h"

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <vector>

namespace corvel::cli {

class PrintTurn {
public:
    // Blocks until the dictionary at `index` may print.
    void wait(std::size_t index);
    // Whether the dictionary at `index` may print now.
    bool ready(std::size_t index);
    // The dictionary whose turn it was has printed.
    void pass();

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t next_ = 0;
};

// Holds findings while earlier dictionaries print. Past `limit` findings it
// waits for its turn rather than holding more, so a report never sits in
// memory whole; in its turn it calls `begin` for the sink of the writers and
// passes on what it held and everything after. A dictionary whose turn has
// come (the first one, always) holds nothing.
class HeldFindings : public report::FindingSink {
public:
    using Begin = std::function<report::FindingSink&()>;

    HeldFindings(PrintTurn& turn, std::size_t index, std::size_t limit, Begin begin)
        : turn_(turn), index_(index), limit_(limit), begin_(std::move(begin)) {}

    bool add(report::Finding finding) override;
    // Waits for the turn and passes on what is held (once); whether the
    // next sink goes on.
    bool release();

private:
    PrintTurn& turn_;
    std::size_t index_;
    std::size_t limit_;
    Begin begin_;
    report::FindingSink* next_ = nullptr;
    std::vector<report::Finding> held_;
};

}  // namespace corvel::cli
