// --format sarif: SARIF 2.1.0, one run per invocation, every rule of the
// rule table in tool.driver.rules, one result per finding with its rule,
// level, message and location (the dictionary's URI, the line and, where
// it applies, the column in characters). Written as the findings arrive.
#pragma once

#include "report_writer.h"

#include <utility>
#include <vector>

namespace corvel::cli {

class SarifWriter : public ReportWriter {
public:
    SarifWriter(std::ostream& out, ToolInfo tool) : out_(out), tool_(std::move(tool)) {}

    void beginDictionary(const report::DictionaryHeader& header) override;
    // False once the output failed: nothing more can be written there.
    bool add(report::Finding finding) override;
    void endDictionary(const report::DictionaryOutcome& outcome) override;
    void finish(const report::FindingCounts& total) override;

private:
    void beginDocument();
    void appendRules();
    void write();

    std::ostream& out_;
    ToolInfo tool_;
    std::string text_;
    std::string uri_;  // the dictionary at hand
    bool begun_ = false;
    bool firstResult_ = true;
    // The dictionaries that could not be checked or read to their end:
    // their URI and error, for the run's invocation.
    std::vector<std::pair<std::string, std::string>> failures_;
};

// A path as a URI reference: relative paths percent-encoded with "/"
// between their parts, absolute ones as file: URIs.
std::string uriOfPath(std::string_view path);

}  // namespace corvel::cli
