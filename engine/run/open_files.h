// The files a run holds open, by number: the dictionary (1), the check log
// (2) and the corrected dictionary (3). Ending the application writes out
// and closes them all; so does the end of the run's scope.
#pragma once

#include "corvel/error.h"
#include "text_files.h"

namespace corvel {

enum class FileNumber { Dictionary = 1, Log = 2, Corrected = 3 };

class OpenFiles {
public:
    LineReader dictionary;
    OutputFile log;
    OutputFile corrected;

    // The output file with a number (Log or Corrected).
    OutputFile& output(FileNumber number)
    {
        return number == FileNumber::Corrected ? corrected : log;
    }

    bool writeFailed() const { return log.failed() || corrected.failed(); }

    // The first write failure on either output file.
    const Error& writeError() const
    {
        return log.failed() ? log.error() : corrected.error();
    }

    // Writes out and closes every open file; returns the first failure.
    Error closeAll()
    {
        Error first = dictionary.close();
        Error logClosed = log.close();
        Error correctedClosed = corrected.close();
        if (!first)
            first = logClosed;
        if (!first)
            first = correctedClosed;
        return first;
    }
};

}  // namespace corvel
