// Ending the application: every window goes and the process leaves its
// event loop. A run in progress has already written out and closed its
// files when this is asked for.
#pragma once

namespace corvel {

void endApplication();

}  // namespace corvel
