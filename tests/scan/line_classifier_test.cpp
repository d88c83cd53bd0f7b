// The block classifier against the per-line reference, on every code path
// this processor has: the same lines reported, with the same numbers,
// offsets, terminators and bytes, wherever blocks and reads cut the file.
#include "reference_lines.h"
#include "scan/kernels.h"
#include "scan/line_classifier.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace corvel::test {
namespace {

using scan::Kernel;
using scan::Layout;
using scan::LineClassifier;
using scan::ScannedLine;

// Bytes after the data that would change the result if a kernel took them
// for data: line ends, translation bytes, '=' and spaces.
const char kSlackPattern[] = "\r\x81= \n\r\xB4";

struct Reading {
    Layout layout = Layout::LinePairs;
    bool copying = false;
    std::size_t keepLimit = 64 * 1024;
};

std::string describe(const ReferenceLine& l)
{
    std::ostringstream out;
    out << "line " << l.number << " [" << l.start << ", " << l.end << ") previous "
        << l.previousStart << " terminator " << int(l.terminator) << " flag " << int(l.flag);
    return out.str();
}

class Classifier : public ::testing::TestWithParam<Kernel> {
protected:
    void SetUp() override
    {
        if (!runsInstructionSet(GetParam()))
            GTEST_SKIP() << instructionSetName(GetParam()) << " is not available here";
    }

    // Feeds `bytes` in reads of the sizes in `reads` (repeated), through one
    // buffer that is overwritten between reads, and checks every report
    // against the reference.
    void expectLikeReference(const std::string& bytes, const std::vector<std::size_t>& reads,
                             const Reading& setup, const std::string& what)
    {
        LineClassifier classifier({setup.layout, setup.copying, GetParam(), setup.keepLimit});
        ASSERT_EQ(classifier.kernel(), GetParam());
        std::vector<ReferenceLine> got;
        std::vector<char> buffer;
        auto take = [&](std::span<const ScannedLine> lines) {
            for (const ScannedLine& line : lines) {
                got.push_back({line.number, line.start, line.end, line.previousStart,
                               line.terminator, line.flag});
                if (line.text != nullptr)
                    EXPECT_EQ(line.view(), std::string_view(bytes).substr(line.start, line.size()))
                        << what << ": text of " << describe(got.back());
                else
                    EXPECT_GT(line.size(), setup.keepLimit)
                        << what << ": no text for " << describe(got.back());
            }
        };
        std::size_t at = 0;
        for (std::size_t i = 0; at < bytes.size(); ++i) {
            std::size_t n = std::min(reads[i % reads.size()], bytes.size() - at);
            buffer.assign(n + LineClassifier::kSlack, 0);
            for (std::size_t j = 0; j < buffer.size(); ++j)
                buffer[j] = kSlackPattern[j % (sizeof kSlackPattern - 1)];
            std::copy_n(bytes.data() + at, n, buffer.data());
            classifier.feed(buffer.data(), n);
            for (auto batch = classifier.scan(); !batch.empty(); batch = classifier.scan())
                take(batch);
            at += n;
        }
        take(classifier.finish());

        std::vector<ReferenceLine> want = referenceReports(bytes, setup.layout, setup.copying);
        ASSERT_EQ(got.size(), want.size()) << what;
        for (std::size_t i = 0; i < want.size(); ++i)
            ASSERT_EQ(describe(got[i]), describe(want[i])) << what << ", report " << i;
        EXPECT_EQ(classifier.lines(), referenceLines(bytes, setup.layout).size()) << what;
        EXPECT_EQ(classifier.bytes(), bytes.size()) << what;
    }

    // The bytes behind k bytes of lines before them, in one read, for every
    // k that puts them at each place of a block; then cut into two reads at
    // every byte; then read in small reads of each size.
    void expectAtEveryBoundary(const std::string& bytes, const Reading& setup)
    {
        for (std::size_t k = 0; k < 130; ++k) {
            std::string pad = k == 0 ? "" : k == 1 ? "\r" : std::string(k - 2, 'a') + "\r\n";
            expectLikeReference(pad + bytes, {1 << 20}, setup, "after " + std::to_string(k));
        }
        for (std::size_t cut = 1; cut < bytes.size(); ++cut)
            expectLikeReference(bytes, {cut, 1 << 20}, setup, "cut at " + std::to_string(cut));
        for (std::size_t size = 1; size <= 70; ++size)
            expectLikeReference(bytes, {size}, setup, "reads of " + std::to_string(size));
    }
};

std::string spaces(std::size_t n)
{
    return std::string(n, ' ');
}

const std::string kChinese = "\xB4\xF2\xBF\xAA";  // GBK

struct Case {
    const char* name;
    Layout layout;
    std::string bytes;
};

const Case kCases[] = {
    {"good pairs", Layout::LinePairs, "Open\r\n" + kChinese + "\r\nSave 1\r\n" + kChinese + "\r\n"},
    {"each kind of flagged pair line", Layout::LinePairs,
     "Op" + kChinese + "\r\nSave\r\n\r\n" + kChinese + "\r\n  \r\nx\r\n"},
    {"lone CRs end lines", Layout::LinePairs, "a\r" + kChinese + "\rb" + kChinese + "\rc\r"},
    {"a CR before CR LF is an empty line", Layout::LinePairs, "a\r\r\n" + kChinese + "\r\n"},
    {"a line of spaces across blocks", Layout::LinePairs,
     "a\r\n" + kChinese + "\r\n" + spaces(150) + "\r\n" + spaces(140) + "x\r\n"},
    {"a space and a lone LF are not empty", Layout::LinePairs, " \n\r\n\n\r\n \n \r\n\r\n\n"},
    {"the LF of CR LF is in no line", Layout::LinePairs, "\r\n\n\r\n\r\n \r\n\n" + kChinese},
    {"0x80 is not a translation byte", Layout::LinePairs,
     "\x80\r\n\x80\r\n\x81\r\n\x80\xFF\r\n\x7F\r\n\x80"},
    {"a last line without terminator", Layout::LinePairs, "a\r\n" + kChinese + "\r\nb" + kChinese},
    {"a last line of spaces without terminator", Layout::LinePairs, "a\r\n" + kChinese + "\r\n   "},
    {"no line after a final CR", Layout::LinePairs, "a\r\n" + kChinese + "\r\nb\r"},
    {"lines longer than a read", Layout::LinePairs,
     std::string(300, 'a') + "\r\n" + std::string(200, 'b') + "\r\n" + std::string(260, '\xB4')
         + "\r\n" + spaces(199) + "\r\n" + std::string(180, 'c')},
    {"empty file", Layout::LinePairs, ""},
    {"only terminators", Layout::LinePairs, "\r\n\r\r\n\r"},
    {"only an LF", Layout::LinePairs, "\n"},
    {"good equals lines", Layout::Equals, "Open=" + kChinese + "\r\nSave=" + kChinese + "\r\n"},
    {"each kind of flagged equals line", Layout::Equals,
     "Open\r\nSave=x\r\n=\r\na=\r\n" + kChinese + "=b\r\n\r\n==" + kChinese + "\r\n"},
    {"a translation after a later '=' counts", Layout::Equals,
     "a=b=" + kChinese + "\r\n" + kChinese + "=\r\nx=\x80\r\n"},
    {"an '=' at the end of the file", Layout::Equals, "a=" + kChinese + "\r\nb="},
    {"a long equals line", Layout::Equals,
     std::string(130, 'k') + "=" + std::string(130, 'v') + "\xB4\r\n" + std::string(200, 'k') + "="
         + std::string(70, 'v') + "\r\n" + std::string(190, 'k')},
    {"an equals line ending in its '='", Layout::Equals, "k=\rk=\r\nk==\r\n"},
    {"a long translation beginning with its Chinese", Layout::Equals,
     std::string(70, 'k') + "=" + kChinese + std::string(140, 'v') + "\r\n"},
};

TEST_P(Classifier, BoundaryCasesMatchTheReference)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        for (bool copying : {false, true})
            expectAtEveryBoundary(c.bytes, {c.layout, copying});
    }
}

TEST_P(Classifier, LinesLongerThanTheKeptBytesComeWithoutText)
{
    // Such a line is reported by its offsets alone; shorter ones keep theirs.
    const std::string bytes = std::string(100, 'a') + kChinese + "\r\n" + "b\r\n"
                              + std::string(90, ' ') + "\r\n" + kChinese + "\r\n";
    for (std::size_t keep : {0, 16, 95, 200})
        for (std::size_t read : {7, 33, 64, 65, 1000})
            expectLikeReference(bytes, {read}, {Layout::LinePairs, true, keep},
                                "keep " + std::to_string(keep) + ", reads of " + std::to_string(read));
}

TEST_P(Classifier, MoreFlaggedLinesThanOneBatchHolds)
{
    std::string bytes;
    for (int i = 0; i < 1500; ++i)
        bytes += i % 3 == 0 ? "\r" : i % 3 == 1 ? "\r\n" : "=\r\n";
    for (Layout layout : {Layout::LinePairs, Layout::Equals})
        for (bool copying : {false, true})
            for (std::size_t read : {std::size_t {1} << 20, std::size_t {4000}})
                expectLikeReference(bytes, {read}, {layout, copying}, "many");
}

TEST_P(Classifier, AgreesWithTheReferenceOnRandomDictionaries)
{
    // Bytes drawn to make short lines, CR LF and lone CRs and LFs, spaces,
    // '=', 0x80 and translation bytes; read in random small reads.
    const std::string alphabet = "aaaa  ==\r\r\r\n\n\x80\x81\xB4\xFF";
    std::mt19937 random(20261207);
    for (int round = 0; round < 600; ++round) {
        std::size_t size = std::uniform_int_distribution<std::size_t>(0, 2500)(random);
        std::string bytes(size, ' ');
        std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
        bool sparse = round % 2 == 0;  // fewer line ends: long lines
        for (char& b : bytes) {
            b = alphabet[pick(random)];
            if (sparse && b == '\r' && pick(random) % 8 != 0)
                b = 'a';
        }
        std::vector<std::size_t> reads;
        for (int i = 0; i < 8; ++i)
            reads.push_back(std::uniform_int_distribution<std::size_t>(1, 300)(random));
        Reading setup {round % 4 < 2 ? Layout::LinePairs : Layout::Equals, round % 3 == 0,
                     round % 5 == 0 ? std::size_t {40} : std::size_t {64 * 1024}};
        expectLikeReference(bytes, reads, setup, "round " + std::to_string(round));
        if (HasFatalFailure())
            return;
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, Classifier,
                         ::testing::Values(Kernel::Scalar, Kernel::Sse2, Kernel::Avx2),
                         [](const auto& info) { return std::string(instructionSetName(info.param)); });

}  // namespace
}  // namespace corvel::test
