// An interrupted corvel-check (SIGINT, SIGTERM, SIGHUP) leaves the outputs
// of earlier runs as they were: the new files still being written are
// removed, those already whole put in place, and the process ends by the
// same signal after one line on standard error that says so.
#pragma once

namespace corvel::cli {

// Takes over those signals for the rest of the process (POSIX; nothing
// elsewhere).
void settleOutputsWhenInterrupted();

}  // namespace corvel::cli
