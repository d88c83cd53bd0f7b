// --format text: one line per finding, "PATH:LINE: SEVERITY: RULE: message"
// (a baseline finding's severity reads "note"), then a summary line per
// dictionary. Line breaks and other control characters in names and
// messages are escaped, so one finding is always one line.
#pragma once

#include "report_writer.h"

namespace corvel::cli {

class TextWriter : public ReportWriter {
public:
    explicit TextWriter(std::ostream& out) : out_(out) {}

    void beginDictionary(const report::DictionaryHeader& header) override;
    // False once the output failed: nothing more can be written there.
    bool add(report::Finding finding) override;
    void endDictionary(const report::DictionaryOutcome& outcome) override;
    void finish(const report::FindingCounts& total) override;

private:
    std::ostream& out_;
    std::string path_;  // escaped
    int dictionaries_ = 0;
    std::string line_;
};

// `text` with CR, LF, TAB as \r \n \t, other control characters, U+2028,
// U+2029 and bytes that are not UTF-8 as \xNN or \uNNNN.
std::string oneLine(std::string_view text);

}  // namespace corvel::cli
