// The JSON locale reader: key paths of nested objects and arrays, texts in
// the rules' form, places, and malformed files.
#include "formats/json_locale_reader.h"
#include "reader_support.h"

#include <gtest/gtest.h>

namespace corvel::test {
namespace {

using Strings = std::vector<std::string>;

struct Case {
    const char* name;
    std::string document;
    Strings expected;
};

TEST(JsonLocaleReader, Table)
{
    const Case cases[] = {
        {"a flat object, each text placed after its quote",
         "{\n  \"open\": \"打开\",\n  \"close\": \"关闭\"\n}\n",
         {"open: 打开 @{打开}", "close: 关闭 @{关闭}"}},
        {"nested objects keyed by dotted paths",
         R"({"menu": {"file": {"open": "打开"}, "edit": "编辑"}, "top": "顶"})",
         {"menu.file.open: 打开 @{打开}", "menu.edit: 编辑 @{编辑}", "top: 顶 @{顶}"}},
        {"arrays indexed, numbers and booleans passed over but counted",
         R"({"days": ["一", 2, true, "四"], "list": [{"a": "甲"}, ["乙"]]})",
         {"days[0]: 一 @{一}", "days[3]: 四 @{四}", "list[0].a: 甲 @{甲}",
          "list[1][0]: 乙 @{乙}"}},
        {"escapes decoded, line breaks and tabs as escapes, a BOM before the object",
         "\xEF\xBB\xBF{\"e\": \"\\\"引\\\" \\u4e2d\\n\\t\\\\\"}",
         {"e: \"引\" 中\\n\\t\\ @{\\\"}"}},
        {"a key with dots is kept as it is",
         R"({"a.b": "x", "c": {"d.e": "y"}})", {"a.b: x @{x}", "c.d.e: y @{y}"}},
        {"a top-level array and a top-level string",
         R"(["x", "y"])", {"[0]: x @{x}", "[1]: y @{y}"}},
        {"an empty text is handed on",
         R"({"e": ""})", {"e:  @1:8"}},
        {"a trailing comma",
         "{\n  \"a\": \"x\",\n}", {"a: x @{x}", "ERROR @3:1: string literal (unexpected '}')"}},
        {"a truncated file",
         "{\"a\": \"x\", \"b\": ", {"a: x @{x}", "ERROR @1:17: '[', '{', or a literal (unexpected end of input)"}},
        {"a file that is not JSON",
         "a = b", {"ERROR @1:1: well-formed JSON (invalid literal; last read: 'a')"}},
    };
    for (const Case& c : cases) {
        KeepEntries keep;
        formats::ReadOutcome outcome = formats::readJsonLocaleBytes(c.document, keep);
        Strings got = briefs(keep.entries);
        if (outcome.parse)
            got.push_back("ERROR @" + failureOf(outcome));
        Strings expected;
        for (const std::string& e : c.expected)
            expected.push_back(placed(e, c.document));
        EXPECT_EQ(got, expected) << c.name;
    }
}

}  // namespace
}  // namespace corvel::test
