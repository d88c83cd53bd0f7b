#include "interruption.h"

#include "corvel/unfinished_files.h"
#include "messages.h"

#ifndef _WIN32
#include <csignal>
#include <cstring>
#include <unistd.h>
#endif

namespace corvel::cli {

#ifndef _WIN32
namespace {

void onSignal(int signal)
{
    settleUnfinished();
    static const char prefix[] = "corvel-check: ";
    (void)!::write(STDERR_FILENO, prefix, sizeof prefix - 1);
    (void)!::write(STDERR_FILENO, messages::kInterrupted, std::strlen(messages::kInterrupted));
    (void)!::write(STDERR_FILENO, "\n", 1);
    // Ended by the signal itself, so that the caller sees why.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

void settleOutputsWhenInterrupted()
{
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigfillset(&action.sa_mask);  // one signal settles at a time
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction previous {};
        // A signal ignored by the caller (nohup) stays ignored.
        if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN)
            continue;
        ::sigaction(signal, &action, nullptr);
    }
}
#else
void settleOutputsWhenInterrupted() {}
#endif

}  // namespace corvel::cli
