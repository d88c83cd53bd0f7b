#include "report_check.h"

#include "encoding/file_kind.h"
#include "corvel/report/baseline.h"
#include "formats/json_stream.h"
#include "report/json_writer.h"
#include "report/report_session.h"
#include "report/sarif_writer.h"
#include "report/text_writer.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace corvel::fuzz {

namespace {

void require(bool ok, const char* what, const std::string& detail = {})
{
    if (ok)
        return;
    std::fprintf(stderr, "report violated: %s\n%s\n", what, detail.c_str());
    std::abort();
}

// Every rule on or off by a bit of the seed (about one input in four has
// every rule on).
report::RuleSelection rulesFrom(std::uint64_t seed)
{
    report::RuleSelection rules;
    if ((seed & 3) == 0)
        return rules;
    for (const report::RuleInfo& info : report::ruleCatalogue())
        rules.set(info.id, ((seed >> (2 + static_cast<unsigned>(info.id))) & 1) != 0);
    return rules;
}

std::optional<report::LogStop> stopOf(const RunReport& run)
{
    if (run.ending == RunEnding::EmptyLineStop)
        return report::LogStop {report::RuleId::StoppedAtEmptyLine, run.lines};
    if (run.ending == RunEnding::SeriousErrorStop)
        return report::LogStop {report::RuleId::RowOfErrors, run.lines};
    return std::nullopt;
}

// How often each key of a JSON document occurs, and the numbers of its
// "line" members in order.
class KeyCounter final : public formats::JsonHandler {
public:
    bool beginObject() override { return true; }
    bool endObject() override { return true; }
    bool beginArray() override { return true; }
    bool endArray() override { return true; }
    bool key(std::string&& name) override
    {
        ++keys[name];
        last_ = std::move(name);
        return true;
    }
    bool string(std::string&&, formats::TextPlace) override { return true; }
    bool scalar(formats::JsonScalar kind, std::string_view number) override
    {
        if (kind == formats::JsonScalar::Number && last_ == "line")
            lines.push_back(std::stoll(std::string(number)));
        return true;
    }
    std::map<std::string, int> keys;
    std::vector<std::int64_t> lines;

private:
    std::string last_;
};

// Parses a whole JSON document.
KeyCounter keysOf(const std::string& text, const char* format)
{
    KeyCounter counter;
    formats::ReadOutcome outcome = formats::readJsonBytes(text, counter);
    require(!outcome.parse, format, outcome.parse ? outcome.parse->expected : std::string());
    return counter;
}

}  // namespace

void checkReports(const std::filesystem::path& dictionary, Layout layout, const RunReport& run,
                  std::uint64_t seed)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(dictionary, ec))
        return;
    cli::ReportSettings settings;
    settings.rules = rulesFrom(seed);
    settings.failOn = (seed >> 40) & 1 ? report::FailOn::Warning : report::FailOn::Error;
    cli::ToolInfo tool;
    tool.version = "0";
    std::ostringstream json, sarif, text;
    cli::JsonWriter jsonWriter(json, tool);
    cli::SarifWriter sarifWriter(sarif, tool);
    cli::TextWriter textWriter(text);
    cli::ReportSession session(settings, {&jsonWriter, &sarifWriter, &textWriter});
    report::DictionaryHeader header;
    header.path = "d\n\"x\".txt";  // a name that needs escaping in every format
    header.layout = layout;
    report::DictionaryOutcome outcome;
    outcome.complete = !stopOf(run);
    // Read as the seed picks, what the file is found out first.
    const encoding::EncodingChoice choices[] = {encoding::EncodingChoice::Gbk,
                                                encoding::EncodingChoice::Gb18030,
                                                encoding::EncodingChoice::Utf8,
                                                encoding::EncodingChoice::Auto};
    encoding::ScanSettings reading;
    if (Error e = encoding::detectFileKind(dictionary, reading.kind))
        return;
    reading.encoding = encoding::resolveEncoding(choices[(seed >> 48) & 3], reading.kind);
    reading.lineEnds = (seed >> 50) & 1 ? LineEnds::Any : LineEnds::CrLf;
    reading.charset = (seed >> 51) & 1 ? encoding::Charset::Gb2312 : encoding::Charset::Any;
    if (Error e = session.addDictionary(header, dictionary, outcome, stopOf(run), nullptr, reading))
        return;
    session.finish();
    const std::int64_t findings = session.total().errors + session.total().warnings;

    std::string error;
    report::Baseline baseline = report::Baseline::parse(json.str(), error);
    require(error.empty(), "the JSON report does not read back", error + "\n" + json.str());
    KeyCounter jsonRead = keysOf(json.str(), "the JSON report does not parse");
    auto& jsonKeys = jsonRead.keys;
    require(jsonKeys["rule"] == findings, "the JSON report lists another number of findings");

    auto sarifKeys = keysOf(sarif.str(), "the SARIF report does not parse").keys;
    for (const char* member : {"version", "runs", "tool", "driver", "name", "results"})
        require(sarifKeys[member] >= 1, "the SARIF report lacks a required member", member);
    require(sarif.str().find("\"version\": \"2.1.0\"") != std::string::npos,
            "the SARIF report is not version 2.1.0");
    require(sarifKeys["ruleId"] == findings && sarifKeys["message"] >= findings,
            "the SARIF report has another number of results", sarif.str());

    std::int64_t lines = 0;
    for (char c : text.str())
        lines += c == '\n' ? 1 : 0;
    require(lines == findings + 1, "the text report is not one line per finding", text.str());
    // Findings come in line order, the encoding ones merged in.
    std::int64_t last = 0;
    for (std::int64_t line : jsonRead.lines) {
        require(line >= last, "the findings are not in line order", json.str());
        last = line;
    }
}

}  // namespace corvel::fuzz
