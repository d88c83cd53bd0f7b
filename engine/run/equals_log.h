// The check log of the equals-line run, in GBK (in UTF-8 for a dictionary
// read as UTF-8); the run's first sink.
#pragma once

#include "corvel/run_events.h"
#include "corvel/run_request.h"
#include "text_files.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace corvel {

// The class of one equals-line dictionary line.
LineClass classifyEqualsLine(std::string_view text, TextEncoding encoding = TextEncoding::Gbk);

class EqualsLog : public RunSink {
public:
    EqualsLog(OutputFile& file, Mode mode, const Clock& clock,
              TextEncoding encoding = TextEncoding::Gbk);

    // Lines 1 to 10: banners, the layout title and the operation.
    void writeHeader();
    // An entry line for a line without "=" or without translation.
    void finding(const Finding& finding) override;
    // The counts, the result line (with deletion notes in correct mode), the
    // date line and the closing banner.
    void finished(const RunCounts& counts) override;

private:
    OutputFile& file_;
    const Mode mode_;
    const Clock& clock_;
    const TextEncoding encoding_;
    std::string line_;
};

}  // namespace corvel
