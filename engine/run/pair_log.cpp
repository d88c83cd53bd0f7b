#include "pair_log.h"

#include "log_format.h"

namespace corvel {

namespace {

// The log's banner and rules of its layout.
const std::string kHashes(64, '#');
const std::string kStars62(62, '*');
const std::string kStars63(63, '*');

std::string closingBanner(const gbk::TextSet& t)
{
    return std::string(25, '*') + "     " + std::string(t.finished) + "    " + std::string(26, '*');
}

std::string stopBanner(const gbk::TextSet& t)
{
    return std::string(31, '*') + "     " + std::string(t.finished) + "     " + std::string(26, '*');
}

// "处理结果：共有 U 行没有翻译； E 行错误； S 行是空行。", with the deletion
// notes of correct mode when `deleted` is given.
std::string resultLine(const gbk::TextSet& t, const RunCounts& c, const DeletionOptions* deleted)
{
    std::string line(t.result);
    auto part = [&](std::int32_t count, std::string_view what, bool noted) {
        appendSpacedNumber(line, count);
        line += what;
        if (noted) {
            line += t.deletedBefore;
            appendSpacedNumber(line, count);
            line += t.deletedAfter;
        }
    };
    part(c.untranslated, t.untranslatedCount, deleted && deleted->untranslated);
    line += t.semicolon;
    part(c.erroneous, t.erroneousCount, deleted && deleted->erroneous);
    line += t.semicolon;
    part(c.empty, t.emptyCount, deleted && deleted->empty);
    line += t.fullStop;
    return line;
}

std::string totalLine(const gbk::TextSet& t, std::int32_t lines)
{
    std::string line(t.total);
    appendSpacedNumber(line, lines);
    line += t.linesEnd;
    return line;
}

}  // namespace

PairLog::PairLog(OutputFile& file, Mode mode, const OptionSource& options, const Clock& clock,
                 TextEncoding encoding)
    : file_(file), mode_(mode), options_(options), clock_(clock), encoding_(encoding)
{
}

void PairLog::writeBanner()
{
    const gbk::TextSet& t = logTexts(encoding_);
    file_.writeLine(kHashes);
    file_.writeLine(t.pairTitle);
    file_.writeLine(kHashes);
    file_.writeEmptyLines(1);
}

void PairLog::writeOperation(const std::string& caption)
{
    const gbk::TextSet& t = logTexts(encoding_);
    file_.writeLine(kStars62);
    file_.writeEmptyLines(1);
    file_.writeLine(std::string(t.pairOperation) + logCaption(caption, encoding_));
    file_.writeEmptyLines(1);
}

void PairLog::writeCheckHeader(const std::string& checkCaption)
{
    writeOperation(checkCaption);
    file_.writeLine(kStars63);
    file_.writeEmptyLines(1);
}

void PairLog::writeCorrectHeader(const LogCaptions& captions, const DeletionOptions& options)
{
    const gbk::TextSet& t = logTexts(encoding_);
    writeOperation(captions.correctOperation);
    std::string line(t.pairOptions);
    bool any = false;
    if (options.empty) {
        line += logCaption(captions.deleteEmpty, encoding_);
        any = true;
    }
    if (options.erroneous) {
        if (any)
            line += t.firstSeparator;
        line += logCaption(captions.deleteErroneous, encoding_);
        any = true;
    }
    if (options.untranslated) {
        if (any)
            line += t.nextSeparator;
        line += logCaption(captions.deleteUntranslated, encoding_);
    }
    file_.writeLine(line);
    if (options.untranslated)
        file_.writeEmptyLines(1);
    file_.writeLine(kStars63);
    file_.writeEmptyLines(1);
}

void PairLog::finding(const Finding& finding)
{
    const gbk::TextSet& t = logTexts(encoding_);
    std::string_view before = t.emptyBefore;
    std::string_view after = t.emptyAfter;
    switch (finding.what) {
    case LineClass::Empty: break;
    case LineClass::Erroneous: before = t.errorBefore; after = t.errorAfter; break;
    case LineClass::Untranslated:
        before = t.pairUntranslatedBefore;
        after = t.pairUntranslatedAfter;
        break;
    case LineClass::Good:
    case LineClass::MissingEquals: return;  // not logged in this layout
    }
    line_ = before;
    appendSpacedNumber(line_, finding.line);
    line_ += after;
    padToPrintZone(line_, encoding_);
    if (finding.what != LineClass::Empty) {
        writeEntry(file_, line_, finding);  // the line's bytes follow the lead
        return;
    }
    line_ += t.emptyWarning;
    file_.writeLine(line_);
}

DeletionOptions PairLog::deletionOptions() const
{
    if (mode_ != Mode::Correct)
        return {};
    return {options_.option(Option::DeleteEmpty), options_.option(Option::DeleteErroneous),
            options_.option(Option::DeleteUntranslated)};
}

void PairLog::finished(const RunCounts& counts)
{
    const gbk::TextSet& t = logTexts(encoding_);
    const DeletionOptions deleted = deletionOptions();
    file_.writeEmptyLines(1);
    file_.writeLine(totalLine(t, counts.lines));
    file_.writeEmptyLines(1);
    file_.writeLine(resultLine(t, counts, mode_ == Mode::Correct ? &deleted : nullptr));
    file_.writeEmptyLines(1);
    file_.writeLine(dateLine(clock_(), encoding_));
    file_.writeEmptyLines(1);
    file_.writeLine(closingBanner(t));
    file_.writeEmptyLines(2);
}

void PairLog::stopped(const Stop& stop, const RunCounts& counts)
{
    const gbk::TextSet& t = logTexts(encoding_);
    std::string cause(stop.cause == StopCause::RowOfErrors ? t.errorCause : t.emptyCause);
    appendSpacedNumber(cause, stop.line);
    cause += t.linesEnd;
    file_.writeEmptyLines(3);
    file_.writeLine(cause);
    file_.writeEmptyLines(1);
    file_.writeLine(totalLine(t, counts.lines));
    file_.writeEmptyLines(1);
    file_.writeLine(resultLine(t, counts, nullptr));
    file_.writeEmptyLines(1);
    file_.writeLine(dateLine(clock_(), encoding_));
    file_.writeEmptyLines(1);
    file_.writeLine(stopBanner(t));
    file_.writeEmptyLines(2);
}

}  // namespace corvel
