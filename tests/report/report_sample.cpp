// Writes the reports that the format validation checks: a dictionary of
// each layout that sets off every rule of the analyser (with control
// characters, bytes that are not GBK, quotes and backslashes in its texts
// and a space and Chinese in its name), and every real dictionary found.
// Each report is written twice in every format, the second time with the
// first JSON report as baseline.
//
//   report-sample OUTPUT_FOLDER [REAL_DATA_FOLDER]
#include "report/json_writer.h"
#include "report/report_session.h"
#include "report/sarif_writer.h"
#include "report/text_writer.h"

#include "platform.h"

#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace corvel;

namespace {

std::string crlf(const std::vector<std::string>& utf8Lines)
{
    std::string out;
    for (const std::string& line : utf8Lines)
        out += toGbk(line) + "\r\n";
    return out;
}

const std::vector<std::string> kPairs = {
    "Open %s", "打开 %s",
    "Save {0} files", "保存 ｛０｝ 个文件",
    "Name: ", "名称：",
    "  Indented", "缩进",
    "Level 42", "等级",
    "Two apples", "两个苹果",
    "Open %s", "开启 %s",
    "Quote \"x\" and back\\slash", "引号 \"x\" 和反斜杠\\",
    "Untranslated", "Untranslated",
    "", "空行",
    "English", "中文",
    "翻译一", "Source one",
    "翻译二", "Source two",
    "翻译三", "Source three",
    "Back in step", "回到正轨",
};

std::string pairsDictionary()
{
    // Control bytes, bytes that are not GBK and a lone LF inside the texts
    // of pairs that the placeholder rule flags.
    return crlf(kPairs) + "Control\x01 char\x7F %d\r\n" + toGbk("控制") + "\x1F\x80\xFF %s\r\n" +
           "Line\nbreak %d\r\n" + toGbk("有换行") + "\n %s\r\n";
}

std::string equalsDictionary()
{
    return crlf({"Open %s=打开 ％ｓ", "No equals here", "Key=", "%n=Nick=%n=昵称",
                 "Page @1 of @2=第@1页，共@2页", "<b>Bold</b>=<b>粗体", "Page @1 of @2=第 @1 页"});
}

struct Run {
    report::DictionaryHeader header;
    fs::path path;
};

void writeReports(const std::vector<Run>& runs, const fs::path& folder, const std::string& name,
                  const cli::ReportSettings& settings)
{
    cli::ToolInfo tool;
    tool.version = "0.02";
    tool.baselineUsed = settings.baseline.has_value();
    std::ofstream json(folder / (name + ".json"), std::ios::binary);
    std::ofstream sarif(folder / (name + ".sarif"), std::ios::binary);
    std::ofstream text(folder / (name + ".txt"), std::ios::binary);
    cli::JsonWriter jsonWriter(json, tool);
    cli::SarifWriter sarifWriter(sarif, tool);
    cli::TextWriter textWriter(text);
    cli::ReportSession session(settings, {&jsonWriter, &sarifWriter, &textWriter});
    for (const Run& run : runs) {
        report::DictionaryOutcome outcome;
        outcome.complete = run.header.path.find("sample") == std::string::npos;
        outcome.log.lines = 1;
        std::optional<report::LogStop> stop;
        if (!outcome.complete)
            stop = report::LogStop {report::RuleId::RowOfErrors, 3};
        if (Error e = session.addDictionary(run.header, run.path, outcome, stop))
            std::cerr << "report-sample: " << e.describe() << '\n';
    }
    session.finish();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: report-sample OUTPUT_FOLDER [REAL_DATA_FOLDER]\n";
        return 2;
    }
    fs::path out = argv[1];
    fs::create_directories(out);
    std::vector<Run> runs;
    auto sample = [&](const std::string& name, const std::string& bytes, report::Layout layout) {
        fs::path path = out / fs::u8path(name);
        std::ofstream(path, std::ios::binary) << bytes;
        runs.push_back({{name, layout}, path});
    };
    sample("sample dictionary 样本.txt", pairsDictionary(), report::Layout::LinePairs);
    sample("sample:equals.DAT", equalsDictionary(), report::Layout::Equals);
    if (argc > 2) {
        // A real-data folder that is named must be there: without it the
        // validation would pass on the two samples alone.
        std::error_code error;
        fs::directory_iterator folder(argv[2], error);
        if (error) {
            std::cerr << "report-sample: missing test data: " << argv[2] << ": "
                      << error.message() << '\n';
            return 1;
        }
        for (const auto& entry : folder) {
            std::string name = entry.path().filename().string();
            bool equals = name.ends_with(".eq.txt");
            if (equals || name.ends_with(".pairs.txt"))
                runs.push_back({{entry.path().string(), equals ? report::Layout::Equals
                                                               : report::Layout::LinePairs},
                                entry.path()});
        }
    }
    cli::ReportSettings settings;
    writeReports(runs, out, "report", settings);
    std::string error;
    settings.baseline = report::Baseline::load(out / "report.json", error);
    if (!error.empty()) {
        std::cerr << "report-sample: " << error << '\n';
        return 1;
    }
    writeReports(runs, out, "baseline-report", settings);
    return 0;
}
