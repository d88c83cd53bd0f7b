#include "equals_log.h"

#include "log_format.h"

namespace corvel {

namespace {

struct EqualsLogTexts {
    std::string hashes = std::string(70, '#');
    std::string title = toGbk("　　　　　　　　　校验字典类型格式：英文＝中文");
    std::string stars69 = std::string(69, '*');
    std::string stars70 = std::string(70, '*');
    std::string checkOperation = toGbk("执行操作：　　　　 检错");
    std::string correctOperation = toGbk("执行操作：　　　　 纠错");
    std::string seriousBefore = toGbk("* 第");
    std::string seriousAfter = toGbk(" 行发生严重错误。");
    std::string untranslatedBefore = toGbk("第");
    std::string untranslatedAfter = toGbk(" 行没有翻译");
    std::string total = toGbk("总共处理了");
    std::string linesEnd = toGbk(" 行。");
    std::string result = toGbk("处理结果：共有");
    std::string untranslated = toGbk(" 行没有翻译");
    std::string erroneous = toGbk(" 行错误");
    std::string semicolon = toGbk("；");
    std::string fullStop = toGbk("。");
    std::string deletedBefore = toGbk("(已删除");
    std::string deletedAfter = toGbk(" 行)");
    std::string banner = std::string(29, '*') + "     " + toGbk("完") + "    " + std::string(30, '*');
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
    line_ += finding.text;
    file_.writeLine(line_);
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
