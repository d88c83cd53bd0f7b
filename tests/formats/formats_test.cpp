// The format table: a file is recognised from its name and its content,
// and any other file stays a dictionary.
#include "format_table.h"
#include "formats_support.h"

#include <gtest/gtest.h>

namespace corvel::test {
namespace {

struct RecogniseCase {
    const char* name;
    std::string head;
    std::optional<FileFormat> format;
};

TEST(FormatTable, RecognisesFromNameAndContent)
{
    const RecogniseCase cases[] = {
        {"zh_CN.po", "", FileFormat::Po},
        {"messages.POT", "", FileFormat::Po},
        {"app_zh.ts", "<?xml version=\"1.0\"?>\n<!DOCTYPE TS>\n<TS version=\"2.1\">", FileFormat::Ts},
        // TypeScript shares the name: the content decides.
        {"main.ts", "import x from 'y';\n", std::nullopt},
        {"a.xlf", "", FileFormat::Xliff},
        {"a.xliff", "", FileFormat::Xliff},
        {"strings.xml", "", FileFormat::Android},
        {"values.xml", "<?xml version=\"1.0\"?>\n<!-- c -->\n<resources>", FileFormat::Android},
        {"doc.xml", "<?xml version=\"1.0\"?><xliff version=\"2.0\">", FileFormat::Xliff},
        {"doc.xml", "<?xml version=\"1.0\"?><html>", std::nullopt},
        {"zh.json", " {}", FileFormat::Json},
        // A dictionary named .json stays one; so does one starting with {.
        {"b.json", "Open\r\n打开\r\n", std::nullopt},
        {"menu.txt", "{0} items\r\n{0} 项\r\n", std::nullopt},
        {"zh.properties", "", FileFormat::Properties},
        // Any other name: a dictionary, unless the content cannot be one.
        {"game.txt", "Open\r\n打开\r\n", std::nullopt},
        {"game.txt", "msgid \"Open\"\r\n", std::nullopt},
        {"catalogue", "# header\nmsgid \"\"\nmsgstr \"\"\n", FileFormat::Po},
        {"menu.DAT", "\xEF\xBB\xBF<TS version=\"2.1\">", FileFormat::Ts},
    };
    for (const RecogniseCase& c : cases)
        EXPECT_EQ(formats::recogniseFormat(c.name, c.head), c.format) << c.name << " " << c.head;
}

TEST(FormatTable, NamesRoundTrip)
{
    for (const formats::FormatInfo& info : formats::formatTable()) {
        EXPECT_EQ(parseFormatName(info.name), info.format);
        EXPECT_EQ(formatName(info.format), info.name);
    }
    EXPECT_EQ(parseFormatName("line-pairs"), std::nullopt);
    EXPECT_EQ(formatNames(), "po, ts, xliff, android, json or properties");
}

}  // namespace
}  // namespace corvel::test

namespace corvel::test {
namespace {

// Readers of JSON and XML hand on line breaks as characters: the report
// compares them as the escapes of every other format.
TEST_F(FormatTest, DecodedLineBreaksAreComparedAsEscapes)
{
    std::string error;
    report::ReportSettings settings;
    settings.rules = report::RuleSelection::fromLists({"line-break-mismatch"}, {}, error);
    ASSERT_TRUE(error.empty());
    const std::string source = "{\"a\": \"One\\nTwo\", \"b\": \"Three\\nFour\"}\n";
    EntryReport r = reportOf(FileFormat::Json, "{\n\"a\": \"一\\n二\",\n\"b\": \"三四\"\n}\n",
                             source, settings);
    EXPECT_FALSE(r.error) << r.error.describe();
    EXPECT_EQ(r.brief(), std::vector<std::string> {"line-break-mismatch@3"});
}

}  // namespace
}  // namespace corvel::test
