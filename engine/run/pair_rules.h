// The per-line rules of the line-pair run: each line's class, its counter,
// its log entry, its verdict in correct mode and the two check-mode stops.
#pragma once

#include "pair_log.h"
#include "run_context.h"

#include <cstdint>
#include <string_view>

namespace corvel {

enum class LineVerdict { Continue, EmptyLineStop, SeriousErrorStop };

// The class of a line by its number (odd: English, even: Chinese).
LineClass classifyPairLine(std::string_view text, std::int32_t number,
                           TextEncoding encoding = TextEncoding::Gbk);

class PairRules {
public:
    // Findings go to the run's sinks; in correct mode the kept line pairs
    // go to the run's corrected dictionary.
    explicit PairRules(RunContext& context);

    // Handles the line numbered counts().lines.
    LineVerdict handle(std::string_view text)
    {
        return handle(classifyPairLine(text, counts_.lines, encoding_), text);
    }
    // The same for a line whose class is already known (the block scan's
    // flag); lines not handled in between were good ones. A line too long
    // to be held comes as `longText`; `neverWritten` tells that the line
    // cannot reach the corrected dictionary (an unpaired last line).
    LineVerdict handle(LineClass what, std::string_view text, const LongText* longText = nullptr,
                       bool neverWritten = false);

    // Correct mode: appends the latest line pair to the corrected dictionary
    // when neither of its lines is dropped. Until then the pair is only
    // staged there, so a run that stops first leaves it out.
    void appendPendingPair() { corrected_.commit(); }

    // A good English line went to the corrected dictionary, staged, past
    // these rules (copied with the good lines before it).
    void goodEnglishCopied() { englishKept_ = true; }

    // The first erroneous line of the row that fed the serious-error stop.
    std::int32_t rowStart() const { return rowStart_; }

private:
    void keepOrDrop(bool english, bool kept, std::string_view text);
    void stage(std::string_view text);
    void countErrorRow(std::int32_t number);
    void report(LineClass what, std::int32_t number, std::string_view text);

    RunContext& context_;
    RunCounts& counts_;
    std::int32_t consecutiveErrors_ = 0;
    std::int32_t lastErrorLine_ = 0;
    std::int32_t rowStart_ = 0;
    OutputFile& corrected_;
    const TextEncoding encoding_;
    bool englishKept_ = false;  // the pending pair's English line is kept
    const LongText* longText_ = nullptr;  // of the line being handled
    bool neverWritten_ = false;
};

}  // namespace corvel
