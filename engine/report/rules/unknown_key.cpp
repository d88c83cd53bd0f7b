#include "../line_rules.h"

namespace corvel::report::rules {

namespace {

// Told of each key once, in translation files paired with their source.
void check(const LineRuleContext& line, std::vector<Finding>& out)
{
    if (line.key != nullptr)
        out.push_back(line.finding(RuleId::UnknownKey, "the key " + quote(*line.key) +
                                                           " is not in the source " +
                                                           std::string(line.sourceFile)));
}

}  // namespace

constexpr RuleExample kUnknownKeyExamples[] {
    {true, "ok=OK", "ok=好\nextra=多余", ExampleFile::Properties},
    {false, "ok=OK\nextra=More", "ok=好\nextra=多余", ExampleFile::Properties},
};

constinit const RuleInfo UnknownKey {
    RuleId::UnknownKey, "unknown-key", Severity::Warning, true, kOnPair,
    "The translation holds a key its source does not.",
    "In a translation file checked against its source (--source SOURCE TRANSLATION: Android "
    "strings.xml, JSON, .properties), a key that the source file lacks: left over from a "
    "removed text, or a typing error in the key, so the program never shows it. Reported once "
    "per key, at its line in the translation.",
    kUnknownKeyExamples,
    nullptr, check};

}  // namespace corvel::report::rules
