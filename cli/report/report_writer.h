// The writers of corvel-check's report formats. Each is a finding sink: a
// dictionary's findings arrive between beginDictionary() and
// endDictionary(), in line order; finish() ends the document.
#pragma once

#include "report/dictionary_report.h"
#include "report/finding.h"

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

namespace corvel::cli {

enum class ReportFormat { Text, Json, Sarif };

// Parses "text", "json" or "sarif"; false for anything else.
bool parseReportFormat(std::string_view text, ReportFormat& format);

struct ToolInfo {
    std::string name = "corvel-check";
    std::string version;
    std::string informationUri;  // absolute URI of the tool's documentation; may be empty
    bool baselineUsed = false;   // --baseline was given: results say whether they are new
};

class ReportWriter : public report::FindingSink {
public:
    virtual void beginDictionary(const report::DictionaryHeader& header) = 0;
    virtual void endDictionary(const report::DictionaryOutcome& outcome) = 0;
    // Ends the document; `total` sums every dictionary's findings.
    virtual void finish(const report::FindingCounts& total) = 0;
};

std::unique_ptr<ReportWriter> makeReportWriter(ReportFormat format, std::ostream& out,
                                               const ToolInfo& tool);

}  // namespace corvel::cli
