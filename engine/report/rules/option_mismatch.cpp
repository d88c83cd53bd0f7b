#include "../pair_checks.h"
#include "../text_signs.h"

#include <cctype>

namespace corvel::report::rules {

namespace {

bool optionChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '_';
}

// A command-line option: "--name" (a lower-case letter first, then letters,
// digits, '-', '_') or "-x" (one letter, or a letter and a digit). A run of
// dashes, "-1", words joined by a hyphen and a heading between dashes
// ("--Volume Header--") are none.
bool isOption(std::string_view token)
{
    if (token.size() >= 3 && token.substr(0, 2) == "--")
        return std::islower(static_cast<unsigned char>(token[2])) != 0 && token.back() != '-';
    if (token.size() >= 2 && token.size() <= 3 && token[0] == '-')
        return std::isalpha(static_cast<unsigned char>(token[1])) != 0 &&
               (token.size() == 2 || std::isdigit(static_cast<unsigned char>(token[2])) != 0);
    return false;
}

void check(PairRuleContext& context, std::vector<Finding>& out)
{
    const gbk::CharSteps steps(context.encoding());
    const PairText& pair = context.pair();
    std::string missing;
    forEachAsciiToken(pair.source, steps, optionChar, [&](std::string_view token, std::size_t at) {
        // An option starts a word: not "e-mail", not "x--y".
        const bool wordStart = at == 0 || !optionChar(pair.source[at - 1]);
        if (wordStart && isOption(token) && !holdsToken(pair.translation, token, steps))
            missing += (missing.empty() ? "" : ", ") + quote(std::string(token));
    });
    if (!missing.empty())
        out.push_back(context.finding(RuleId::OptionMismatch,
                                      "option " + missing +
                                          " of the source is missing from the translation"));
}

}  // namespace

constexpr RuleExample kOptionMismatchExamples[] {
    {true, "Use --force to overwrite", "使用 --强制 覆盖"},
    {false, "Use --force to overwrite", "使用 --force 覆盖"},
};

constinit const RuleInfo OptionMismatch {
    RuleId::OptionMismatch, "option-mismatch", Severity::Error, true, kOnOption,
    "A command-line option of the source is translated or missing.",
    "A command-line option of the source (--force, --output-dir, -v, -j2) does not appear "
    "unchanged in the translation (--\u5f3a\u5236 for --force). An option is a word that "
    "starts with \"--\" and a letter, or with \"-\" and one letter (and a digit); runs of "
    "dashes, negative numbers and hyphenated words are not options.",
    kOptionMismatchExamples,
    check};

}  // namespace corvel::report::rules
