#include "equals_log.h"

#include "log_format.h"

namespace corvel {

namespace {

// The log's own texts in its encoding.
struct EqualsLogTexts {
    explicit EqualsLogTexts(const gbk::TextSet& s)
        : title(s.equalsTitle), checkOperation(s.equalsCheckOperation),
          correctOperation(s.equalsCorrectOperation), seriousBefore(s.errorBefore),
          seriousAfter(s.seriousAfter), untranslatedBefore(s.equalsUntranslatedBefore),
          untranslatedAfter(s.untranslatedCount), total(s.total), linesEnd(s.linesEnd),
          result(s.result), untranslated(s.untranslatedCount), erroneous(s.erroneousCount),
          semicolon(s.semicolon), fullStop(s.fullStop), deletedBefore(s.deletedBefore),
          deletedAfter(s.deletedAfter),
          banner(std::string(29, '*') + "     " + std::string(s.finished) + "    "
                 + std::string(30, '*'))
    {
    }

    std::string hashes = std::string(70, '#');
    std::string title;
    std::string stars69 = std::string(69, '*');
    std::string stars70 = std::string(70, '*');
    std::string checkOperation;
    std::string correctOperation;
    std::string seriousBefore;
    std::string seriousAfter;
    std::string untranslatedBefore;
    std::string untranslatedAfter;
    std::string total;
    std::string linesEnd;
    std::string result;
    std::string untranslated;
    std::string erroneous;
    std::string semicolon;
    std::string fullStop;
    std::string deletedBefore;
    std::string deletedAfter;
    std::string banner;
};

const EqualsLogTexts& texts(TextEncoding encoding)
{
    static const EqualsLogTexts gbk(gbk::kGbkSet);
    static const EqualsLogTexts utf8(gbk::kUtf8Set);
    return logIsUtf8(encoding) ? utf8 : gbk;
}

}  // namespace

EqualsLog::EqualsLog(OutputFile& file, Mode mode, const Clock& clock, TextEncoding encoding)
    : file_(file), mode_(mode), clock_(clock), encoding_(encoding)
{
    (void)texts(encoding_);
}

void EqualsLog::writeHeader()
{
    const EqualsLogTexts& t = texts(encoding_);
    file_.writeLine(t.hashes);
    file_.writeLine(t.title);
    file_.writeLine(t.hashes);
    file_.writeEmptyLines(1);
    file_.writeLine(t.stars69);
    file_.writeEmptyLines(1);
    file_.writeLine(mode_ == Mode::Correct ? t.correctOperation : t.checkOperation);
    file_.writeEmptyLines(1);
    file_.writeLine(t.stars70);
    file_.writeEmptyLines(1);
}

void EqualsLog::finding(const Finding& finding)
{
    const EqualsLogTexts& t = texts(encoding_);
    bool serious = finding.what == FindingClass::MissingEquals;
    line_ = serious ? t.seriousBefore : t.untranslatedBefore;
    appendSpacedNumber(line_, finding.line);
    line_ += serious ? t.seriousAfter : t.untranslatedAfter;
    padToPrintZone(line_, encoding_);
    writeEntry(file_, line_, finding);
}

void EqualsLog::finished(const RunCounts& counts)
{
    const EqualsLogTexts& t = texts(encoding_);
    const bool notes = mode_ == Mode::Correct;
    std::string line = t.total;
    appendSpacedNumber(line, counts.lines);
    line += t.linesEnd;
    file_.writeEmptyLines(1);
    file_.writeLine(line);
    file_.writeEmptyLines(1);

    line = t.result;
    auto part = [&](std::int32_t count, const std::string& what) {
        appendSpacedNumber(line, count);
        line += what;
        if (notes) {
            line += t.deletedBefore;
            appendSpacedNumber(line, count);
            line += t.deletedAfter;
        }
    };
    part(counts.untranslated, t.untranslated);
    line += t.semicolon;
    part(counts.erroneous, t.erroneous);
    line += t.fullStop;
    file_.writeLine(line);
    file_.writeEmptyLines(2);
    file_.writeLine(dateLine(clock_(), encoding_));
    file_.writeEmptyLines(1);
    file_.writeLine(t.banner);
    file_.writeEmptyLines(2);
}

}  // namespace corvel
