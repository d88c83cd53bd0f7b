#include "pair_rules.h"

#include "chars.h"

namespace corvel {

namespace {
// The serious-error stop comes when the consecutive-error count passes this.
constexpr std::int32_t kErrorRowLimit = 10;
}

LineClass classifyPairLine(std::string_view text, std::int32_t number)
{
    if (isEmptyLine(text))
        return LineClass::Empty;
    bool translated = hasTranslationChar(text);
    if (number % 2 != 0)
        return translated ? LineClass::Erroneous : LineClass::Good;
    return translated ? LineClass::Good : LineClass::Untranslated;
}

PairRules::PairRules(const RunWindow& window, Mode mode, PairLog& log, PairCounts& counts,
                     OutputFile& corrected)
    : window_(window), mode_(mode), log_(log), counts_(counts), corrected_(corrected)
{
}

LineVerdict PairRules::handle(std::string_view text)
{
    const std::int32_t number = counts_.AllLine;
    const bool english = number % 2 != 0;
    const bool correcting = mode_ == Mode::Correct;

    switch (classifyPairLine(text, number)) {
    case LineClass::Good:
        if (correcting)
            keepOrDrop(english, true, text);
        return LineVerdict::Continue;
    case LineClass::Empty:
        ++counts_.SpaceLine;
        ++consecutiveErrors_;
        log_.writeEntry(LineClass::Empty, number, text);
        if (correcting)
            keepOrDrop(english, !window_.option(Option::DeleteEmpty), text);
        else if (window_.option(Option::StopOnEmpty))
            return LineVerdict::EmptyLineStop;
        return LineVerdict::Continue;
    case LineClass::Erroneous:
        ++counts_.ErrLine;
        log_.writeEntry(LineClass::Erroneous, number, text);
        if (correcting) {
            keepOrDrop(english, !window_.option(Option::DeleteErroneous), text);
        } else if (window_.option(Option::StopOnErrors)) {
            countErrorRow(number);
            if (consecutiveErrors_ > kErrorRowLimit)
                return LineVerdict::SeriousErrorStop;
        }
        return LineVerdict::Continue;
    case LineClass::Untranslated:
        ++counts_.UTraLine;
        log_.writeEntry(LineClass::Untranslated, number, text);
        if (correcting)
            keepOrDrop(english, !window_.option(Option::DeleteUntranslated), text);
        return LineVerdict::Continue;
    }
    return LineVerdict::Continue;
}

// Stages a kept line of a pair whose lines are all kept so far; a dropped
// line drops its related English line too.
void PairRules::keepOrDrop(bool english, bool kept, std::string_view text)
{
    if (english) {
        englishKept_ = kept;
        if (kept)
            corrected_.stageLine(text);
    } else if (kept && englishKept_) {
        corrected_.stageLine(text);
    } else {
        corrected_.discardStaged();
    }
}

// An erroneous line two lines after the previous one continues the row;
// any other starts a new one.
void PairRules::countErrorRow(std::int32_t number)
{
    if (lastErrorLine_ == 0)
        lastErrorLine_ = number;
    if (number - lastErrorLine_ == 2) {
        ++consecutiveErrors_;
    } else {
        consecutiveErrors_ = 0;
        rowStart_ = number;
    }
    lastErrorLine_ = number;
}

}  // namespace corvel
