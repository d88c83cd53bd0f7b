// A text file read line by line in bounded memory, for the readers of
// line-based formats (gettext, properties). A line ends at LF; a CR before
// it is dropped. A UTF-8 byte-order mark at the start is skipped.
#pragma once

#include "corvel/error.h"
#include "entry.h"
#include "platform.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace corvel::formats {

class LineSource {
public:
    // The longest line held; a longer one ends the reading (tooLong()).
    static constexpr std::size_t kLongestLine = 16u * 1024 * 1024;

    // Opens `path`; error() says why when it cannot be.
    explicit LineSource(const std::filesystem::path& path);

    // The next line, valid until the next call; false at the end, on a
    // failed read (error()) or at a line longer than kLongestLine.
    bool next(std::string_view& line);

    std::int32_t number() const { return number_; }  // of the line last returned
    const Error& error() const { return error_; }
    bool tooLong() const { return tooLong_; }

private:
    bool fill();

    File file_;
    Error error_;
    std::string buffer_;
    std::size_t start_ = 0;  // where the next line starts in buffer_
    bool atEnd_ = false;     // the file is read to its end
    bool tooLong_ = false;
    bool first_ = true;
    std::int32_t number_ = 0;
};

// Reads the file at `path` line by line into `parser`: line(text, number)
// says whether to go on, end(lastLine) follows the last line of a reading
// that was not stopped, and failure() tells where the file broke its format.
template <class Parser>
ReadOutcome readLines(const std::filesystem::path& path, Parser& parser)
{
    ReadOutcome outcome;
    LineSource lines(path);
    std::string_view text;
    bool going = true;
    while (going && lines.next(text))
        going = parser.line(text, lines.number());
    if (lines.error()) {
        outcome.io = lines.error();
        return outcome;
    }
    if (lines.tooLong()) {
        outcome.parse = ParseFailure {{lines.number(), 1, 0}, "expected a line shorter than 16 MiB"};
        return outcome;
    }
    if (going)
        parser.end(lines.number());
    outcome.parse = parser.failure();
    return outcome;
}

}  // namespace corvel::formats
