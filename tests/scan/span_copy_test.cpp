// What correct mode needs from the classifier: a copy made only from the
// reported lines and the bytes between them, taken in one piece, equals the
// copy made line by line. Dropped here: every pair (line pairs) or line
// (equals lines) with a flagged line; an unpaired last line is dropped too.
#include "reference_lines.h"
#include "scan/kernels.h"
#include "scan/line_classifier.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace corvel::test {
namespace {

using scan::Kernel;
using scan::Layout;
using scan::LineClassifier;
using scan::ScannedLine;

// The copy line by line: kept lines, each ended with CR LF.
std::string copyByLines(std::string_view file, Layout layout)
{
    std::vector<ReferenceLine> lines = referenceLines(file, layout);
    auto text = [&](const ReferenceLine& l) {
        return std::string(file.substr(l.start, l.end - l.start)) + "\r\n";
    };
    std::string out;
    if (layout == Layout::Equals) {
        for (const ReferenceLine& l : lines)
            if (l.flag == LineClass::Good)
                out += text(l);
        return out;
    }
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2)
        if (lines[i].flag == LineClass::Good && lines[i + 1].flag == LineClass::Good)
            out += text(lines[i]) + text(lines[i + 1]);
    return out;
}

// The copy a run makes from the reports: the bytes up to a reported line
// in one piece, then that line kept (with CR LF) or its pair dropped.
class SpanCopy {
public:
    SpanCopy(std::string_view file, Layout layout) : file_(file), layout_(layout) {}

    void take(const ScannedLine& line)
    {
        const std::string kept = std::string(line.view()) + "\r\n";
        if (layout_ == Layout::Equals) {
            copyUpTo(line.start);
            if (line.flag == LineClass::Good)
                out_ += kept;
        } else if (line.number % 2 != 0) {
            copyUpTo(line.start);
            pairStart_ = out_.size();
            dropPair_ = line.flag != LineClass::Good;
            if (!dropPair_)
                out_ += kept;
        } else {
            if (lastTaken_ + 1 != line.number) {  // its odd line was not reported
                copyUpTo(line.previousStart);
                pairStart_ = out_.size();
                copyUpTo(line.start);
            }
            if (dropPair_ || line.flag != LineClass::Good)
                out_.resize(pairStart_);
            else
                out_ += kept;
            dropPair_ = false;
        }
        copied_ = line.next();
        lastTaken_ = line.number;
    }

    std::string finish(std::uint64_t lines)
    {
        copyUpTo(file_.size());
        if (layout_ == Layout::LinePairs && lines % 2 != 0)
            out_.resize(pairStart_);  // the unpaired last line
        return out_;
    }

private:
    void copyUpTo(std::uint64_t offset)
    {
        out_.append(file_.substr(copied_, offset - copied_));
        copied_ = offset;
    }

    std::string_view file_;
    Layout layout_;
    std::string out_;
    std::uint64_t copied_ = 0;
    std::uint64_t lastTaken_ = 0;
    std::size_t pairStart_ = 0;
    bool dropPair_ = false;
};

std::string copyBySpans(const std::string& file, Layout layout, Kernel kernel, std::size_t read)
{
    LineClassifier classifier({layout, true, kernel});
    SpanCopy copy(file, layout);
    std::vector<char> buffer(read + LineClassifier::kSlack, '\r');
    for (std::size_t at = 0; at < file.size(); at += read) {
        std::size_t n = std::min(read, file.size() - at);
        std::copy_n(file.data() + at, n, buffer.data());
        classifier.feed(buffer.data(), n);
        for (auto batch = classifier.scan(); !batch.empty(); batch = classifier.scan())
            for (const ScannedLine& line : batch)
                copy.take(line);
    }
    for (const ScannedLine& line : classifier.finish())
        copy.take(line);
    return copy.finish(classifier.lines());
}

// A dictionary of mostly good lines: English, Chinese or "English=Chinese",
// now and then a flawed one, mostly CR LF, sometimes a lone CR, a lone LF
// inside a line, or no terminator at the end.
std::string randomDictionary(std::mt19937& random, Layout layout)
{
    auto chance = [&](unsigned n) { return std::uniform_int_distribution<unsigned>(0, n - 1)(random) == 0; };
    const std::string chinese = "\xB4\xF2\xBF\xAA";
    std::string file;
    const unsigned lines = std::uniform_int_distribution<unsigned>(0, 40)(random);
    for (unsigned n = 1; n <= lines; ++n) {
        std::string english = chance(6) ? "Open\nFile" : "Open file";
        std::string line = layout == Layout::Equals ? english + "=" + chinese
                           : n % 2 != 0                  ? english
                                                         : chinese;
        if (chance(8))
            line = chance(2) ? "  " : english;  // empty, or untranslated
        file += line + (chance(6) ? "\r" : "\r\n");
    }
    if (!file.empty() && chance(3)) {  // drop the last terminator
        const bool crLf = file.back() == '\n';
        file.pop_back();
        if (crLf)
            file.pop_back();
    }
    return file;
}

TEST(SpanCopy, EqualsTheCopyLineByLine)
{
    std::mt19937 random(7);
    for (Kernel kernel : {Kernel::Scalar, Kernel::Sse2, Kernel::Avx2}) {
        if (!runsInstructionSet(kernel))
            continue;
        for (int round = 0; round < 400; ++round) {
            const Layout layout = round % 2 == 0 ? Layout::LinePairs : Layout::Equals;
            const std::string file = randomDictionary(random, layout);
            const std::size_t read = std::uniform_int_distribution<std::size_t>(1, 150)(random);
            ASSERT_EQ(copyBySpans(file, layout, kernel, read), copyByLines(file, layout))
                << instructionSetName(kernel) << ", round " << round << ", reads of " << read;
        }
    }
}

}  // namespace
}  // namespace corvel::test
