// corvel-check: the command-line checker.
#include "checker.h"
#include "interruption.h"

#include <string>
#include <vector>

#ifdef _WIN32
#include "corvel/windows_text.h"

#include <windows.h>

// Built with -municode: the arguments come as UTF-16, so Chinese names
// survive whatever the ANSI code page is.
int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(corvel::utf8FromWide(argv[i]));
    corvel::cli::Console console;
    const corvel::cli::Language language = corvel::cli::userLanguage();
    int status = corvel::cli::runChecker(args, console, language);
    return corvel::cli::finishOutput(status, console, language);
}

#else

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    const corvel::cli::Language language =
        corvel::cli::requestedLanguage(args).value_or(corvel::cli::userLanguage());
    corvel::cli::settleOutputsWhenInterrupted(corvel::cli::Messages(language));
    corvel::cli::Console console;
    int status = corvel::cli::runChecker(args, console, language);
    return corvel::cli::finishOutput(status, console, language);
}

#endif
