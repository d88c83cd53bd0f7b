#include "equals_log.h"

#include "log_format.h"
#include "gbk_texts.h"

namespace corvel {

namespace {

struct EqualsLogTexts {
    std::string hashes = std::string(70, '#');
    std::string title = std::string(gbk::equalsTitle);
    std::string stars69 = std::string(69, '*');
    std::string stars70 = std::string(70, '*');
    std::string checkOperation = std::string(gbk::equalsCheckOperation);
    std::string correctOperation = std::string(gbk::equalsCorrectOperation);
    std::string seriousBefore = std::string(gbk::errorBefore);
    std::string seriousAfter = std::string(gbk::seriousAfter);
    std::string untranslatedBefore = std::string(gbk::equalsUntranslatedBefore);
    std::string untranslatedAfter = std::string(gbk::untranslatedCount);
    std::string total = std::string(gbk::total);
    std::string linesEnd = std::string(gbk::linesEnd);
    std::string result = std::string(gbk::result);
    std::string untranslated = std::string(gbk::untranslatedCount);
    std::string erroneous = std::string(gbk::erroneousCount);
    std::string semicolon = std::string(gbk::semicolon);
    std::string fullStop = std::string(gbk::fullStop);
    std::string deletedBefore = std::string(gbk::deletedBefore);
    std::string deletedAfter = std::string(gbk::deletedAfter);
    std::string banner = std::string(29, '*') + "     " + std::string(gbk::finished) + "    " + std::string(30, '*');
};

const EqualsLogTexts& texts()
{
    static const EqualsLogTexts t;
    return t;
}

}  // namespace

EqualsLog::EqualsLog(OutputFile& file, Mode mode, const Clock& clock)
    : file_(file), mode_(mode), clock_(clock)
{
    (void)texts();
}

void EqualsLog::writeHeader()
{
    const EqualsLogTexts& t = texts();
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
    const EqualsLogTexts& t = texts();
    bool serious = finding.what == FindingClass::MissingEquals;
    line_ = serious ? t.seriousBefore : t.untranslatedBefore;
    appendSpacedNumber(line_, finding.line);
    line_ += serious ? t.seriousAfter : t.untranslatedAfter;
    padToPrintZone(line_);
    writeEntry(file_, line_, finding);
}

void EqualsLog::finished(const RunCounts& counts)
{
    const EqualsLogTexts& t = texts();
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
    file_.writeLine(dateLine(clock_()));
    file_.writeEmptyLines(1);
    file_.writeLine(t.banner);
    file_.writeEmptyLines(2);
}

}  // namespace corvel
