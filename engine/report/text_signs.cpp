#include "text_signs.h"

#include "line_kinds.h"

#include <array>
#include <cctype>

namespace corvel::report {

namespace {

// A source of this many bytes or more is weighed against the length of
// its translation.
constexpr std::size_t kLongSource = 40;

// Bits of the byte table beyond the LineKind bits: a tag needs both.
constexpr unsigned kLessSign = 1u << 30;
constexpr unsigned kEqualsSign = 1u << 31;

// What a source byte says about the pair. '@', '[', ']' and '\\' may be
// GBK trail bytes: then the answer is yes too often, which is allowed.
constexpr std::array<unsigned, 256> makeSignTable()
{
    std::array<unsigned, 256> table {};
    for (unsigned b = 0; b < 0x20; ++b)
        if (b != '\t' && b != '\n')
            table[b] |= kOnSourceControl;
    table['('] = table[')'] = table['['] = table[']'] = kOnBracket;
    table['"'] = kOnQuote;
    // The leads of “ ” in GBK (A1) and in UTF-8 (E2), and of 「 」 in UTF-8 (E3).
    table[0xA1] = table[0xE2] = table[0xE3] = kOnQuote;
    table['/'] = kOnAddress | kOnPath;
    table['@'] = kOnAddress;
    table['\\'] = kOnPath;
    table['-'] = kOnOption;
    table['$'] = kOnDollar;
    table['<'] = kLessSign;
    table['='] = kEqualsSign;
    return table;
}

constexpr std::array<unsigned, 256> kSignTable = makeSignTable();

bool endsInMark(std::string_view text)
{
    std::size_t n = text.size();
    while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\t'))
        --n;
    if (n == 0)
        return false;
    switch (const auto last = static_cast<unsigned char>(text[n - 1])) {
    case '?': case '!': case ':': case '.': case '>': case 'n': return true;
    default: return last >= 0x80;  // a full-width or CJK mark, "…"
    }
}

// A translation ending in "?" may have lost its last character to a
// conversion ("笑笑?"), whatever its source ends in.
bool endsInQuestionMark(std::string_view text)
{
    std::size_t n = text.size();
    while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\t'))
        --n;
    return n > 0 && text[n - 1] == '?';
}

// kOnInnerSpace and kOnDoubleSpace of a translation, in one pass (most
// translations are short: a loop beats calls into the C library).
unsigned spaceKinds(std::string_view text)
{
    unsigned kinds = 0;
    bool previous = false;
    for (char c : text) {
        const bool space = c == ' ';
        if (space)
            kinds |= previous ? kOnInnerSpace | kOnDoubleSpace : kOnInnerSpace;
        previous = space;
    }
    return kinds;
}

// GBK codes of the CJK punctuation the rules read (row A1), as code points.
char32_t gbkPunctuation(std::uint16_t wide)
{
    switch (wide) {
    case 0xA1A1: return 0x3000;  // 　
    case 0xA1A2: return 0x3001;  // 、
    case 0xA1A3: return 0x3002;  // 。
    case 0xA1AD: return 0x2026;  // …
    case 0xA1AE: return 0x2018;  // ‘
    case 0xA1AF: return 0x2019;  // ’
    case 0xA1B0: return 0x201C;  // “
    case 0xA1B1: return 0x201D;  // ”
    case 0xA1B2: return 0x3014;  // 〔
    case 0xA1B3: return 0x3015;  // 〕
    case 0xA1B4: return 0x3008;  // 〈
    case 0xA1B5: return 0x3009;  // 〉
    case 0xA1B6: return 0x300A;  // 《
    case 0xA1B7: return 0x300B;  // 》
    case 0xA1B8: return 0x300C;  // 「
    case 0xA1B9: return 0x300D;  // 」
    case 0xA1BA: return 0x300E;  // 『
    case 0xA1BB: return 0x300F;  // 』
    case 0xA1BC: return 0x3016;  // 〖
    case 0xA1BD: return 0x3017;  // 〗
    case 0xA1BE: return 0x3010;  // 【
    case 0xA1BF: return 0x3011;  // 】
    case 0xA3A4: return 0xFFE5;  // ￥
    default: return kOtherChar;
    }
}

bool startsCharacter(std::string_view text, std::size_t at, const gbk::CharSteps& steps)
{
    std::size_t i = 0;
    while (i < at)
        i += steps.length(text, i);
    return i == at;
}

bool tokenChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '-';
}

}  // namespace

unsigned signKinds(const PairFacts& pair)
{
    const std::string_view source = pair.source;
    const std::string_view translation = pair.translation;
    unsigned signs = 0;
    for (char c : source)
        signs |= kSignTable[static_cast<unsigned char>(c)];
    unsigned kinds = signs & ~(kLessSign | kEqualsSign);
    if ((signs & kLessSign) != 0 && (signs & kEqualsSign) != 0)
        kinds |= kOnAttribute;
    if (endsInMark(source) || endsInQuestionMark(translation))
        kinds |= kOnEndMark;
    if (source.size() >= kLongSource)
        kinds |= kOnLongSource;
    return kinds | spaceKinds(translation);
}

char32_t markAt(std::string_view text, std::size_t at, const gbk::CharSteps& steps,
                std::size_t& length)
{
    const auto b = static_cast<unsigned char>(text[at]);
    length = 1;
    if (b < 0x80)
        return b;
    if (steps.utf8()) {
        char32_t code = 0;
        length = std::max<std::size_t>(utf8::charAt(text, at, code), 1);
        return length > 1 ? code : kOtherChar;
    }
    length = gbk::charLength(text, at);
    const std::uint16_t wide = gbk::wideAt(text, at);
    if (wide == 0)
        return kOtherChar;
    if (gbk::halfWidthOf(wide) != 0 && (wide >> 8) == 0xA3)
        return 0xFF01 + ((wide & 0xFF) - 0xA1);
    return gbkPunctuation(wide);
}

bool holdsToken(std::string_view text, std::string_view token, const gbk::CharSteps& steps)
{
    bool found = false;
    // The token's own characters decide where it ends; '.' and '/' inside
    // an address or path are part of it.
    for (std::size_t at = text.find(token); at != std::string_view::npos && !found;
         at = text.find(token, at + 1)) {
        const bool before = at > 0 && static_cast<unsigned char>(text[at - 1]) < 0x80 &&
                            tokenChar(text[at - 1]) && tokenChar(token.front());
        const std::size_t end = at + token.size();
        const bool after = end < text.size() && tokenChar(text[end]) && tokenChar(token.back());
        if (before || after)
            continue;
        found = startsCharacter(text, at, steps);  // not on a GBK trail byte
    }
    return found;
}

}  // namespace corvel::report
