// corvel-check: the command-line checker.
#include "checker.h"
#include "interruption.h"

#include <string>
#include <vector>

#ifdef _WIN32
#include "corvel/windows_text.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace {

// The checker writes UTF-8. A console shows it as such while the checker
// runs; its own code page is given back afterwards. Output into a file or
// a pipe is left alone.
class Utf8Console {
public:
    Utf8Console() : previous_(::GetConsoleOutputCP())
    {
        if (previous_ != 0)
            ::SetConsoleOutputCP(CP_UTF8);
    }
    ~Utf8Console()
    {
        if (previous_ != 0)
            ::SetConsoleOutputCP(previous_);
    }
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    UINT previous_;
};

}  // namespace

// Built with -municode: the arguments come as UTF-16, so Chinese names
// survive whatever the ANSI code page is.
int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(corvel::utf8FromWide(argv[i]));
    Utf8Console utf8;
    corvel::cli::Console console;
    int status = corvel::cli::runChecker(args, console);
    return corvel::cli::finishOutput(status, console);
}

#else

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    corvel::cli::settleOutputsWhenInterrupted();
    corvel::cli::Console console;
    int status = corvel::cli::runChecker(args, console);
    return corvel::cli::finishOutput(status, console);
}

#endif
