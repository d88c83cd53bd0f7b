// The JSON reader, the baseline and the rule options: what is matched,
// what is rejected, what counts toward the exit status.
#include "corvel/report/baseline.h"
#include "corvel/report/finding_tally.h"
#include "formats/json_stream.h"
#include "corvel/report/rule_selection.h"
#include "report/text_hash.h"
#include "report_test_support.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace corvel::report {
namespace {

// The events of a document as words, and the failure last, if any.
class Recorder final : public formats::JsonHandler {
public:
    bool beginObject() override { return put("{"); }
    bool endObject() override { return put("}"); }
    bool beginArray() override { return put("["); }
    bool endArray() override { return put("]"); }
    bool key(std::string&& name) override { return put("key:" + name); }
    bool string(std::string&& text, formats::TextPlace) override { return put("str:" + text); }
    bool scalar(formats::JsonScalar kind, std::string_view number) override
    {
        switch (kind) {
        case formats::JsonScalar::Number: return put("num:" + std::string(number));
        case formats::JsonScalar::True: return put("true");
        case formats::JsonScalar::False: return put("false");
        case formats::JsonScalar::Null: return put("null");
        }
        return false;
    }
    std::vector<std::string> words;

private:
    bool put(std::string word)
    {
        words.push_back(std::move(word));
        return true;
    }
};

using Strings = std::vector<std::string>;

Strings tokens(const std::string& text, std::string* expected = nullptr)
{
    Recorder recorder;
    formats::ReadOutcome outcome = formats::readJsonBytes(text, recorder);
    if (outcome.parse) {
        recorder.words.push_back("error");
        if (expected != nullptr)
            *expected = std::to_string(outcome.parse->place.column) + ": " + outcome.parse->expected;
    }
    return recorder.words;
}

TEST(JsonStream, ReadsTokensAndUnescapesStrings)
{
    EXPECT_EQ(tokens(R"( {"a": [1, -2.5e3, true, false, null], "b": {}, "c": []} )"),
              (Strings {"{", "key:a", "[", "num:1", "num:-2.5e3", "true", "false", "null", "]",
                        "key:b", "{", "}", "key:c", "[", "]", "}"}));
    EXPECT_EQ(tokens(R"(["q\"b\\s\/\n\t\u00e9\u4e2d\ud83d\ude00"])"),
              (Strings {"[", "str:q\"b\\s/\n\t\u00e9\u4e2d\U0001F600", "]"}));
}

TEST(JsonStream, RejectsWhatIsNotJson)
{
    const char* bad[] = {
        "{\"a\" 1}", "{\"a\": 1,}", "[1 2]", "[1,]", "{1: 2}", "[01]", "[1.]", "[-]",
        "[\"a\nb\"]", "[\"\\x\"]", "[\"\\ud800\"]", "[tru]", "[1]]", "{\"a\": 1", "[1] 2", "",
        "[\"unterminated",
    };
    for (const char* text : bad) {
        Strings t = tokens(text);
        ASSERT_FALSE(t.empty()) << text;
        EXPECT_EQ(t.back(), "error") << text;
    }
    std::string expected;
    tokens("[1, x]", &expected);
    EXPECT_EQ(expected, "5: well-formed JSON (invalid literal; last read: '1, x')");
}

std::string report(const std::string& path, const std::string& findings)
{
    return R"({"version": 2, "tool": {"name": "corvel-check"}, "dictionaries": [{"path": ")" +
           path + R"(", "layout": "line-pairs", "findings": [)" + findings +
           R"(], "complete": true}], "summary": {}})";
}

Finding finding(const char* rule, const char* source, const char* translation, int line)
{
    Finding f = makeFinding(*findRule(rule), line);
    f.source = source;
    f.translation = translation;
    return f;
}

TEST(Baseline, MatchesByRuleAndTextsNotByLineAndEachOnlyOnce)
{
    std::string error;
    Baseline baseline = Baseline::parse(
        report("dir/game.txt",
               R"({"rule": "untranslated", "line": 2, "source": "Open", "translation": "Open"},
                  {"rule": "placeholder-mismatch", "line": 9, "source": "%s", "translation": "x", "extra": [1]})"),
        error);
    ASSERT_EQ(error, "");
    test::CollectFindings collect;
    BaselineMarker marker(baseline.forDictionary("./dir/other/../game.txt"), collect);
    marker.add(finding("untranslated", "Open", "Open", 40));          // the line moved
    marker.add(finding("untranslated", "Open", "Open", 42));          // a second one is new
    marker.add(finding("placeholder-mismatch", "%s", "y", 9));        // another translation
    marker.add(finding("number-mismatch", "%s", "x", 9));              // another rule
    marker.add(finding("placeholder-mismatch", "%s", "x", 3));
    std::vector<bool> marked;
    for (const Finding& f : collect.findings)
        marked.push_back(f.baseline);
    EXPECT_EQ(marked, (std::vector<bool> {true, false, false, false, true}));
}

// Texts of any length are matched by digests: a 3 MB translation (escapes
// across the pieces the file is read in) matches only itself. Encoding
// findings of one line differ by column.
TEST(Baseline, LongTextsAreDigestedAndColumnsTellFindingsApart)
{
    std::string longText;
    for (int i = 0; i < 300000; ++i)
        longText += "abc\"中文\n";
    std::string escaped;
    for (int i = 0; i < 300000; ++i)
        escaped += R"(abc\"中文\n)";
    for (std::size_t size : {std::size_t {0}, std::size_t {1}, kFingerprintChunk,
                             kFingerprintChunk + 1, 3 * kFingerprintChunk + 5}) {
        TextFingerprint pieces;
        std::string text = longText.substr(0, size);
        for (std::size_t at = 0; at < size; at += 777)
            pieces.add(std::string_view(text).substr(at, 777));
        EXPECT_EQ(pieces.value(), textFingerprint(text)) << size;
    }

    std::string error;
    Baseline baseline = Baseline::parse(
        report("d.txt", R"({"rule": "untranslated", "source": "Open", "translation": ")" + escaped +
                            R"("}, {"rule": "control-char", "column": 5, "source": "a", "translation": "b"})"),
        error);
    ASSERT_EQ(error, "");
    test::CollectFindings collect;
    BaselineMarker marker(baseline.forDictionary("d.txt"), collect);
    Finding same = finding("untranslated", "Open", "", 3);
    same.translation = longText;
    Finding other = same;
    other.translation.back() = 'x';
    Finding sameColumn = finding("control-char", "a", "b", 7);
    sameColumn.column = 5;
    Finding otherColumn = sameColumn;
    otherColumn.column = 9;
    for (Finding* f : {&other, &same, &otherColumn, &sameColumn})
        marker.add(*f);
    std::vector<bool> marked;
    for (const Finding& f : collect.findings)
        marked.push_back(f.baseline);
    EXPECT_EQ(marked, (std::vector<bool> {false, true, false, true}));
}

TEST(Baseline, FindsTheDictionaryByPathThenByAUniqueFileName)
{
    std::string one = R"({"rule": "untranslated", "source": "a", "translation": "b"})";
    std::string error;
    Baseline baseline = Baseline::parse(
        R"({"dictionaries": [{"path": "zh/game.txt", "findings": [)" + one +
            R"(]}, {"path": "ja/game.txt", "findings": []}, {"path": "menu.DAT", "findings": [)" +
            one + "]}]}",
        error);
    ASSERT_EQ(error, "");
    EXPECT_EQ(baseline.dictionaries(), 3u);
    EXPECT_EQ(baseline.forDictionary("zh/game.txt").size(), 1u);
    EXPECT_EQ(baseline.forDictionary("ja/game.txt").size(), 0u);
    EXPECT_EQ(baseline.forDictionary("other/game.txt").size(), 0u);  // two of that name
    EXPECT_EQ(baseline.forDictionary("/abs/menu.DAT").size(), 1u);
    EXPECT_EQ(baseline.forDictionary("missing.txt").size(), 0u);
}

TEST(Baseline, RejectsWhatIsNotAReport)
{
    const std::pair<const char*, const char*> cases[] = {
        {"[]", "not a JSON object"},
        {"{\"version\": 2}", "no \"dictionaries\" member: not a corvel-check JSON report"},
        {"{\"version\": 1, \"dictionaries\": []}",
         "this baseline was made by an earlier version; make it again"},
        {"{\"dictionaries\": [], \"version\": 3}", "this baseline was made by a later version of corvel-check"},
        {"{\"version\": \"2\", \"dictionaries\": []}", "\"version\" is not a whole number"},
        {"{\"dictionaries\": {}}", "\"dictionaries\" is not an array"},
        {"{\"dictionaries\": [{\"findings\": [{\"source\": \"a\"}]}]}",
         "a finding without \"rule\""},
        {"{\"dictionaries\": [{\"path\": 3}]}", "a dictionary's \"path\" is not a string"},
        {"{\"dictionaries\": [",
         "not JSON: line 1, column 19: expected '[', '{', or a literal (unexpected end of input)"},
    };
    for (const auto& [text, expected] : cases) {
        std::string error;
        Baseline baseline = Baseline::parse(text, error);
        EXPECT_EQ(error, expected) << text;
        EXPECT_EQ(baseline.dictionaries(), 0u);
    }
}

class BaselineFile : public test::TempFolderTest {};

TEST_F(BaselineFile, ReadsAReportFileAndNamesAMissingOne)
{
    auto path = makeFile("base.json", report("g.txt", R"({"rule": "pair-shift"})"));
    std::string error;
    Baseline baseline = Baseline::load(path, error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(baseline.forDictionary("g.txt").size(), 1u);
    Baseline::load(root() / "none.json", error);
    EXPECT_NE(error.find("none.json"), std::string::npos);
}

TEST(RuleSelection, EnableNamesTheOnlyRulesDisableTurnsOff)
{
    std::string error;
    RuleSelection all = RuleSelection::fromLists({}, {}, error);
    EXPECT_TRUE(all.enabled(RuleId::PairShift));
    EXPECT_FALSE(all.enabled(RuleId::OutsideCharset));  // off by default

    RuleSelection some = RuleSelection::fromLists({"pair-shift,outside-charset", "empty-line"},
                                                  {"empty-line"}, error);
    EXPECT_EQ(error, "");
    EXPECT_TRUE(some.enabled(RuleId::PairShift));
    EXPECT_TRUE(some.enabled(RuleId::OutsideCharset));
    EXPECT_FALSE(some.enabled(RuleId::EmptyLine));
    EXPECT_FALSE(some.enabled(RuleId::Untranslated));

    RuleSelection fewer = RuleSelection::fromLists({}, {"untranslated,,number-mismatch"}, error);
    EXPECT_EQ(error, "");
    EXPECT_FALSE(fewer.enabled(RuleId::NumberMismatch));
    EXPECT_TRUE(fewer.enabled(RuleId::EmptyLine));

    RuleSelection::fromLists({}, {"untranslated,no-such-rule"}, error);
    EXPECT_EQ(error, "unknown rule \"no-such-rule\"");
}

TEST(FindingTally, CountsWhatFailsTheExitStatus)
{
    FailOn failOn = FailOn::Error;
    EXPECT_TRUE(parseFailOn("warning", failOn));
    EXPECT_EQ(failOn, FailOn::Warning);
    EXPECT_FALSE(parseFailOn("note", failOn));

    for (FailOn policy : {FailOn::Error, FailOn::Warning}) {
        test::CollectFindings collect;
        FindingTally tally(collect, policy);
        tally.add(finding("whitespace-mismatch", "a ", "b", 2));
        Finding old = finding("untranslated", "a", "a", 4);
        old.baseline = true;
        tally.add(old);
        EXPECT_EQ(tally.counts().errors, 1);
        EXPECT_EQ(tally.counts().warnings, 1);
        EXPECT_EQ(tally.counts().baseline, 1);
        EXPECT_EQ(tally.failed(), policy == FailOn::Warning);
        EXPECT_EQ(collect.findings.size(), 2u);
        tally.add(finding("untranslated", "b", "b", 6));
        EXPECT_TRUE(tally.failed());
    }
}

}  // namespace
}  // namespace corvel::report
