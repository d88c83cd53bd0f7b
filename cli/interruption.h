// An interrupted corvel-check (SIGINT, SIGTERM, SIGHUP) leaves the outputs
// of earlier runs as they were: the new files still being written are
// removed, those already whole put in place, and the process ends by the
// same signal after one line on standard error that says so.
#pragma once

#include "messages.h"

namespace corvel::cli {

// Takes over those signals for the rest of the process (POSIX; nothing
// elsewhere); the line is told in the language of `messages`.
void settleOutputsWhenInterrupted(const Messages& messages);

}  // namespace corvel::cli
