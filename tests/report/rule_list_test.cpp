// The rule table as corvel-check --list-rules prints it, held against the
// rule files; the generated docs held to the registry; the rules'
// examples run.
#include "checker.h"
#include "rule_docs.h"
#include "test_support.h"
#include "corvel/report/rule_catalogue.h"
#include "report/line_kinds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
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

// The first line where the committed text differs from the generated one,
// both shown; empty when they are the same.
std::string firstDifference(const std::string& committed, const std::string& generated)
{
    const std::vector<std::string> was = lines(committed), is = lines(generated);
    for (std::size_t i = 0; i < std::max(was.size(), is.size()); ++i) {
        const std::string left = i < was.size() ? was[i] : "(none)";
        const std::string right = i < is.size() ? is[i] : "(none)";
        if (left != right)
            return "line " + std::to_string(i + 1) + " is\n  " + left + "\nand should be\n  " +
                   right;
    }
    return committed == generated ? "" : "the last line's end differs";
}

// The generated parts of docs/, and the rules' examples, run in the
// test's own folder.
class RuleDocs : public test::TempFolderTest {};

// The committed docs are what the generator writes from the registry: the
// rule table and the rule sections of report.md, the schema's rule list.
TEST_F(RuleDocs, CommittedDocsAreGenerated)
{
    const struct {
        const char* file;
        std::function<std::string(std::string_view)> generate;
    } cases[] = {
        {"report.md", [&](std::string_view doc) { return docs::generateReportDoc(doc, root()); }},
        {"report.schema.json", docs::generateSchema},
    };
    for (const auto& c : cases) {
        const std::string committed = readDoc(c.file);
        ASSERT_FALSE(committed.empty()) << c.file;
        EXPECT_EQ(firstDifference(committed, c.generate(committed)), "")
            << "docs/" << c.file << " is not what the rules say: run " << docs::kRegenerate;
    }
}

// The generated docs follow the registry: each rule has its row and its
// section, in ID order, and its firing examples their findings.
TEST_F(RuleDocs, EveryRuleHasItsRowAndSection)
{
    const std::string doc = docs::generateReportDoc(readDoc("report.md"), root());
    std::size_t row = 0, section = 0;
    for (const RuleInfo& rule : ruleCatalogue()) {
        std::string name = "`";
        name += rule.name;
        name += '`';
        row = doc.find("| " + name, row);
        section = doc.find("### " + name, section);
        ASSERT_NE(row, std::string::npos) << name;
        ASSERT_NE(section, std::string::npos) << name;
        EXPECT_NE(doc.find(std::string(rule.description), section), std::string::npos) << name;
        // What the firing examples gave, inside the rule's own section.
        std::string mark = rule.severity == Severity::Error ? ": error: " : ": warning: ";
        mark += rule.name;
        mark += ": ";
        EXPECT_LT(doc.find(mark, section), doc.find("\n### ", section + 1)) << name;
    }
    const std::string schema = docs::generateSchema(readDoc("report.schema.json"));
    std::size_t at = schema.find("\"rule\": {");
    for (const RuleInfo& rule : ruleCatalogue()) {
        std::string quoted = "\"";
        quoted += rule.name;
        quoted += '"';
        at = schema.find(quoted, at);
        ASSERT_NE(at, std::string::npos) << rule.name;
    }
}

// Every rule's examples, run through the checker as the docs show them: a
// firing example gives the rule's finding and a near miss does not, so the
// docs cannot say what the rule does not do.
TEST_F(RuleDocs, ExamplesFireAsTheDocsSay)
{
    int number = 0;
    for (const RuleInfo& rule : ruleCatalogue()) {
        const std::string name(rule.name);
        EXPECT_TRUE(std::ranges::any_of(rule.examples, &RuleExample::fires)) << name;
        EXPECT_FALSE(std::ranges::all_of(rule.examples, &RuleExample::fires)) << name;
        for (const RuleExample& example : rule.examples) {
            const docs::ExampleRun run =
                docs::runExample(rule, example, makeFolder("example" + std::to_string(++number)));
            EXPECT_NE(run.status, 2) << name << ": " << run.errors;
            EXPECT_EQ(!run.findings.empty(), example.fires)
                << name << (example.fires ? ": no finding on " : ": a finding on the near miss ")
                << "\"" << example.source << "\" / \"" << example.translation << "\"";
        }
    }
}

}  // namespace
}  // namespace corvel::report
