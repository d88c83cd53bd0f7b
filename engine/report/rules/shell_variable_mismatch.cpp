#include "../pair_checks.h"
#include "../text_signs.h"

#include <cctype>

namespace corvel::report::rules {

namespace {

bool nameChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

// The shell variable at `at` ('$'): $NAME in capitals, digits and '_'
// ($HOME, $XDG_DATA_HOME); empty when there is none: $5, US$, %1$s, and a
// lower-case $t or $name, which other formats use for placeholders of their
// own. ${NAME} is a brace placeholder, placeholder-mismatch's.
std::string_view variableAt(std::string_view text, std::size_t at)
{
    if (at > 0 && static_cast<unsigned char>(text[at - 1]) < 0x80 && nameChar(text[at - 1]))
        return {};
    auto inName = [](char c) {
        return std::isupper(static_cast<unsigned char>(c)) != 0 ||
               std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '_';
    };
    std::size_t i = at + 1;
    if (i >= text.size() || std::isdigit(static_cast<unsigned char>(text[i])) != 0 ||
        !inName(text[i]))
        return {};
    while (i < text.size() && inName(text[i]))
        ++i;
    if (i < text.size() && std::islower(static_cast<unsigned char>(text[i])) != 0)
        return {};  // $Name: a word, not a variable
    return text.substr(at, i - at);
}

void check(PairRuleContext& context, std::vector<Finding>& out)
{
    const gbk::CharSteps steps(context.encoding());
    const PairText& pair = context.pair();
    std::string missing;
    // '$' is below every GBK trail byte; the name is ASCII from there on.
    for (std::size_t at = pair.source.find('$'); at != std::string_view::npos;
         at = pair.source.find('$', at + 1)) {
        const std::string_view variable = variableAt(pair.source, at);
        if (!variable.empty() && !holdsToken(pair.translation, variable, steps))
            missing += (missing.empty() ? "" : ", ") + quote(std::string(variable));
    }
    if (!missing.empty())
        out.push_back(context.finding(RuleId::ShellVariableMismatch,
                                      "variable " + missing +
                                          " of the source is missing from the translation"));
}

}  // namespace

constexpr RuleExample kShellVariableMismatchExamples[] {
    {true, "Saved in $HOME", "保存在 $主页"},
    {false, "Costs US$5", "价格 5 美元"},
};

constinit const RuleInfo ShellVariableMismatch {
    RuleId::ShellVariableMismatch, "shell-variable-mismatch", Severity::Error, true, kOnDollar,
    "A shell variable of the source is translated or missing.",
    "A variable of the source written $NAME (capitals, digits and '_') does not appear "
    "unchanged in the translation ($\u4e3b\u9875 for $HOME). Amounts ($5), currency signs "
    "after a word (US$), printf's %1$s and lower-case $name, which other formats use for "
    "their own placeholders ($t, $1 of chat clients), are not variables; ${NAME} is a brace "
    "placeholder, compared by placeholder-mismatch.",
    kShellVariableMismatchExamples,
    check};

}  // namespace corvel::report::rules
