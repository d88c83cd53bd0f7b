#include "scan_support.h"

#include "encoding/encoding_scanner.h"
#include "encoding/file_kind.h"
#include "encoding/plain_block.h"
#include "charset_converter.h"
#include "platform.h"
#include "test_support.h"
#include "text_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include "corvel/report/rule_catalogue.h"

namespace corvel::encoding::test {

namespace {

struct Pass {
    bool fast;
    InstructionSet isa;
    std::size_t piece;
};

std::vector<report::Finding> runScanner(std::string_view bytes, const ScanSettings& settings,
                                        const Pass& pass, std::int64_t& lines, std::size_t stopAt)
{
    CollectingSink sink(stopAt);
    EncodingScanner scanner(settings, sink);
    scanner.setFastPath(pass.fast);
    scanner.limitVectorIsa(pass.isa);
    for (std::size_t at = 0; at < bytes.size(); at += pass.piece)
        scanner.bytesRead(bytes.data() + at, std::min(pass.piece, bytes.size() - at));
    scanner.finish();
    lines = scanner.lineCount();
    return std::move(sink.findings);
}

std::string describe(const report::Finding& f)
{
    return brief({f})[0] + " " + f.message;
}

}  // namespace

bool CollectingSink::add(report::RuleId rule, std::int32_t line, std::int32_t column,
                         const ByteNote& note)
{
    findings.push_back(report::makeFinding(rule, line, column, note));
    return findings.size() < stopAt_;
}

std::vector<std::string> brief(const std::vector<report::Finding>& findings)
{
    std::vector<std::string> out;
    for (const report::Finding& f : findings) {
        std::string s(report::ruleInfo(f.rule).name);
        s += '@';
        s += std::to_string(f.line);
        if (f.column) {
            s += ':';
            s += std::to_string(*f.column);
        }
        out.push_back(s);
    }
    return out;
}

std::vector<report::Finding> scanBytes(std::string_view bytes, const ReadingOptions& options,
                                       std::size_t stopAt)
{
    FileKindDetector detector;
    detector.feed(bytes.data(), bytes.size());
    ScanSettings settings;
    settings.kind = detector.finish();
    settings.encoding = resolveEncoding(options.encoding, settings.kind);
    settings.lineEnds = options.lineEnds;
    settings.charset = options.charset;
    settings.layout = options.layout;

    std::int64_t referenceLines = 0;
    std::vector<report::Finding> reference =
        runScanner(bytes, settings, {false, InstructionSet::Avx2, bytes.size() + 1}, referenceLines,
                   stopAt);
    const std::vector<Pass> passes = {
        {true, InstructionSet::Avx2, bytes.size() + 1}, {true, InstructionSet::Avx2, 1},
        {true, InstructionSet::Avx2, 63},               {true, InstructionSet::Avx2, 100},
        {true, InstructionSet::Sse2, 64},               {true, InstructionSet::Sse2, 1},
        {true, InstructionSet::Scalar, 4096},           {false, InstructionSet::Avx2, 7},
    };
    for (const Pass& pass : passes) {
        std::int64_t lines = 0;
        std::vector<report::Finding> found = runScanner(bytes, settings, pass, lines, stopAt);
        EXPECT_EQ(brief(found), brief(reference))
            << "fast path " << pass.fast << ", instruction set " << static_cast<int>(pass.isa)
            << ", pieces of " << pass.piece;
        if (stopAt == SIZE_MAX) {  // a scan told to stop takes no more pieces
            EXPECT_EQ(lines, referenceLines) << "pieces of " << pass.piece;
        }
        for (std::size_t i = 0; i < std::min(found.size(), reference.size()); ++i)
            EXPECT_EQ(describe(found[i]), describe(reference[i]));
    }
    return reference;
}

std::vector<std::string> scanBrief(std::string_view bytes, const ReadingOptions& options,
                                   std::size_t stopAt)
{
    return brief(scanBytes(bytes, options, stopAt));
}

std::vector<std::string> readerLines(std::string_view bytes, LineEnds ends, bool skipBom)
{
    namespace fs = std::filesystem;
    fs::path file = fs::temp_directory_path() /
                    ("corvel-encoding-" + std::to_string(::testing::UnitTest::GetInstance()
                                                              ->random_seed()) +
                     "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    corvel::test::writeBytes(file, bytes);
    Error error;
    LineReader reader(File::open(file, File::Access::Read, error));
    EXPECT_FALSE(error) << error.describe();
    if (skipBom)
        (void)reader.skipUtf8Bom();
    std::vector<std::string> lines;
    while (!reader.atEnd())
        lines.emplace_back(ends == LineEnds::Any ? reader.nextAnyEnds() : reader.next());
    (void)reader.close();
    fs::remove(file);
    return lines;
}

std::string gbk(std::string_view utf8)
{
    return toGbk(utf8);
}

std::string utf8FromGbk(std::string_view gbkBytes)
{
    std::optional<std::string> utf8 = CharsetConverter(LegacyCharset::Gbk).toUtf8(gbkBytes);
    EXPECT_TRUE(utf8.has_value());
    return utf8.value_or("");
}

}  // namespace corvel::encoding::test
