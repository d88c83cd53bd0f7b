// The reference classifies lines as the engine's own line rules do, so the
// classifier, tested against the reference, follows them too.
#include "equals_log.h"
#include "pair_rules.h"
#include "reference_lines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace corvel::test {
namespace {

using scan::Layout;

LineClass engineFlag(std::string_view line, std::int32_t number, Layout layout)
{
    return layout == Layout::LinePairs ? classifyPairLine(line, number) : classifyEqualsLine(line);
}

TEST(ReferenceLines, ClassifyAsTheEngineRulesDo)
{
    // Lines of the bytes that matter, each as line 1 and line 2 of a file.
    const std::string alphabet = "a =\n\x7F\x80\x81\xB4\xFF";
    std::mt19937 random(11);
    for (int round = 0; round < 20000; ++round) {
        std::string line(std::uniform_int_distribution<std::size_t>(0, 40)(random), ' ');
        for (char& b : line)
            b = alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
        for (Layout layout : {Layout::LinePairs, Layout::Equals}) {
            const std::vector<ReferenceLine> lines =
                referenceLines(line + "\r\n" + line + "\r\n", layout);
            ASSERT_EQ(lines.size(), 2u);
            ASSERT_EQ(lines[0].flag, engineFlag(line, 1, layout)) << "line: " << line;
            ASSERT_EQ(lines[1].flag, engineFlag(line, 2, layout)) << "line: " << line;
        }
    }
}

}  // namespace
}  // namespace corvel::test
