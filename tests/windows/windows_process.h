// Starting the programs built next to the test program, the Windows way:
// a UTF-16 command line through CreateProcessW, with the output captured.
#pragma once

#include <filesystem>
#include <string>

namespace corvel::test {

// A program in the test program's own folder.
std::filesystem::path besideTestProgram(const std::wstring& fileName);

struct ProcessResult {
    int status = -1;     // exit status; -1 when it could not be started
    std::string out;     // standard output, as written
    std::string err;     // standard error, as written
};

// Runs a command line (UTF-8) in the working directory and waits for it.
ProcessResult runProcess(const std::string& commandLine);

// Runs a command line (UTF-8) with its standard output and error on a new
// screen buffer of this process's console, whose output code page is set
// to `codePage` for the run (a console is made if the process has none).
// `out` holds what the screen then shows, as UTF-8, a line per row with
// the rows' trailing blanks cut; `err` says why nothing could run.
ProcessResult runInConsole(const std::string& commandLine, unsigned codePage);

// Quotes one argument for a Windows command line (no quotes or trailing
// backslashes inside: enough for our paths).
std::string quoted(const std::filesystem::path& path);

}  // namespace corvel::test
