// The writers of corvel-check's report formats. Each is a finding sink: a
// dictionary's findings arrive between beginDictionary() and
// endDictionary(), in line order; finish() ends the document.
#pragma once

#include "corvel/report/dictionary_report.h"
#include "corvel/report/finding.h"

#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace corvel::cli {

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

// A report format: one writer plus its line in reportFormats().
struct ReportFormat {
    std::string_view name;  // the value of --format
    // A document (JSON, SARIF) stands alone: the check's summary lines do
    // not follow it and -q does not silence it.
    bool document;
    std::unique_ptr<ReportWriter> (*makeWriter)(std::ostream& out, const ToolInfo& tool);
};

// Every format; the first is the default.
std::span<const ReportFormat> reportFormats();
// The format named `name`, or null.
const ReportFormat* findReportFormat(std::string_view name);
// Their names as a sentence: "text, json or sarif".
std::string reportFormatNames();

}  // namespace corvel::cli
