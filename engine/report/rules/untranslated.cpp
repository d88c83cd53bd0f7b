#include "../line_rules.h"

namespace corvel::report::rules {

namespace {

// A translation kept as its source where a translator rightly keeps it is
// kept-in-english's.
void check(const LineRuleContext& line, std::vector<Finding>& out)
{
    if (line.keptInEnglish())
        return;
    out.push_back(line.finding(
        RuleId::Untranslated,
        line.layout() == Layout::Equals && line.pair().translation.empty()
            ? std::string("nothing after \"=\"")
            : "the translation " + quote(line.translation()) + " holds no Chinese character"));
}

}  // namespace

constinit const RuleInfo Untranslated {
    RuleId::Untranslated, "untranslated", Severity::Error, true, kOnUntranslated,
    "The translation holds no Chinese character.",
    "The translation line of a pair (the even line of a line pair, or the text after the "
    "\"=\" of an equals line) holds no character beyond ASCII, so it has not been "
    "translated. The check log lists it as untranslated. Reported at the translation's line. "
    "In a translation file (gettext, Qt, XLIFF, Android, JSON, properties): an entry whose "
    "translation is empty, or is its source kept as it is where the source is words to "
    "translate (not a name, an acronym, an address or placeholders only), or a key of the "
    "source that the translation lacks; fuzzy, unfinished and obsolete entries are counted "
    "in the summary instead.",
    nullptr, check};

}  // namespace corvel::report::rules
