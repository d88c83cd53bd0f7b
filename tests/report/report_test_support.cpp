#include "report_test_support.h"

#include "report/consistency_index.h"
#include "test_support.h"
#include "corvel/report/rule_catalogue.h"

namespace corvel::test {

std::vector<report::Finding> analyseLines(report::Layout layout,
                                          std::initializer_list<std::string_view> utf8Lines,
                                          report::AnalysisOptions options)
{
    options.layout = layout;
    std::vector<std::string> lines;
    for (std::string_view line : utf8Lines)
        lines.push_back(gbk(line));
    report::ConsistencyIndex census;
    report::DictionaryAnalyser counting(options, census);
    for (const std::string& line : lines)
        counting.addLine(line);
    counting.finish();
    CollectFindings collect;
    report::DictionaryAnalyser analyser(options, collect, &census);
    for (const std::string& line : lines)
        analyser.addLine(line);
    analyser.finish();
    return collect.findings;
}

std::vector<std::string> ruleLines(const std::vector<report::Finding>& findings)
{
    std::vector<std::string> out;
    for (const report::Finding& f : findings)
        out.push_back(std::string(report::ruleInfo(f.rule).name) + "@" + std::to_string(f.line));
    return out;
}

std::vector<report::Finding> ofRule(const std::vector<report::Finding>& findings,
                                    std::string_view rule)
{
    std::vector<report::Finding> out;
    for (const report::Finding& f : findings)
        if (report::ruleInfo(f.rule).name == rule)
            out.push_back(f);
    return out;
}

}  // namespace corvel::test
