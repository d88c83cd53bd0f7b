#include "pair_rules.h"

#include "chars.h"

namespace corvel {

namespace {
// The serious-error stop comes when the consecutive-error count passes this.
constexpr std::int32_t kErrorRowLimit = 10;
}

LineClass classifyPairLine(std::string_view text, std::int32_t number, TextEncoding encoding)
{
    if (isEmptyLine(text))
        return LineClass::Empty;
    bool translated = hasTranslationChar(text, encoding);
    if (number % 2 != 0)
        return translated ? LineClass::Erroneous : LineClass::Good;
    return translated ? LineClass::Good : LineClass::Untranslated;
}

PairRules::PairRules(RunContext& context)
    : context_(context), counts_(context.counts()), corrected_(context.files().corrected),
      encoding_(context.request().encoding)
{
}

void PairRules::report(LineClass what, std::int32_t number, std::string_view text)
{
    const Finding finding {number, what, text, longText_};
    context_.emit([&](RunSink& s) { s.finding(finding); });
}

LineVerdict PairRules::handle(LineClass what, std::string_view text, const LongText* longText,
                              bool neverWritten)
{
    longText_ = longText;
    neverWritten_ = neverWritten;
    const std::int32_t number = counts_.lines;
    const bool english = number % 2 != 0;
    const bool correcting = context_.correcting();

    switch (what) {
    case LineClass::Good:
        if (correcting)
            keepOrDrop(english, true, text);
        return LineVerdict::Continue;
    case LineClass::Empty:
        ++counts_.empty;
        ++consecutiveErrors_;
        report(LineClass::Empty, number, text);
        if (correcting)
            keepOrDrop(english, !context_.option(Option::DeleteEmpty), text);
        else if (context_.option(Option::StopOnEmpty))
            return LineVerdict::EmptyLineStop;
        return LineVerdict::Continue;
    case LineClass::Erroneous:
        ++counts_.erroneous;
        report(LineClass::Erroneous, number, text);
        if (correcting) {
            keepOrDrop(english, !context_.option(Option::DeleteErroneous), text);
        } else if (context_.option(Option::StopOnErrors)) {
            countErrorRow(number);
            if (consecutiveErrors_ > kErrorRowLimit)
                return LineVerdict::SeriousErrorStop;
        }
        return LineVerdict::Continue;
    case LineClass::Untranslated:
        ++counts_.untranslated;
        report(LineClass::Untranslated, number, text);
        if (correcting)
            keepOrDrop(english, !context_.option(Option::DeleteUntranslated), text);
        return LineVerdict::Continue;
    case LineClass::MissingEquals: break;  // not a class of this layout
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
            stage(text);
    } else if (kept && englishKept_) {
        stage(text);
    } else {
        corrected_.discardStaged();
    }
}

void PairRules::stage(std::string_view text)
{
    if (neverWritten_)
        return;
    if (longText_ == nullptr)
        corrected_.stageLine(text);
    else
        corrected_.stageLine(*longText_);
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
