#include "pair_log.h"

#include "log_format.h"
#include "gbk_texts.h"

namespace corvel {

namespace {

// The log's own texts, converted to GBK once.
struct PairLogTexts {
    std::string hashes = std::string(64, '#');
    std::string title = std::string(gbk::pairTitle);
    std::string stars62 = std::string(62, '*');
    std::string stars63 = std::string(63, '*');
    std::string operation = std::string(gbk::pairOperation);
    std::string options = std::string(gbk::pairOptions);
    std::string firstSeparator = std::string(gbk::firstSeparator);
    std::string nextSeparator = std::string(gbk::nextSeparator);
    std::string emptyBefore = std::string(gbk::emptyBefore);
    std::string emptyAfter = std::string(gbk::emptyAfter);
    std::string emptyWarning = std::string(gbk::emptyWarning);
    std::string errorBefore = std::string(gbk::errorBefore);
    std::string errorAfter = std::string(gbk::errorAfter);
    std::string untranslatedBefore = std::string(gbk::pairUntranslatedBefore);
    std::string untranslatedAfter = std::string(gbk::pairUntranslatedAfter);
    std::string total = std::string(gbk::total);
    std::string linesEnd = std::string(gbk::linesEnd);
    std::string result = std::string(gbk::result);
    std::string untranslated = std::string(gbk::untranslatedCount);
    std::string erroneous = std::string(gbk::erroneousCount);
    std::string empty = std::string(gbk::emptyCount);
    std::string semicolon = std::string(gbk::semicolon);
    std::string fullStop = std::string(gbk::fullStop);
    std::string deletedBefore = std::string(gbk::deletedBefore);
    std::string deletedAfter = std::string(gbk::deletedAfter);
    std::string closingBanner = std::string(25, '*') + "     " + std::string(gbk::finished) + "    " + std::string(26, '*');
    std::string stopBanner = std::string(31, '*') + "     " + std::string(gbk::finished) + "     " + std::string(26, '*');
    std::string errorCause = std::string(gbk::errorCause);
    std::string emptyCause = std::string(gbk::emptyCause);
};

const PairLogTexts& texts()
{
    static const PairLogTexts t;
    return t;
}

// "处理结果：共有 U 行没有翻译； E 行错误； S 行是空行。", with the deletion
// notes of correct mode when `deleted` is given.
std::string resultLine(const RunCounts& c, const DeletionOptions* deleted)
{
    const PairLogTexts& t = texts();
    std::string line = t.result;
    auto part = [&](std::int32_t count, const std::string& what, bool noted) {
        appendSpacedNumber(line, count);
        line += what;
        if (noted) {
            line += t.deletedBefore;
            appendSpacedNumber(line, count);
            line += t.deletedAfter;
        }
    };
    part(c.untranslated, t.untranslated, deleted && deleted->untranslated);
    line += t.semicolon;
    part(c.erroneous, t.erroneous, deleted && deleted->erroneous);
    line += t.semicolon;
    part(c.empty, t.empty, deleted && deleted->empty);
    line += t.fullStop;
    return line;
}

std::string totalLine(std::int32_t lines)
{
    std::string line = texts().total;
    appendSpacedNumber(line, lines);
    line += texts().linesEnd;
    return line;
}

}  // namespace

PairLog::PairLog(OutputFile& file, Mode mode, const OptionSource& options, const Clock& clock)
    : file_(file), mode_(mode), options_(options), clock_(clock)
{
    (void)texts();
}

void PairLog::writeBanner()
{
    const PairLogTexts& t = texts();
    file_.writeLine(t.hashes);
    file_.writeLine(t.title);
    file_.writeLine(t.hashes);
    file_.writeEmptyLines(1);
}

void PairLog::writeOperation(const std::string& caption)
{
    const PairLogTexts& t = texts();
    file_.writeLine(t.stars62);
    file_.writeEmptyLines(1);
    file_.writeLine(t.operation + captionGbk(caption));
    file_.writeEmptyLines(1);
}

void PairLog::writeCheckHeader(const std::string& checkCaption)
{
    writeOperation(checkCaption);
    file_.writeLine(texts().stars63);
    file_.writeEmptyLines(1);
}

void PairLog::writeCorrectHeader(const LogCaptions& captions, const DeletionOptions& options)
{
    const PairLogTexts& t = texts();
    writeOperation(captions.correctOperation);
    std::string line = t.options;
    bool any = false;
    if (options.empty) {
        line += captionGbk(captions.deleteEmpty);
        any = true;
    }
    if (options.erroneous) {
        if (any)
            line += t.firstSeparator;
        line += captionGbk(captions.deleteErroneous);
        any = true;
    }
    if (options.untranslated) {
        if (any)
            line += t.nextSeparator;
        line += captionGbk(captions.deleteUntranslated);
    }
    file_.writeLine(line);
    if (options.untranslated)
        file_.writeEmptyLines(1);
    file_.writeLine(t.stars63);
    file_.writeEmptyLines(1);
}

void PairLog::finding(const Finding& finding)
{
    const PairLogTexts& t = texts();
    const std::string* before = &t.emptyBefore;
    const std::string* after = &t.emptyAfter;
    switch (finding.what) {
    case FindingClass::Empty: break;
    case FindingClass::Erroneous: before = &t.errorBefore; after = &t.errorAfter; break;
    case FindingClass::Untranslated:
        before = &t.untranslatedBefore;
        after = &t.untranslatedAfter;
        break;
    case FindingClass::MissingEquals: return;  // not a class of this layout
    }
    line_ = *before;
    appendSpacedNumber(line_, finding.line);
    line_ += *after;
    padToPrintZone(line_);
    if (finding.what != FindingClass::Empty) {
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
    const DeletionOptions deleted = deletionOptions();
    file_.writeEmptyLines(1);
    file_.writeLine(totalLine(counts.lines));
    file_.writeEmptyLines(1);
    file_.writeLine(resultLine(counts, mode_ == Mode::Correct ? &deleted : nullptr));
    file_.writeEmptyLines(1);
    file_.writeLine(dateLine(clock_()));
    file_.writeEmptyLines(1);
    file_.writeLine(texts().closingBanner);
    file_.writeEmptyLines(2);
}

void PairLog::stopped(const Stop& stop, const RunCounts& counts)
{
    const PairLogTexts& t = texts();
    std::string cause = stop.cause == StopCause::RowOfErrors ? t.errorCause : t.emptyCause;
    appendSpacedNumber(cause, stop.line);
    cause += t.linesEnd;
    file_.writeEmptyLines(3);
    file_.writeLine(cause);
    file_.writeEmptyLines(1);
    file_.writeLine(totalLine(counts.lines));
    file_.writeEmptyLines(1);
    file_.writeLine(resultLine(counts, nullptr));
    file_.writeEmptyLines(1);
    file_.writeLine(dateLine(clock_()));
    file_.writeEmptyLines(1);
    file_.writeLine(t.stopBanner);
    file_.writeEmptyLines(2);
}

}  // namespace corvel
