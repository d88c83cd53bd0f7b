#include "../line_rules.h"

namespace corvel::report::rules {

namespace {

// In place of untranslated: the check log still lists the line.
void check(const LineRuleContext& line, std::vector<Finding>& out)
{
    if (line.keptInEnglish())
        out.push_back(line.finding(RuleId::KeptInEnglish,
                                   "the translation keeps the source " + quote(line.source()) +
                                       " as it is (a name, an acronym, an address or "
                                       "placeholders only)"));
}

}  // namespace

constexpr RuleExample kKeptInEnglishExamples[] {
    {true, "USB", "USB", ExampleFile::LinePairs, "--enable kept-in-english"},
    {false, "Open", "Open", ExampleFile::LinePairs, "--enable kept-in-english"},
};

constinit const RuleInfo KeptInEnglish {
    RuleId::KeptInEnglish, "kept-in-english", Severity::Warning, false, kOnUntranslated,
    "The translation keeps a name, an acronym, an address or placeholders as they are.",
    "An untranslated pair whose translation is its source, where the source apart from "
    "placeholders, markup, digits and punctuation is only acronyms (USB, SOCKS5), names "
    "with an inner capital (HexChat, GitHub, Wi-Fi), single capitals (A-Z), one address "
    "without spaces (a URL, a host, an e-mail address, a path), a key or key combination "
    "(Shift, Ctrl+C), a date pattern (yyyy-MM-dd) or units (Hz, kbps, mm); or a translation "
    "without a word that rewrites the source's placeholders ({1} of {2} as {1}/{2}) or "
    "leaves out only articles, prepositions and number words (for %1$s as %1$s, eight as 8); "
    "or a translation of acronyms, units and digits only (beats/minute as BPM, ace as A); or "
    "a reference to another text ({$Mods.Name.Key}); or a source that is a message ID "
    "(translator-credits) or a qualifier alone (?name:). A translator rightly keeps "
    "these, so they are not reported as untranslated; the check log still lists them. Off "
    "by default.",
    kKeptInEnglishExamples,
    nullptr, check};

}  // namespace corvel::report::rules
