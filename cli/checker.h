// corvel-check: checks dictionaries from the command line with the same
// engine and the same output files as the windows.
#pragma once

#include "console.h"
#include "messages.h"

#include <ostream>
#include <string>
#include <vector>

namespace corvel::cli {

// Runs the checker on `args` (UTF-8, without the program name) and returns
// the exit status: 0 nothing flagged, 1 some line flagged, 2 a dictionary
// could not be checked or the command line is wrong. The messages are in
// `language` unless --lang asks for another.
int runChecker(const std::vector<std::string>& args, Console& console,
               Language language = Language::English);
// The same, printing into the caller's streams.
int runChecker(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Writes out standard output; a failure there (a full disk, a closed pipe)
// turns `status` into 2 with a message on standard error.
int finishOutput(int status, Console& console, Language language = Language::English);

}  // namespace corvel::cli
