#include "pair_log.h"

#include "log_format.h"

namespace corvel {

namespace {

// The log's own texts in its encoding.
struct PairLogTexts {
    explicit PairLogTexts(const gbk::TextSet& s)
        : title(s.pairTitle), operation(s.pairOperation), options(s.pairOptions),
          firstSeparator(s.firstSeparator), nextSeparator(s.nextSeparator),
          emptyBefore(s.emptyBefore), emptyAfter(s.emptyAfter), emptyWarning(s.emptyWarning),
          errorBefore(s.errorBefore), errorAfter(s.errorAfter),
          untranslatedBefore(s.pairUntranslatedBefore),
          untranslatedAfter(s.pairUntranslatedAfter), total(s.total), linesEnd(s.linesEnd),
          result(s.result), untranslated(s.untranslatedCount), erroneous(s.erroneousCount),
          empty(s.emptyCount), semicolon(s.semicolon), fullStop(s.fullStop),
          deletedBefore(s.deletedBefore), deletedAfter(s.deletedAfter),
          closingBanner(std::string(25, '*') + "     " + std::string(s.finished) + "    "
                        + std::string(26, '*')),
          stopBanner(std::string(31, '*') + "     " + std::string(s.finished) + "     "
                     + std::string(26, '*')),
          errorCause(s.errorCause), emptyCause(s.emptyCause)
    {
    }

    std::string hashes = std::string(64, '#');
    std::string title;
    std::string stars62 = std::string(62, '*');
    std::string stars63 = std::string(63, '*');
    std::string operation;
    std::string options;
    std::string firstSeparator;
    std::string nextSeparator;
    std::string emptyBefore;
    std::string emptyAfter;
    std::string emptyWarning;
    std::string errorBefore;
    std::string errorAfter;
    std::string untranslatedBefore;
    std::string untranslatedAfter;
    std::string total;
    std::string linesEnd;
    std::string result;
    std::string untranslated;
    std::string erroneous;
    std::string empty;
    std::string semicolon;
    std::string fullStop;
    std::string deletedBefore;
    std::string deletedAfter;
    std::string closingBanner;
    std::string stopBanner;
    std::string errorCause;
    std::string emptyCause;
};

const PairLogTexts& texts(TextEncoding encoding)
{
    static const PairLogTexts gbk(gbk::kGbkSet);
    static const PairLogTexts utf8(gbk::kUtf8Set);
    return logIsUtf8(encoding) ? utf8 : gbk;
}

// "处理结果：共有 U 行没有翻译； E 行错误； S 行是空行。", with the deletion
// notes of correct mode when `deleted` is given.
std::string resultLine(const PairLogTexts& t, const RunCounts& c, const DeletionOptions* deleted)
{
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

std::string totalLine(const PairLogTexts& t, std::int32_t lines)
{
    std::string line = t.total;
    appendSpacedNumber(line, lines);
    line += t.linesEnd;
    return line;
}

}  // namespace

PairLog::PairLog(OutputFile& file, Mode mode, const OptionSource& options, const Clock& clock,
                 TextEncoding encoding)
    : file_(file), mode_(mode), options_(options), clock_(clock), encoding_(encoding)
{
    (void)texts(encoding_);
}

void PairLog::writeBanner()
{
    const PairLogTexts& t = texts(encoding_);
    file_.writeLine(t.hashes);
    file_.writeLine(t.title);
    file_.writeLine(t.hashes);
    file_.writeEmptyLines(1);
}

void PairLog::writeOperation(const std::string& caption)
{
    const PairLogTexts& t = texts(encoding_);
    file_.writeLine(t.stars62);
    file_.writeEmptyLines(1);
    file_.writeLine(t.operation + logCaption(caption, encoding_));
    file_.writeEmptyLines(1);
}

void PairLog::writeCheckHeader(const std::string& checkCaption)
{
    writeOperation(checkCaption);
    file_.writeLine(texts(encoding_).stars63);
    file_.writeEmptyLines(1);
}

void PairLog::writeCorrectHeader(const LogCaptions& captions, const DeletionOptions& options)
{
    const PairLogTexts& t = texts(encoding_);
    writeOperation(captions.correctOperation);
    std::string line = t.options;
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
    file_.writeLine(t.stars63);
    file_.writeEmptyLines(1);
}

void PairLog::finding(const Finding& finding)
{
    const PairLogTexts& t = texts(encoding_);
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
    padToPrintZone(line_, encoding_);
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
    const PairLogTexts& t = texts(encoding_);
    const DeletionOptions deleted = deletionOptions();
    file_.writeEmptyLines(1);
    file_.writeLine(totalLine(t, counts.lines));
    file_.writeEmptyLines(1);
    file_.writeLine(resultLine(t, counts, mode_ == Mode::Correct ? &deleted : nullptr));
    file_.writeEmptyLines(1);
    file_.writeLine(dateLine(clock_(), encoding_));
    file_.writeEmptyLines(1);
    file_.writeLine(t.closingBanner);
    file_.writeEmptyLines(2);
}

void PairLog::stopped(const Stop& stop, const RunCounts& counts)
{
    const PairLogTexts& t = texts(encoding_);
    std::string cause = stop.cause == StopCause::RowOfErrors ? t.errorCause : t.emptyCause;
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
    file_.writeLine(t.stopBanner);
    file_.writeEmptyLines(2);
}

}  // namespace corvel
