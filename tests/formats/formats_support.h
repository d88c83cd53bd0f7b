// What the format tests share: a translation file written to a fresh
// folder and run through the report, its findings kept as "rule@line".
#pragma once

#include "corvel/display_path.h"
#include "corvel/report/analysis.h"
#include "corvel/report/rule_catalogue.h"
#include "test_support.h"

#include <string>
#include <vector>

namespace corvel::test {

struct EntryReport {
    std::vector<report::Finding> findings;
    report::EntryCounts entries;
    Error error;

    // "rule@line" of every finding, in order.
    std::vector<std::string> brief() const
    {
        std::vector<std::string> out;
        for (const report::Finding& f : findings)
            out.push_back(std::string(report::ruleInfo(f.rule).name) + "@" + std::to_string(f.line));
        return out;
    }
};

class Collect : public report::FindingSink {
public:
    explicit Collect(std::vector<report::Finding>& into) : into_(into) {}
    bool add(report::Finding finding) override
    {
        into_.push_back(std::move(finding));
        return true;
    }

private:
    std::vector<report::Finding>& into_;
};

class FormatTest : public TempFolderTest {
protected:
    EntryReport reportOf(FileFormat format, std::string_view translation,
                         std::optional<std::string_view> source = std::nullopt,
                         report::ReportSettings settings = {})
    {
        report::TranslationFiles files;
        files.format = format;
        files.translation = makeFile("translation.file", translation);
        if (source)
            files.source = makeFile("source.file", *source);
        report::DictionaryHeader header;
        header.path = "translation.file";
        header.format = format;
        EntryReport out;
        Collect sink(out.findings);
        report::FindingCounts counts;
        out.error = report::analyseTranslationFile(header, files, settings, sink, counts, out.entries);
        return out;
    }
};

}  // namespace corvel::test
