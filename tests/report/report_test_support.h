// Helpers of the report tests: run the analyser on lines written in UTF-8
// (stored as GBK) and look at its findings as "rule@line".
#pragma once

#include "report/analyser.h"
#include "corvel/report/finding.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace corvel::test {

class CollectFindings : public report::FindingSink {
public:
    bool add(report::Finding finding) override
    {
        findings.push_back(std::move(finding));
        return true;
    }
    std::vector<report::Finding> findings;
};

// The findings of the analyser on `utf8Lines` (each turned into GBK).
std::vector<report::Finding> analyseLines(report::Layout layout,
                                          std::initializer_list<std::string_view> utf8Lines,
                                          report::AnalysisOptions options = {});

// "rule@line" of each finding, in order.
std::vector<std::string> ruleLines(const std::vector<report::Finding>& findings);

// The findings of one rule.
std::vector<report::Finding> ofRule(const std::vector<report::Finding>& findings,
                                    std::string_view rule);

}  // namespace corvel::test
