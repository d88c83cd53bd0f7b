// The rule table as corvel-check --list-rules prints it, held against the
// rule files, docs/report.md's table and the JSON schema's rule list.
#include "checker.h"
#include "corvel/report/rule_catalogue.h"
#include "report/line_kinds.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace corvel::report {
namespace {

std::string listRules(const std::string& option)
{
    std::ostringstream out, err;
    EXPECT_EQ(cli::runChecker({option}, out, err), 0) << err.str();
    return out.str();
}

std::string readDoc(const char* name)
{
    std::ifstream in(std::string(CORVEL_DOCS_DIR) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

// One row of the table: ID, severity, default, summary.
std::vector<std::string> splitListLine(const std::string& line)
{
    std::istringstream in(line);
    std::string id, severity, onOff;
    in >> id >> severity >> onOff;
    std::string summary;
    std::getline(in >> std::ws, summary);
    return {id, severity, onOff, summary};
}

TEST(RuleList, TableFollowsTheRegistryInIdOrder)
{
    std::set<std::string_view> names;
    std::size_t index = 0;
    for (const RuleInfo& rule : ruleCatalogue()) {
        EXPECT_EQ(static_cast<std::size_t>(rule.id), index++) << rule.name;
        EXPECT_TRUE(names.insert(rule.name).second) << "twice: " << rule.name;
        EXPECT_NE(rule.firesOn, 0u) << rule.name << " fires on nothing";
        EXPECT_FALSE(rule.summary.empty() || rule.description.empty()) << rule.name;
        EXPECT_EQ(findRule(rule.name), rule.id);
    }
    EXPECT_EQ(index, kRuleCount);
}

// A rule has the hook of each kind it fires on: who reports a rule of a
// line's class, of the bytes or of a pair's signs is its own file.
TEST(RuleList, EachRuleHasTheHookOfWhatItFiresOn)
{
    unsigned tested = 0;  // the kinds a pair's test decides
#define CORVEL_TESTED_KIND(kind, name, test) tested |= test != nullptr ? k##kind : 0u;
    CORVEL_LINE_KINDS(CORVEL_TESTED_KIND)
#undef CORVEL_TESTED_KIND
    struct Hook {
        const char* name;
        unsigned kinds;
        bool (*has)(const RuleInfo&);
    };
    constexpr unsigned kLineHookKinds = kOnEmpty | kOnErroneous | kOnUntranslated | kOnNoEquals |
                                        kOnLogStop | kOnLongLine | kOnPairRun;
    const Hook hooks[] = {
        {"checkLine", kLineHookKinds, [](const RuleInfo& r) { return r.checkLine != nullptr; }},
        {"describeBytes", kOnBytes, [](const RuleInfo& r) { return r.describeBytes != nullptr; }},
        {"checkPair", tested, [](const RuleInfo& r) { return r.checkPair != nullptr; }},
    };
    for (const RuleInfo& rule : ruleCatalogue()) {
        // A pair against the others: of the dictionary, or a key of a
        // translation file against its source (a line rule).
        const bool againstOthers = (rule.firesOn & kOnPair) != 0;
        EXPECT_EQ(rule.checkDictionary != nullptr,
                  againstOthers && rule.id == RuleId::InconsistentTranslation)
            << rule.name;
        for (const Hook& hook : hooks)
            EXPECT_EQ(hook.has(rule), (rule.firesOn & hook.kinds) != 0 ||
                                          (hook.kinds == kLineHookKinds && againstOthers &&
                                           rule.checkDictionary == nullptr))
                << rule.name << " and " << hook.name;
    }
}

TEST(RuleList, EveryKindHasItsOwnName)
{
    std::set<std::string_view> names;
    for (std::size_t bit = 0; bit < kLineKindCount; ++bit) {
        std::vector<std::string_view> one = lineKindNames(1u << bit);
        ASSERT_EQ(one.size(), 1u) << bit;
        EXPECT_TRUE(names.insert(one[0]).second) << "twice: " << one[0];
    }
    EXPECT_EQ(lineKindNames(~0u).size(), kLineKindCount);
    EXPECT_EQ(lineKindNames(kOnPlaceholder | kOnDoubleSpace),
              (std::vector<std::string_view> {"placeholder", "double-space"}));
}

TEST(RuleList, TextAndJsonListEveryRule)
{
    std::vector<std::string> text = lines(listRules("--list-rules"));
    std::string json = listRules("--list-rules=json");
    ASSERT_EQ(text.size(), kRuleCount);
    for (std::size_t i = 0; i < kRuleCount; ++i) {
        const RuleInfo& rule = ruleCatalogue()[i];
        EXPECT_EQ(splitListLine(text[i]),
                  (std::vector<std::string> {std::string(rule.name),
                                             rule.severity == Severity::Error ? "error" : "warning",
                                             rule.onByDefault ? "on" : "off",
                                             std::string(rule.summary)}));
        EXPECT_NE(json.find("{\"id\": \"" + std::string(rule.name) + "\""), std::string::npos)
            << rule.name;
    }
    EXPECT_NE(json.find("\"firesOn\": [\"placeholder\"]"), std::string::npos);
}

TEST(RuleList, DocsTableIsTheListedTable)
{
    std::vector<std::vector<std::string>> documented;
    for (const std::string& line : lines(readDoc("report.md"))) {
        if (line.rfind("| `", 0) != 0)
            continue;
        // | `id` | severity | on | summary |
        std::vector<std::string> cells;
        std::size_t at = 1;
        for (std::size_t bar; (bar = line.find(" |", at)) != std::string::npos; at = bar + 2)
            cells.push_back(line.substr(at + 1, bar - at - 1));
        ASSERT_EQ(cells.size(), 4u) << line;
        cells[0] = cells[0].substr(1, cells[0].size() - 2);  // the backquotes
        documented.push_back(cells);
    }
    std::vector<std::vector<std::string>> listed;
    for (const std::string& line : lines(listRules("--list-rules")))
        listed.push_back(splitListLine(line));
    EXPECT_EQ(documented, listed);
}

TEST(RuleList, SchemaEnumIsTheListedIds)
{
    std::string schema = readDoc("report.schema.json");
    std::size_t at = schema.find("\"rule\": {");
    ASSERT_NE(at, std::string::npos);
    at = schema.find("\"enum\": [", at);
    const std::size_t end = schema.find(']', at);
    std::vector<std::string> ids;
    for (std::size_t q = schema.find('"', at + 8); q < end; q = schema.find('"', q + 1)) {
        const std::size_t close = schema.find('"', q + 1);
        ids.push_back(schema.substr(q + 1, close - q - 1));
        q = close;
    }
    std::vector<std::string> listed;
    for (const std::string& line : lines(listRules("--list-rules")))
        listed.push_back(splitListLine(line)[0]);
    EXPECT_EQ(ids, listed);
}

}  // namespace
}  // namespace corvel::report
