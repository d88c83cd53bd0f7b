#include "interruption.h"

#include "corvel/unfinished_files.h"
#include "messages.h"

#ifndef _WIN32
#include <csignal>
#include <string_view>
#include <unistd.h>
#endif

namespace corvel::cli {

#ifndef _WIN32
namespace {

// The line a signal prints, chosen before any signal can come: the
// handler may only write bytes that already exist.
std::string_view interruptedText;

void onSignal(int signal)
{
    settleUnfinished();
    static const char prefix[] = "corvel-check: ";
    (void)!::write(STDERR_FILENO, prefix, sizeof prefix - 1);
    (void)!::write(STDERR_FILENO, interruptedText.data(), interruptedText.size());
    (void)!::write(STDERR_FILENO, "\n", 1);
    // Ended by the signal itself, so that the caller sees why.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

void settleOutputsWhenInterrupted(const Messages& messages)
{
    interruptedText = messages.text(
        "interrupted; the logs, corrected dictionaries and report of earlier runs are kept, "
        "unfinished ones removed");
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
void settleOutputsWhenInterrupted(const Messages&) {}
#endif

}  // namespace corvel::cli
