#include "pair_text.h"

#include "chars.h"
#include "utf8.h"

#include <algorithm>

namespace corvel::report {

namespace {

// The "=" that separates source and translation; `first` is the first "=".
std::size_t separatorOf(std::string_view line, std::size_t first)
{
    std::size_t firstChinese = first + 1;
    while (firstChinese < line.size() &&
           !isTranslationByte(static_cast<unsigned char>(line[firstChinese])))
        ++firstChinese;
    if (firstChinese == line.size())
        return first;
    // Texts such as "%n=Nick name" keep their "=" in translation: with an
    // odd number of "=" the middle one splits them evenly.
    std::size_t count = static_cast<std::size_t>(std::count(line.begin(), line.end(), '='));
    if (count % 2 != 0) {
        std::size_t middle = first;
        for (std::size_t k = 0; k < count / 2; ++k)
            middle = line.find('=', middle + 1);
        if (middle < firstChinese)
            return middle;
    }
    return line.rfind('=', firstChinese);
}

}  // namespace

PairText equalsPair(std::string_view line, std::int32_t number)
{
    PairText pair;
    pair.sourceLine = pair.translationLine = number;
    std::size_t first = line.find('=');
    if (first == std::string_view::npos) {
        pair.source = line;
        return pair;
    }
    std::size_t equals = separatorOf(line, first);
    pair.source = line.substr(0, equals);
    pair.translation = line.substr(equals + 1);
    pair.translationColumn = static_cast<std::uint32_t>(equals + 1);
    return pair;
}

const std::string& QuotedPair::source()
{
    if (!source_)
        source_ = decoder_.toUtf8(pair_.source);
    return *source_;
}

const std::string& QuotedPair::translation()
{
    if (!translation_)
        translation_ = decoder_.toUtf8(pair_.translation);
    return *translation_;
}

void QuotedPair::fill(Finding& finding)
{
    finding.source = source();
    finding.translation = translation();
}

std::string quote(std::string_view utf8)
{
    constexpr std::size_t kMaxCharacters = 60;
    std::size_t characters = 0;
    std::size_t end = 0;
    while (end < utf8.size() && characters < kMaxCharacters) {
        ++end;
        while (end < utf8.size() && utf8::isContinuation(static_cast<std::uint8_t>(utf8[end])))
            ++end;
        ++characters;
    }
    std::string out = "\"";
    out.append(utf8.substr(0, end));
    out += end < utf8.size() ? "\u2026\"" : "\"";
    return out;
}

}  // namespace corvel::report
