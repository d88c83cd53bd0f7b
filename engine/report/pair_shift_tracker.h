// pair-shift: follows the line pairs of a line-pair dictionary and tells
// where they fall out of step, i.e. where odd lines read as translations
// and even lines as sources for at least three pairs.
//
// Each pair is in step (source, then translation), shifted (translation,
// then source) or neither (two untranslated lines, an empty line...). A
// shifted pair opens a candidate region; pairs of neither kind continue it
// (up to a limit in a row); a pair in step ends it. A candidate with three
// shifted pairs is a shifted region. The pairs of a candidate are held
// until it is decided, so that findings still come in line order.
#pragma once

#include "pair_log.h"

#include <cstdint>

namespace corvel::report {

enum class PairStep { InStep, Shifted, Neither };

PairStep pairStep(LineClass odd, LineClass even);

class PairShiftTracker {
public:
    enum class Action {
        Emit,           // emit this pair with every rule
        EmitShifted,    // emit this pair inside a shifted region: its line classes only
        Hold,           // hold this pair (a candidate region is open)
        ConfirmHeld,    // hold this pair; the held pairs form a shifted region
        ReleaseHeld,    // hold this pair; the held pairs are no region: emit them all
    };

    // The next pair, whose even line is `evenLine`.
    Action next(PairStep step, std::int32_t evenLine);
    // At the end of the dictionary: true when held pairs must be emitted.
    bool releaseAtEnd();

    // The even line of the last pair in step before the region (0: none).
    std::int32_t lastInStepLine() const { return lastInStepBefore_; }

    static constexpr int kShiftedToConfirm = 3;
    static constexpr int kNeitherInARow = 16;

private:
    enum class State { InStep, Candidate, Shifted };

    State state_ = State::InStep;
    int shifted_ = 0;
    int neitherRun_ = 0;
    std::int32_t lastInStep_ = 0;        // the even line of the latest pair in step
    std::int32_t lastInStepBefore_ = 0;  // the same, when the candidate opened
};

}  // namespace corvel::report
