// The check log of the line-pair run: header, entry lines, summary and the
// stop trailer, written to an open OutputFile in GBK (in UTF-8 for a
// dictionary read as UTF-8). It is the run's first
// sink: its entries, trailer and summary follow the run's events.
#pragma once

#include "corvel/run_events.h"
#include "corvel/run_request.h"
#include "platform.h"
#include "text_files.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace corvel {

// The deletion options in force.
struct DeletionOptions {
    bool empty = false;
    bool erroneous = false;
    bool untranslated = false;
};

class PairLog : public RunSink {
public:
    // The deletion options are read from `options` when the summary is
    // written, as the boxes show them then.
    PairLog(OutputFile& file, Mode mode, const OptionSource& options, const Clock& clock,
            TextEncoding encoding = TextEncoding::Gbk);

    // The first four header lines, written before the corrected dictionary
    // is created.
    void writeBanner();
    // The rest of a check-mode header; `checkCaption` is fracheck's caption.
    void writeCheckHeader(const std::string& checkCaption);
    // The rest of a correct-mode header: the correct operation's caption
    // and the options line.
    void writeCorrectHeader(const LogCaptions& captions, const DeletionOptions& options);

    // An entry line for a flagged line.
    void finding(const Finding& finding) override;
    // The stop trailer of an early stop.
    void stopped(const Stop& stop, const RunCounts& counts) override;
    // The summary of a run that reached the end; with the deletion notes in
    // correct mode.
    void finished(const RunCounts& counts) override;

private:
    void writeOperation(const std::string& caption);
    DeletionOptions deletionOptions() const;

    OutputFile& file_;
    const Mode mode_;
    const OptionSource& options_;
    const Clock& clock_;
    const TextEncoding encoding_;
    std::string line_;
};

}  // namespace corvel
