// The GBK texts made at build time are what the engine's own conversion
// makes of the same UTF-8 texts, and the list keeps its texts byte for byte.
#include "gbk_texts.h"
#include "platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace corvel::test {
namespace {

TEST(GbkTexts, AreTheEnginesConversionOfTheirUtf8)
{
    std::set<std::string_view> names;
    for (const gbk::Text& text : gbk::kTexts) {
        EXPECT_EQ(std::string(text.gbk), toGbk(text.utf8)) << text.name;
        EXPECT_TRUE(names.insert(text.name).second) << "twice: " << text.name;
    }
    EXPECT_GE(names.size(), 40u);
}

TEST(GbkTexts, KeepSpacesAndMarksAtBothEnds)
{
    // Texts the list could lose or split: spaces at either end, full-width
    // spaces, '#', '=', and ASCII punctuation.
    struct Case {
        std::string_view gbk;
        std::string_view bytes;
    };
    const Case cases[] = {
        {gbk::pairOptions, "\xBE\xC0\xB4\xED\xD1\xA1\xCF\xEE\xA3\xBA  "},  // 纠错选项：plus two spaces
        {gbk::firstSeparator, " \xA1\xA2"},                                // a space and 、
        {gbk::emptyBefore, "# \xB5\xDA"},                                  // # 第
        {gbk::pairUntranslatedBefore, "  \xB5\xDA"},                       // two spaces and 第
        {gbk::deletedAfter, " \xD0\xD0)"},                                 // 行)
        {gbk::day, "\xC8\xD5\xA1\xA1"},                                    // 日 and a full-width space
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.gbk, c.bytes);
    // The title's two ASCII '=' stay ASCII.
    EXPECT_EQ(std::count(gbk::pairTitle.begin(), gbk::pairTitle.end(), '='), 2);
}

}  // namespace
}  // namespace corvel::test
