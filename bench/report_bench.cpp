// Times the report on one dictionary in-process: the analyser with every
// rule on, its findings written by the JSON writer (or counted only), and
// what the consistency rule keeps.
//
//   report-bench pairs|equals DICTIONARY [json|count] [OUTPUT] [--disable RULES]
#include "report/json_writer.h"
#include "report/report_session.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

using namespace corvel;

namespace {

class CountOnly : public cli::ReportWriter {
public:
    void beginDictionary(const report::DictionaryHeader&) override {}
    bool add(report::Finding) override
    {
        ++count;
        return true;
    }
    void endDictionary(const report::DictionaryOutcome&) override {}
    void finish(const report::FindingCounts&) override {}
    long count = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: report-bench pairs|equals DICTIONARY [json|count] [OUTPUT]\n");
        return 2;
    }
    corvel::Layout layout = std::strcmp(argv[1], "equals") == 0 ? corvel::Layout::Equals
                                                                 : corvel::Layout::LinePairs;
    bool json = argc < 4 || std::strcmp(argv[3], "json") == 0;
    std::ofstream file(argc > 4 ? argv[4] : "/dev/null", std::ios::binary);
    cli::ToolInfo tool;
    tool.version = "bench";
    cli::JsonWriter jsonWriter(file, tool);
    CountOnly counter;
    cli::ReportWriter& writer = json ? static_cast<cli::ReportWriter&>(jsonWriter) : counter;
    cli::ReportSettings settings;
    if (argc > 6 && std::strcmp(argv[5], "--disable") == 0) {
        std::string error;
        settings.rules = report::RuleSelection::fromLists({}, {argv[6]}, error);
        if (!error.empty()) {
            std::cerr << "report-bench: " << error << '\n';
            return 2;
        }
    }
    cli::ReportSession session(settings, {&writer});
    report::AnalysisStats stats;
    auto start = std::chrono::steady_clock::now();
    Error error = session.addDictionary({argv[2], layout}, argv[2], {}, std::nullopt, &stats);
    session.finish();
    file.flush();
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
    if (error) {
        std::cerr << "report-bench: " << error.describe() << '\n';
        return 2;
    }
    const report::FindingCounts& c = session.total();
    std::printf("%.1f ms, %d lines, %lld errors, %lld warnings, %zu distinct sources, "
                "%.2f MB kept by the consistency rule (%.1f bytes a source)\n",
                ms, stats.lines, static_cast<long long>(c.errors),
                static_cast<long long>(c.warnings), stats.distinctSources,
                stats.consistencyBytes / 1e6,
                stats.distinctSources ? double(stats.consistencyBytes) / stats.distinctSources : 0.0);
    return 0;
}
