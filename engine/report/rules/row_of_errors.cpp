#include "../line_rules.h"

namespace corvel::report::rules {

namespace {

void check(const LineRuleContext& line, std::vector<Finding>& out)
{
    if (line.stop == RuleId::RowOfErrors)
        out.push_back(line.finding(RuleId::RowOfErrors,
                                   "the check log stops here after a row of erroneous lines; the "
                                   "lines after this one are not in the log"));
}

}  // namespace

// Twelve pairs whose source lines hold Chinese, as when the source column
// was translated too: a row of erroneous lines.
constexpr std::string_view kTranslatedSources =
    "文件\n编辑\n视图\n帮助\n工具\n窗口\n打开\n保存\n关闭\n退出\n复制\n粘贴";
constexpr RuleExample kRowOfErrorsExamples[] {
    {true, kTranslatedSources, kTranslatedSources},
    {false, kTranslatedSources, kTranslatedSources, ExampleFile::LinePairs, "--no-error-stop"},
};

constinit const RuleInfo RowOfErrors {
    RuleId::RowOfErrors, "row-of-errors", Severity::Error, true, kOnLogStop,
    "The check log stopped after a row of erroneous lines.",
    "The serious-error stop of the line-pair check: a row of erroneous lines ended the check "
    "log early at this line. The report itself goes on to the end of the dictionary, but the "
    "lines after this one are missing from the check log.",
    kRowOfErrorsExamples,
    nullptr, check};

}  // namespace corvel::report::rules
