#include "../finding_queue.h"
#include "../line_kinds.h"
#include "../pair_text.h"
#include "corvel/report/rule_catalogue.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace corvel::report::rules {

namespace {

std::string linesOf(std::int32_t n)
{
    return std::to_string(n) + (n == 1 ? " line" : " lines");
}

// A source of one or two short words ("Back", "When Worn").
bool shortSource(std::string_view source)
{
    return source.size() <= 24 && std::count(source.begin(), source.end(), ' ') <= 1;
}

// The distinct characters of a UTF-8 text that carry its meaning: every
// character beyond ASCII and the ASCII letters and digits, not the marks.
std::vector<std::string_view> meaningfulChars(std::string_view text)
{
    std::vector<std::string_view> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const std::size_t length = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        const std::string_view c = text.substr(i, length);
        i += length;
        if ((b < 0x80 && !std::isalnum(b)) || std::find(out.begin(), out.end(), c) != out.end())
            continue;
        out.push_back(c);
    }
    return out;
}

bool beyondAscii(std::string_view text)
{
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Two translations of a short word that share no character render two
// senses of it (Back: 后面 and 返回; Interface: 界面 and 接口), not one
// sense two ways (堆叠 and 堆积, 玫瑰图 and 夜莺图). One left in English is
// no sense of its own.
bool twoSenses(std::string_view source, std::string_view a, std::string_view b)
{
    if (!shortSource(source) || !beyondAscii(a) || !beyondAscii(b))
        return false;
    const std::vector<std::string_view> first = meaningfulChars(a);
    const std::vector<std::string_view> second = meaningfulChars(b);
    return std::none_of(first.begin(), first.end(), [&](std::string_view c) {
        return std::find(second.begin(), second.end(), c) != second.end();
    });
}

// Both translations quoted, with their lines.
std::optional<std::string> check(const DictionaryVerdict& verdict)
{
    const ConsistencyIndex::Verdict& census = verdict.census;
    if (twoSenses(verdict.source, verdict.translation, census.major))
        return std::nullopt;
    if (census.translations == 2 && census.lines == census.majorLines)
        // A tie: neither is the odd one out, so neither is called so.
        return "translated " + quote(verdict.translation) + " here and " + quote(census.major) +
               " at line " + std::to_string(census.majorFirst) + ", " + linesOf(census.lines) +
               " each: either may be the one to change";
    std::string message = "translated " + quote(verdict.translation) + " here (" +
                          linesOf(census.lines) + ") and " + quote(census.major) + " on " +
                          linesOf(census.majorLines) + " (first at line " +
                          std::to_string(census.majorFirst) + ")";
    if (census.translations > 2)
        message += "; " + std::to_string(census.translations) + " translations in all";
    return message;
}

}  // namespace

constexpr RuleExample kInconsistentTranslationExamples[] {
    {true, "Save\nSave\nSave", "保存\n保存\n存储"},
    {false, "Back\nBack", "后面\n返回"},
};

constinit const RuleInfo InconsistentTranslation {
    RuleId::InconsistentTranslation, "inconsistent-translation", Severity::Warning, true, kOnPair,
    "The same source has a different translation elsewhere in the dictionary.",
    "The same source text has more than one translation in the dictionary. Reported at the "
    "lines of the less used translations (of translations on as many lines, the one met "
    "first stands), quoting the most used one with its line count and first line.",
    kInconsistentTranslationExamples,
    nullptr, nullptr, nullptr, check};

}  // namespace corvel::report::rules
