// The three writers, read back: JSON and SARIF parsed with the engine's
// JSON parser, text compared line by line; and a whole session with a
// baseline made from its own first report.
#include "report/json_writer.h"
#include "report/report_session.h"
#include "report/sarif_writer.h"
#include "report/text_writer.h"

#include "formats/json_stream.h"
#include "corvel/report/rule_catalogue.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>
#include <variant>

namespace corvel::cli {
namespace {

// A parsed JSON value, enough to look into a report.
struct Json {
    std::variant<std::nullptr_t, bool, std::string, std::vector<Json>, std::map<std::string, Json>>
        value;
    bool isNumber = false;

    const Json& operator[](const std::string& key) const
    {
        static const Json missing;
        const auto* object = std::get_if<std::map<std::string, Json>>(&value);
        if (object == nullptr || object->count(key) == 0)
            return missing;
        return object->at(key);
    }
    const Json& operator[](std::size_t i) const { return array().at(i); }
    const std::vector<Json>& array() const { return std::get<std::vector<Json>>(value); }
    const std::string& text() const { return std::get<std::string>(value); }
    bool has(const std::string& key) const
    {
        const auto* object = std::get_if<std::map<std::string, Json>>(&value);
        return object != nullptr && object->count(key) != 0;
    }
    long number() const { return std::stol(text()); }
    bool boolean() const { return std::get<bool>(value); }
};

// Builds the tree of a document from its events.
class TreeBuilder final : public formats::JsonHandler {
public:
    bool beginObject() override { return open(std::map<std::string, Json> {}); }
    bool beginArray() override { return open(std::vector<Json> {}); }
    bool endObject() override { return close(); }
    bool endArray() override { return close(); }
    bool key(std::string&& name) override
    {
        keys_.back() = std::move(name);
        EXPECT_FALSE(open_.back()->has(keys_.back())) << "duplicate member " << keys_.back();
        return true;
    }
    bool string(std::string&& text, formats::TextPlace) override
    {
        Json j;
        j.value = std::move(text);
        place(std::move(j));
        return true;
    }
    bool scalar(formats::JsonScalar kind, std::string_view number) override
    {
        Json j;
        if (kind == formats::JsonScalar::Number) {
            j.value = std::string(number);
            j.isNumber = true;
        } else if (kind != formats::JsonScalar::Null) {
            j.value = kind == formats::JsonScalar::True;
        }
        place(std::move(j));
        return true;
    }
    Json root;

private:
    template <typename Container>
    bool open(Container empty)
    {
        Json j;
        j.value = std::move(empty);
        open_.push_back(place(std::move(j)));
        keys_.emplace_back();
        return true;
    }
    bool close()
    {
        open_.pop_back();
        keys_.pop_back();
        return true;
    }
    Json* place(Json j)
    {
        if (open_.empty()) {
            root = std::move(j);
            return &root;
        }
        Json& parent = *open_.back();
        if (auto* array = std::get_if<std::vector<Json>>(&parent.value)) {
            array->push_back(std::move(j));
            return &array->back();
        }
        auto& object = std::get<std::map<std::string, Json>>(parent.value);
        return &(object[keys_.back()] = std::move(j));
    }

    std::vector<Json*> open_;
    std::vector<std::string> keys_;
};

Json parse(const std::string& text)
{
    TreeBuilder builder;
    formats::ReadOutcome outcome = formats::readJsonBytes(text, builder);
    EXPECT_FALSE(outcome.parse.has_value()) << outcome.parse->expected;
    return std::move(builder.root);
}

report::Finding sampleFinding(int line)
{
    report::Finding f = report::makeFinding(report::RuleId::PlaceholderMismatch, line);
    f.column = 9;
    f.characterColumn = 7;
    f.source = "Control\x01 \"q\" \\ %d\n";
    f.translation = "控制\\xFF %s";
    f.message = "not in the source: \"%s\"";
    return f;
}

report::Finding plainFinding(int line)
{
    report::Finding f = report::makeFinding(report::RuleId::WhitespaceMismatch, line);
    f.source = "Name ";
    f.translation = "名称";
    f.message = "the source ends with 1 space, the translation with none";
    return f;
}

// Writes two dictionaries (the second without findings) through `writer`.
void writeSample(ReportWriter& writer)
{
    writer.beginDictionary({"dir/字典 1.txt", corvel::Layout::LinePairs});
    writer.add(sampleFinding(4));
    report::Finding old = plainFinding(6);
    old.baseline = true;
    writer.add(old);
    report::DictionaryOutcome outcome;
    outcome.lines = 8;
    outcome.complete = false;
    outcome.log = {5, 1, 0, 2};
    outcome.logPath = "/out/字典 1/字典 1.log";
    outcome.findings = {1, 1, 1, 1};
    writer.endDictionary(outcome);
    writer.beginDictionary({"menu.DAT", corvel::Layout::Equals});
    report::DictionaryOutcome clean;
    clean.lines = 3;
    writer.endDictionary(clean);
    writer.finish({1, 1, 1, 1});
}

ToolInfo tool()
{
    ToolInfo t;
    t.version = "0.02";
    return t;
}

TEST(JsonWriter, WritesTheDocumentTheSchemaDescribes)
{
    std::ostringstream out;
    JsonWriter writer(out, tool());
    writeSample(writer);
    Json report = parse(out.str());
    EXPECT_EQ(report["version"].number(), 2);
    EXPECT_EQ(report["tool"]["name"].text(), "corvel-check");
    ASSERT_EQ(report["dictionaries"].array().size(), 2u);
    const Json& d = report["dictionaries"][0];
    EXPECT_EQ(d["path"].text(), "dir/字典 1.txt");
    EXPECT_EQ(d["layout"].text(), "line-pairs");
    EXPECT_EQ(d["lines"].number(), 8);
    EXPECT_FALSE(d["complete"].boolean());
    EXPECT_EQ(d["log"]["path"].text(), "/out/字典 1/字典 1.log");
    EXPECT_EQ(d["log"]["erroneous"].number(), 1);
    EXPECT_EQ(d["log"]["untranslated"].number(), 2);
    EXPECT_EQ(d["summary"]["failing"].number(), 1);
    const Json& f = d["findings"][0];
    EXPECT_EQ(f["rule"].text(), "placeholder-mismatch");
    EXPECT_EQ(f["severity"].text(), "error");
    EXPECT_EQ(f["line"].number(), 4);
    EXPECT_EQ(f["column"].number(), 9);
    EXPECT_EQ(f["characterColumn"].number(), 7);
    EXPECT_EQ(f["source"].text(), sampleFinding(4).source);  // every byte back
    EXPECT_EQ(f["translation"].text(), "控制\\xFF %s");
    EXPECT_EQ(f["message"].text(), sampleFinding(4).message);
    EXPECT_FALSE(f["baseline"].boolean());
    const Json& g = d["findings"][1];
    EXPECT_FALSE(g.has("column"));
    EXPECT_EQ(g["severity"].text(), "warning");
    EXPECT_TRUE(g["baseline"].boolean());
    EXPECT_EQ(report["dictionaries"][1]["findings"].array().size(), 0u);
    EXPECT_TRUE(report["dictionaries"][1]["complete"].boolean());
    EXPECT_FALSE(report["dictionaries"][1]["log"].has("path"));
    EXPECT_EQ(report["summary"]["errors"].number(), 1);
}

TEST(JsonWriter, AnInvocationWithoutDictionariesIsStillADocument)
{
    std::ostringstream out;
    JsonWriter writer(out, tool());
    writer.finish({});
    Json report = parse(out.str());
    EXPECT_EQ(report["dictionaries"].array().size(), 0u);
    EXPECT_EQ(report["summary"]["errors"].number(), 0);
}

TEST(SarifWriter, OneRunWithEveryRuleAndAResultPerFinding)
{
    std::ostringstream out;
    ToolInfo t = tool();
    t.baselineUsed = true;
    SarifWriter writer(out, t);
    writeSample(writer);
    Json sarif = parse(out.str());
    EXPECT_EQ(sarif["version"].text(), "2.1.0");
    ASSERT_EQ(sarif["runs"].array().size(), 1u);
    const Json& run = sarif["runs"][0];
    const Json& driver = run["tool"]["driver"];
    EXPECT_EQ(driver["name"].text(), "corvel-check");
    ASSERT_EQ(driver["rules"].array().size(), report::kRuleCount);
    for (const report::RuleInfo& rule : report::ruleCatalogue()) {
        const Json& r = driver["rules"][static_cast<std::size_t>(rule.id)];
        EXPECT_EQ(r["id"].text(), rule.name);
        EXPECT_EQ(r["fullDescription"]["text"].text(), rule.description);
        EXPECT_EQ(r["defaultConfiguration"]["level"].text(),
                  rule.severity == report::Severity::Error ? "error" : "warning");
    }
    EXPECT_EQ(run["columnKind"].text(), "unicodeCodePoints");
    ASSERT_EQ(run["results"].array().size(), 2u);
    const Json& r = run["results"][0];
    EXPECT_EQ(r["ruleId"].text(), "placeholder-mismatch");
    EXPECT_EQ(r["ruleIndex"].number(), static_cast<long>(report::RuleId::PlaceholderMismatch));
    EXPECT_EQ(r["level"].text(), "error");
    EXPECT_EQ(r["message"]["text"].text(), "Not in the source: \"%s\".");
    const Json& location = r["locations"][0]["physicalLocation"];
    EXPECT_EQ(location["artifactLocation"]["uri"].text(), "dir/%E5%AD%97%E5%85%B8%201.txt");
    EXPECT_EQ(location["region"]["startLine"].number(), 4);
    EXPECT_EQ(location["region"]["startColumn"].number(), 7);  // in characters
    EXPECT_EQ(r["baselineState"].text(), "new");
    EXPECT_EQ(r["properties"]["source"].text(), sampleFinding(4).source);
    EXPECT_EQ(run["results"][1]["baselineState"].text(), "unchanged");
    EXPECT_FALSE(run["results"][1]["locations"][0]["physicalLocation"]["region"].has("startColumn"));
    EXPECT_EQ(r["partialFingerprints"]["corvelFinding/v2"].text().size(), 16u);
}

TEST(TextWriter, OneLinePerFindingThenTheSummaries)
{
    std::ostringstream out;
    TextWriter writer(out);
    writeSample(writer);
    EXPECT_EQ(out.str(),
              "dir/字典 1.txt:4: error: placeholder-mismatch: not in the source: \"%s\"\n"
              "dir/字典 1.txt:6: note: whitespace-mismatch: the source ends with 1 space, the "
              "translation with none (baseline)\n"
              "dir/字典 1.txt: 8 lines, 1 error, 1 warning, 1 in baseline; the check log stopped "
              "early\n"
              "menu.DAT: 3 lines, 0 errors, 0 warnings\n"
              "total: 2 dictionaries, 1 error, 1 warning, 1 in baseline\n");
}

TEST(TextWriter, ANameWithALineBreakStaysOnOneLine)
{
    std::ostringstream out;
    TextWriter writer(out);
    writer.beginDictionary({"odd\nname.txt", corvel::Layout::LinePairs});
    report::Finding f = plainFinding(2);
    f.message = "first\nsecond";
    writer.add(f);
    EXPECT_EQ(out.str(), "odd\\nname.txt:2: warning: whitespace-mismatch: first\\nsecond\n");
}

class Session : public test::TempFolderTest {};

TEST_F(Session, ASecondRunWithTheFirstReportAsBaselineFailsNothing)
{
    auto path = makeFile("game.txt", test::gbkLines({"Open %s", "打开", "Level 3", "等级",
                                                     "Open %s", "打开 %s"}));
    ReportSettings settings;
    std::ostringstream first;
    std::ostringstream firstCopy;
    {
        JsonWriter json(first, tool());
        JsonWriter copy(firstCopy, tool());
        ReportSession session(settings, {&json, &copy});
        EXPECT_FALSE(session.addDictionary({"game.txt", corvel::Layout::LinePairs}, path, {},
                                           std::nullopt));
        session.finish();
        EXPECT_TRUE(session.failed());
        EXPECT_EQ(session.total().errors, 1);
        EXPECT_EQ(session.total().warnings, 2);
    }
    EXPECT_EQ(first.str(), firstCopy.str());
    std::string error;
    settings.baseline = report::Baseline::parse(first.str(), error);
    ASSERT_EQ(error, "");
    settings.failOn = report::FailOn::Warning;
    std::ostringstream second;
    JsonWriter json(second, tool());
    ReportSession session(settings, {&json});
    EXPECT_FALSE(session.addDictionary({"./game.txt", corvel::Layout::LinePairs}, path, {},
                                       std::nullopt));
    session.finish();
    EXPECT_FALSE(session.failed());
    EXPECT_EQ(session.total().baseline, 3);
    Json report = parse(second.str());
    for (const Json& f : report["dictionaries"][0]["findings"].array())
        EXPECT_TRUE(f["baseline"].boolean());
}

}  // namespace
}  // namespace corvel::cli
