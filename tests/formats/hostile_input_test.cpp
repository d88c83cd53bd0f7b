// Hostile and broken files against the XML and JSON reading: nothing outside
// the file is read, entity bombs and deep nesting are refused, invalid
// UTF-8 and truncated files fail with a place, and a huge text is refused
// at the limit rather than held.
#include "formats/android_reader.h"
#include "formats/json_locale_reader.h"
#include "formats/xliff_reader.h"
#include "reader_support.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace corvel::test {
namespace {

std::string xliffWith(const std::string& doctype, const std::string& target)
{
    return "<?xml version=\"1.0\"?>\n" + doctype +
           "<xliff version=\"1.2\"><file><body><trans-unit id=\"u\"><source>s</source><target>" +
           target + "</target></trans-unit></body></file></xliff>\n";
}

std::string nested(const std::string& open, const std::string& close, int depth)
{
    std::string out;
    for (int i = 0; i < depth; ++i)
        out += open;
    for (int i = 0; i < depth; ++i)
        out += close;
    return out;
}

class HostileXml : public TempFolderTest {};

// What a file given to the reader may point at: a secret beside it, by an
// external entity, an external DTD or a parameter entity.
TEST_F(HostileXml, NothingOutsideTheFileIsRead)
{
    fs::path secret = makeFile("secret.txt", "TOPSECRET");
    fs::path dtd = makeFile("secret.dtd", "<!ENTITY leak \"TOPSECRET\">");
    const std::string secretUri = "file://" + secret.generic_string();
    const std::string dtdUri = "file://" + dtd.generic_string();
    struct Case {
        const char* name;
        std::string document;
        std::string failure;  // "" where the file reads, without the secret
    };
    const Case cases[] = {
        {"an external entity",
         xliffWith("<!DOCTYPE xliff [<!ENTITY xxe SYSTEM \"" + secretUri + "\">]>\n", "&xxe;"),
         "2: no entity declarations in the document type"},
        {"a parameter entity that would load a DTD",
         xliffWith("<!DOCTYPE xliff [<!ENTITY % p SYSTEM \"" + dtdUri + "\"> %p;]>\n", "&leak;"),
         "2: no entity declarations in the document type"},
        {"an external DTD is not loaded: its entity stays unknown and is passed over",
         xliffWith("<!DOCTYPE xliff SYSTEM \"" + dtdUri + "\">\n", "a&leak;b"), ""},
        {"an internal entity", xliffWith("<!DOCTYPE xliff [<!ENTITY e \"x\">]>\n", "&e;"),
         "2: no entity declarations in the document type"},
    };
    for (const Case& c : cases) {
        fs::path file = makeFile("hostile.xlf", c.document);
        KeepEntries keep;
        formats::ReadOutcome outcome = formats::readXliff(file, keep);
        EXPECT_FALSE(outcome.io) << c.name;
        EXPECT_EQ(outcome.parse ? std::to_string(outcome.parse->place.line) + ": " + outcome.parse->expected
                                : std::string(),
                  c.failure)
            << c.name;
        for (const formats::Entry& e : keep.entries)
            EXPECT_EQ(e.target.find("TOPSECRET"), std::string::npos) << c.name;
        if (c.failure.empty()) {
            ASSERT_EQ(keep.entries.size(), 1u) << c.name;
            EXPECT_EQ(keep.entries[0].target, "ab") << c.name;
        }
    }
}

TEST(HostileInput, BrokenAndHostileXmlFailsWithAPlace)
{
    std::string bomb = "<!DOCTYPE xliff [<!ENTITY lol \"lol\">";
    for (int i = 1; i <= 9; ++i) {
        std::string refs;
        for (int j = 0; j < 10; ++j)
            refs += "&lol" + (i == 1 ? std::string() : std::to_string(i - 1)) + ";";
        bomb += "<!ENTITY lol" + std::to_string(i) + " \"" + refs + "\">";
    }
    bomb += "]>\n";
    const std::string whole = xliffWith("", "好");
    struct Case {
        const char* name;
        std::string document;
        std::string failure;
    };
    const Case cases[] = {
        {"an entity bomb", xliffWith(bomb, "&lol9;"),
         "@{\"lol\"}: no entity declarations in the document type"},
        {"nesting deeper than the limit", xliffWith("", nested("<g id=\"1\">", "</g>", 100000)),
         // xliff, file, body, trans-unit and target, then the 252nd g
         "@2:" + std::to_string(78 + 251 * 10 + 1) + ": elements nested at most 256 deep"},
        {"invalid UTF-8", xliffWith("", "\xC3\x28"),
         "@{\xC3\x28}: well-formed XML (not well-formed (invalid token))"},
        {"a file cut short", whole.substr(0, whole.find("</target>") + 3),
         "@{</t}: well-formed XML (unclosed token)"},
        {"a file cut after a tag", whole.substr(0, whole.find("</trans-unit>")),
         "@2:91/89: </trans-unit> before the end of the file"},
        {"an empty file", "", "@1:1: an element before the end of the file"},
    };
    for (const Case& c : cases) {
        KeepEntries keep;
        EXPECT_EQ(std::string("@") + failureOf(formats::readXliffBytes(c.document, keep)),
                  placed(c.failure, c.document))
            << c.name;
        KeepEntries android;
        EXPECT_TRUE(formats::readAndroidStringsBytes(c.document, android).parse.has_value()) << c.name;
    }
}

// The limit of one text, tag or string, set low so that the test stays
// quick: at the limit a text is read, past it the file is refused (the
// 1 GiB case runs by hand, see bench/README.md).
TEST(HostileInput, AHugeTextIsRefusedAtTheLimitNotHeld)
{
    formats::ReadLimits limits;
    limits.maxTextBytes = 1 << 20;
    const std::string atLimit(limits.maxTextBytes, 'a');
    const std::string past(limits.maxTextBytes + 1, 'a');
    struct Case {
        const char* name;
        std::string document;
        bool json;
        std::string failure;
    };
    const Case cases[] = {
        {"an XML text at the limit", xliffWith("", atLimit), false, ""},
        {"an XML text past it", xliffWith("", past), false, "a text of at most 1048576 bytes"},
        {"an attribute three times the limit",
         xliffWith("", "<x id=\"" + std::string(3 * limits.maxTextBytes, 'b') + "\"/>"), false,
         "a tag, attribute or comment of at most 1048576 bytes"},
        {"a JSON string at the limit", "{\"k\": \"" + atLimit.substr(1) + "\"}", true, ""},
        {"a JSON string past it", "{\"k\": \"" + past + "\"}", true,
         "a string or number of at most 1048576 bytes"},
        {"a JSON number past it", std::string("[") + std::string(limits.maxTextBytes + 1, '1') + "]",
         true, "a string or number of at most 1048576 bytes"},
    };
    for (const Case& c : cases) {
        KeepEntries keep;
        formats::ReadOutcome outcome = c.json ? formats::readJsonLocaleBytes(c.document, keep, limits)
                                              : formats::readXliffBytes(c.document, keep, limits);
        EXPECT_EQ(outcome.parse ? outcome.parse->expected : "", c.failure) << c.name;
        EXPECT_EQ(keep.entries.size(), c.failure.empty() ? 1u : 0u) << c.name;
    }
}

TEST(HostileInput, BrokenAndHostileJsonFailsWithAPlace)
{
    struct Case {
        const char* name;
        std::string document;
        std::string failure;
    };
    const Case cases[] = {
        {"nesting deeper than the limit", nested("[", "]", 100000),
         "1:257: objects and arrays nested at most 256 deep"},
        {"objects nested deeper than the limit", nested("{\"a\":", "}", 300),
         "1:" + std::to_string(256 * 5 + 1) + ": objects and arrays nested at most 256 deep"},
        {"nesting at the limit", nested("[", "]", 256), ""},
        {"invalid UTF-8", "{\"k\": \"\xC3\x28\"}",
         "1:9: well-formed JSON (invalid string: ill-formed UTF-8 byte; last read: '\"\xC3\x28')"},
        {"a file cut short", "{\"k\": \"abc", "1:11: well-formed JSON (invalid string: missing closing quote; last read: '\"abc')"},
        {"an empty file", "", "1:1: '[', '{', or a literal (unexpected end of input)"},
        {"a long string cut short is quoted shortened", "[\"" + std::string(5000, 'x'),
         "1:5003: well-formed JSON (invalid string: missing closing quote; last read: '\"" +
             std::string(31, 'x') + "...')"},
    };
    for (const Case& c : cases) {
        KeepEntries keep;
        EXPECT_EQ(failureOf(formats::readJsonLocaleBytes(c.document, keep)), c.failure) << c.name;
    }
}

}  // namespace
}  // namespace corvel::test
