#include "../line_rules.h"

namespace corvel::report::rules {

namespace {

// A translation kept as its source where a translator rightly keeps it is
// kept-in-english's. In a translation file also an empty translation and a
// key of the source that the file lacks.
void check(const LineRuleContext& line, std::vector<Finding>& out)
{
    if (line.keptInEnglish())
        return;
    const bool empty = line.pair().translation.empty();
    std::string message;
    if (line.key == nullptr)
        message = line.layout() == Layout::Equals && empty
                      ? std::string("nothing after \"=\"")
                      : "the translation " + quote(line.translation()) +
                            " holds no Chinese character";
    else if (line.sourceLine)
        message = "the key " + quote(*line.key) + " (line " + std::to_string(*line.sourceLine) +
                  " of " + std::string(line.sourceFile) + ") has no translation in this file";
    else
        message = empty ? std::string("the translation is empty")
                        : "the translation is the source " + quote(line.source()) +
                              " kept as it is";
    out.push_back(line.finding(RuleId::Untranslated, std::move(message)));
}

}  // namespace

constexpr RuleExample kUntranslatedExamples[] {
    {true, "Open file", "Open file"},
    {false, "USB", "USB"},
};

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
    kUntranslatedExamples,
    nullptr, check};

}  // namespace corvel::report::rules
