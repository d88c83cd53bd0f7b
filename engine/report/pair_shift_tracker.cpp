#include "pair_shift_tracker.h"

namespace corvel::report {

PairStep pairStep(LineClass odd, LineClass even)
{
    if (odd == LineClass::Good && even == LineClass::Good)
        return PairStep::InStep;
    if (odd == LineClass::Erroneous && even == LineClass::Untranslated)
        return PairStep::Shifted;
    return PairStep::Neither;
}

PairShiftTracker::Action PairShiftTracker::next(PairStep step, std::int32_t evenLine)
{
    switch (state_) {
    case State::InStep:
        if (step == PairStep::Shifted) {
            state_ = State::Candidate;
            shifted_ = 1;
            neitherRun_ = 0;
            lastInStepBefore_ = lastInStep_;
            return Action::Hold;
        }
        if (step == PairStep::InStep)
            lastInStep_ = evenLine;
        return Action::Emit;
    case State::Candidate:
        if (step == PairStep::InStep) {
            // The held pairs are ordinary ones; this one ends them in step.
            state_ = State::InStep;
            lastInStep_ = evenLine;
            return Action::ReleaseHeld;
        }
        if (step == PairStep::Shifted) {
            neitherRun_ = 0;
            if (++shifted_ == kShiftedToConfirm) {
                state_ = State::Shifted;
                return Action::ConfirmHeld;
            }
            return Action::Hold;
        }
        if (++neitherRun_ > kNeitherInARow) {
            state_ = State::InStep;
            return Action::ReleaseHeld;
        }
        return Action::Hold;
    case State::Shifted:
        if (step == PairStep::InStep) {
            state_ = State::InStep;
            lastInStep_ = evenLine;
            return Action::Emit;
        }
        return Action::EmitShifted;
    }
    return Action::Emit;
}

bool PairShiftTracker::releaseAtEnd()
{
    bool held = state_ == State::Candidate;
    state_ = State::InStep;
    return held;
}

}  // namespace corvel::report
