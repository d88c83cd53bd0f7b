#include "../pair_checks.h"

#include <cctype>

namespace corvel::report::rules {

namespace {

// Below this many letters a source is too short to say what length its
// translation should have.
constexpr std::size_t kLongEnough = 30;
// A Chinese character says about as much as this many English letters.
constexpr std::size_t kLettersPerCharacter = 3;
// The translation is far too short when it says less than one part in
// this many of the source.
constexpr std::size_t kFarTooShort = 5;

std::size_t letters(std::string_view text)
{
    std::size_t n = 0;
    for (char c : text)
        n += std::isalpha(static_cast<unsigned char>(c)) != 0;
    return n;
}

// What the translation says, in English letters: its letters and digits,
// and each multibyte character as kLettersPerCharacter of them.
std::size_t weight(std::string_view text, const gbk::CharSteps& steps)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = steps.length(text, i);
        if (length > 1)
            n += kLettersPerCharacter;
        else
            n += std::isalnum(static_cast<unsigned char>(text[i])) != 0;
        i += length;
    }
    return n;
}

void check(PairRuleContext& context, std::vector<Finding>& out)
{
    const PairText& pair = context.pair();
    const std::size_t sourceLetters = letters(pair.source);
    if (sourceLetters < kLongEnough)
        return;
    const std::size_t translationWeight = weight(pair.translation, gbk::CharSteps(context.encoding()));
    if (translationWeight * kFarTooShort >= sourceLetters)
        return;
    out.push_back(context.finding(
        RuleId::TooShort, "the translation is far too short for its source: " +
                              std::to_string(sourceLetters) + " letters in the source, " +
                              std::to_string(translationWeight / kLettersPerCharacter) +
                              " characters' worth in the translation"));
}

}  // namespace

constexpr RuleExample kTooShortExamples[] {
    {true, "Select the folder where the game saves its files", "选择"},
    {false, "Select the folder where the game saves its files",
     "选择游戏保存文件的文件夹"},
};

constinit const RuleInfo TooShort {
    RuleId::TooShort, "too-short", Severity::Warning, true, kOnLongSource,
    "The translation is far too short for its source.",
    "A source of at least 30 letters whose translation says less than a fifth of it, a "
    "Chinese character counting as three English letters (a typical sentence takes one "
    "Chinese character for three to four letters): a sentence or more was likely left out. "
    "Shorter sources are not weighed.",
    kTooShortExamples,
    check};

}  // namespace corvel::report::rules
