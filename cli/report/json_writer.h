// --format json: the report as one JSON document following
// docs/report.schema.json, written as the findings arrive (one finding a
// line), so a large report is never held whole.
#pragma once

#include "report_writer.h"
#include "corvel/report/baseline.h"

namespace corvel::cli {

class JsonWriter : public ReportWriter {
public:
    JsonWriter(std::ostream& out, ToolInfo tool) : out_(out), tool_(std::move(tool)) {}

    void beginDictionary(const report::DictionaryHeader& header) override;
    // False once the output failed: nothing more can be written there.
    bool add(report::Finding finding) override;
    void endDictionary(const report::DictionaryOutcome& outcome) override;
    void finish(const report::FindingCounts& total) override;

    static constexpr int kFormatVersion = report::kReportFormatVersion;

private:
    void beginDocument();
    void write();

    std::ostream& out_;
    ToolInfo tool_;
    std::string text_;
    bool begun_ = false;
    bool firstDictionary_ = true;
    bool firstFinding_ = true;
};

}  // namespace corvel::cli
