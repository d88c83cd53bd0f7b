#include "equals_log.h"

#include "log_format.h"

namespace corvel {

namespace {

// The log's banners and rules of its layout.
const std::string kHashes(70, '#');
const std::string kStars69(69, '*');
const std::string kStars70(70, '*');

std::string banner(const gbk::TextSet& t)
{
    return std::string(29, '*') + "     " + std::string(t.finished) + "    " + std::string(30, '*');
}

}  // namespace

EqualsLog::EqualsLog(OutputFile& file, Mode mode, const Clock& clock, TextEncoding encoding)
    : file_(file), mode_(mode), clock_(clock), encoding_(encoding)
{
}

void EqualsLog::writeHeader()
{
    const gbk::TextSet& t = logTexts(encoding_);
    file_.writeLine(kHashes);
    file_.writeLine(t.equalsTitle);
    file_.writeLine(kHashes);
    file_.writeEmptyLines(1);
    file_.writeLine(kStars69);
    file_.writeEmptyLines(1);
    file_.writeLine(mode_ == Mode::Correct ? t.equalsCorrectOperation : t.equalsCheckOperation);
    file_.writeEmptyLines(1);
    file_.writeLine(kStars70);
    file_.writeEmptyLines(1);
}

void EqualsLog::finding(const Finding& finding)
{
    const gbk::TextSet& t = logTexts(encoding_);
    bool serious = finding.what == LineClass::MissingEquals;
    line_ = serious ? t.errorBefore : t.equalsUntranslatedBefore;
    appendSpacedNumber(line_, finding.line);
    line_ += serious ? t.seriousAfter : t.untranslatedCount;
    padToPrintZone(line_, encoding_);
    writeEntry(file_, line_, finding);
}

void EqualsLog::finished(const RunCounts& counts)
{
    const gbk::TextSet& t = logTexts(encoding_);
    const bool notes = mode_ == Mode::Correct;
    std::string line(t.total);
    appendSpacedNumber(line, counts.lines);
    line += t.linesEnd;
    file_.writeEmptyLines(1);
    file_.writeLine(line);
    file_.writeEmptyLines(1);

    line = t.result;
    auto part = [&](std::int32_t count, std::string_view what) {
        appendSpacedNumber(line, count);
        line += what;
        if (notes) {
            line += t.deletedBefore;
            appendSpacedNumber(line, count);
            line += t.deletedAfter;
        }
    };
    part(counts.untranslated, t.untranslatedCount);
    line += t.semicolon;
    part(counts.erroneous, t.erroneousCount);
    line += t.fullStop;
    file_.writeLine(line);
    file_.writeEmptyLines(2);
    file_.writeLine(dateLine(clock_(), encoding_));
    file_.writeEmptyLines(1);
    file_.writeLine(banner(t));
    file_.writeEmptyLines(2);
}

}  // namespace corvel
