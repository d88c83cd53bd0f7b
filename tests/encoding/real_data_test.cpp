// The real dictionaries get none of the encoding findings, and a UTF-8
// dictionary with LF line ends read with --encoding utf-8 --line-ends any
// gives the same lines and encoding findings as the same dictionary in GBK
// with CR LF. (The whole check of both: the command-line tests.)
#include "corvel/encoding_check.h"
#include "scan_support.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include "corvel/report/rule_catalogue.h"

namespace corvel::encoding::test {
namespace {

namespace fs = std::filesystem;

Layout layoutOf(const fs::path& file)
{
    return file.filename().string().find(".eq.") != std::string::npos ? Layout::Equals
                                                                        : Layout::LinePairs;
}

std::string contents(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(RealData, GbkDictionariesGetNoEncodingFindings)
{
    for (const fs::path& file : corvel::test::realDictionaries())
        for (EncodingChoice choice :
             {EncodingChoice::Gbk, EncodingChoice::Auto, EncodingChoice::Gb18030}) {
            CollectingSink sink;
            EncodingCheck check;
            ReadingOptions options {choice, LineEnds::CrLf, Charset::Any, layoutOf(file)};
            ASSERT_FALSE(checkEncoding(file, options, sink, check));
            EXPECT_EQ(brief(sink.findings), std::vector<std::string> {}) << file;
            EXPECT_NE(check.encoding, TextEncoding::Utf8) << file;
            EXPECT_GT(check.lines, 0) << file;
        }
}

// The same dictionary as UTF-8 with LF line ends.
std::string utf8WithLf(const std::string& gbkCrLf)
{
    return corvel::test::withLfEnds(utf8FromGbk(gbkCrLf));
}

// "rule@line": columns count bytes, which differ between the encodings.
std::vector<std::string> rulesAndLines(const std::vector<report::Finding>& findings)
{
    std::vector<std::string> out;
    for (const report::Finding& f : findings)
        out.push_back(std::string(report::ruleInfo(f.rule).name) + "@" + std::to_string(f.line));
    return out;
}

void expectSameReading(const std::string& gbkCrLf, Layout layout, const std::string& name)
{
    const std::string utf8Lf = utf8WithLf(gbkCrLf);
    const std::vector<std::string> gbkLines = readerLines(gbkCrLf, LineEnds::CrLf);
    const std::vector<std::string> utf8Lines = readerLines(utf8Lf, LineEnds::Any);
    ASSERT_EQ(gbkLines.size(), utf8Lines.size()) << name;
    ReadingOptions gbkOptions {EncodingChoice::Gbk, LineEnds::CrLf, Charset::Any, layout};
    ReadingOptions utf8Options {EncodingChoice::Utf8, LineEnds::Any, Charset::Any, layout};
    EXPECT_EQ(rulesAndLines(scanBytes(gbkCrLf, gbkOptions)),
              rulesAndLines(scanBytes(utf8Lf, utf8Options)))
        << name;
}

TEST(RealData, Utf8WithLfReadsAsGbkWithCrLf)
{
    for (const fs::path& file : corvel::test::realDictionaries())
        expectSameReading(contents(file), layoutOf(file), file.filename().string());
}

TEST(RealData, Utf8WithLfFindsWhatGbkWithCrLfFinds)
{
    const std::string pairs = "Open\r\n" + gbk("打开") + "\x02\r\n" + "Hot\r\n" +
                              gbk("烫烫烫") + "\r\n" + "\r\n" + gbk("中") + "??" + gbk("文") +
                              "\r\n" + "Save\r\nSave\r\n";
    expectSameReading(pairs, Layout::LinePairs, "line pairs");
    EXPECT_EQ(rulesAndLines(scanBytes(pairs, {})),
              (std::vector<std::string> {"control-char@2", "mojibake@4", "mojibake@6"}));
    const std::string equals = "Open=" + gbk("打开") + "\x03\r\nHot=" + gbk("烫烫烫") +
                               "\r\nNo equals\r\nSave=Save\r\n";
    expectSameReading(equals, Layout::Equals, "equals lines");
}

}  // namespace
}  // namespace corvel::encoding::test
