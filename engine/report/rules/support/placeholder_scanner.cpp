#include "placeholder_scanner.h"

#include "report/byte_scan.h"
#include "report/gbk_chars.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace corvel::report {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isOneOf(char c, const char* set)
{
    return c != '\0' && std::strchr(set, c) != nullptr;
}

// Tag names of HTML text formatting, Pango markup and Unity rich text.
// Other names in angle brackets (<name>, <none>, <channel>) are text.
constexpr std::array<std::string_view, 52> kTagNames {
    "a",      "abbr",   "align",   "alpha", "b",     "big",   "blockquote", "br",    "center",
    "code",   "color",  "cspace",  "del",   "div",   "em",    "font",       "h1",    "h2",
    "h3",     "h4",     "h5",      "h6",    "hr",    "i",     "img",        "indent", "ins",
    "kbd",    "li",     "link",    "mark",  "material", "mspace", "nobr",   "ol",    "p",
    "pre",    "q",      "quad",    "s",     "size",  "small", "span",       "sprite", "strike",
    "strong", "sub",    "sup",     "tt",    "u",     "ul",    "voffset"};

bool isTagName(std::string_view name)
{
    return std::find(kTagNames.begin(), kTagNames.end(), name) != kTagNames.end();
}

// The inline codes of translation interchange files, as their readers write
// them into a text: <x id="1"/>, <g id="2">...</g>, <ec startRef="3"/>.
// Recognised only with their id, so that each code is told apart.
constexpr std::array<std::string_view, 11> kInlineCodeNames {"x", "g", "bx", "ex", "ph", "bpt",
                                                             "ept", "it", "pc", "sc", "ec"};

bool isInlineCodeName(std::string_view name)
{
    return std::find(kInlineCodeNames.begin(), kInlineCodeNames.end(), name) !=
           kInlineCodeNames.end();
}

}  // namespace


void PlaceholderScanner::scan(std::string_view text, bool lookAlikes, std::vector<Placeholder>& out)
{
    out.clear();
    readUnits(text, lookAlikes);
    nextArgument_ = 1;
    std::size_t i = 0;
    Placeholder p;
    while (i < units_.size()) {
        std::size_t next = i + 1;
        p.qtLength = 0;
        p.qtKey.clear();
        p.positional = false;
        if (parseAt(i, p, next)) {
            p.offset = units_[i].begin;
            p.length = units_[next - 1].end - units_[i].begin;
            p.fullwidth = false;
            for (std::size_t k = i; k < next; ++k)
                p.fullwidth = p.fullwidth || units_[k].wide;
            out.push_back(p);
        }
        i = next;
    }
    settleReadings(out, out);
}

namespace {

bool isDoubleBrace(const Placeholder& p)
{
    return p.kind == PlaceholderKind::Brace && p.key.starts_with("{{");
}

bool holdsQt(const std::vector<Placeholder>& found)
{
    return std::any_of(found.begin(), found.end(),
                       [](const Placeholder& p) { return p.kind == PlaceholderKind::Qt; });
}

bool holdsSingleBrace(const std::vector<Placeholder>& found)
{
    return std::any_of(found.begin(), found.end(), [](const Placeholder& p) {
        return p.kind == PlaceholderKind::Brace && !isDoubleBrace(p);
    });
}

void readAsQt(std::vector<Placeholder>& found)
{
    for (Placeholder& p : found)
        readAsQt(p);
}

}  // namespace

// %1d read as Qt's %1 followed by the letter d.
void readAsQt(Placeholder& p)
{
    if (p.qtLength == 0)
        return;
    p.kind = PlaceholderKind::Qt;
    p.length = p.qtLength;
    p.qtLength = 0;
    p.key = std::move(p.qtKey);
}

void settleReadings(std::vector<Placeholder>& a, std::vector<Placeholder>& b)
{
    if (holdsQt(a) || holdsQt(b)) {
        readAsQt(a);
        readAsQt(b);
    }
    if (holdsSingleBrace(a) || holdsSingleBrace(b)) {
        std::erase_if(a, isDoubleBrace);
        std::erase_if(b, isDoubleBrace);
    }
}

void PlaceholderScanner::readUnits(std::string_view text, bool lookAlikes)
{
    units_.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t length = steps_.length(text, i);
        Unit unit {0, false, static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(i + length)};
        if (length == 1) {
            auto b = static_cast<unsigned char>(text[i]);
            if (b < 0x80 && b != static_cast<unsigned char>(kSectionUnit))
                unit.c = static_cast<char>(b);
        } else {
            std::uint16_t wide = steps_.wideAt(text, i);
            if (wide == gbk::kSection) {
                unit.c = kSectionUnit;
            } else if (lookAlikes) {
                unit.c = gbk::halfWidthOf(wide);
                unit.wide = unit.c != 0;
            }
        }
        units_.push_back(unit);
        i += length;
    }
}

bool PlaceholderScanner::parseAt(std::size_t i, Placeholder& p, std::size_t& next)
{
    switch (at(i)) {
    case '%':
        if (lispLineBreak(i))
            return false;
        return parsePercent(i, p, next);
    case '_': return parseUnderscored(i, p, next);
    case '{': return parseBrace(i, p, next);
    case '}':
        if (at(i + 1) == '}')
            next = i + 2;  // a literal brace
        return false;
    case '\\': return parseEscape(i, p, next);
    case '<': return parseTag(i, p, next);
    case kSectionUnit: return parseSection(i, p, next);
    case '@': return parseArgument(i, p, next);
    default: return false;
    }
}

// printf: %[argument$][flags][width][.precision][length]conversion, with
// Python's %(name)s; Qt's %1..%99 where no conversion follows. A space is
// not taken as a flag, so "50% off" holds no placeholder.
bool PlaceholderScanner::parsePercent(std::size_t i, Placeholder& p, std::size_t& next)
{
    std::size_t j = i + 1;
    if (at(j) == '%') {
        p.kind = PlaceholderKind::Printf;
        p.key.assign(2, '%');
        next = j + 1;
        return true;
    }
    std::string name;
    int argument = 0;
    if (at(j) == '(') {
        std::size_t k = j + 1;
        while (isLetter(at(k)) || isDigit(at(k)) || at(k) == '_')
            name += at(k++);
        if (name.empty() || at(k) != ')')
            return false;
        j = k + 1;
    } else {
        std::size_t k = j;
        int value = 0;
        while (isDigit(at(k)) && value < 1000)
            value = value * 10 + (at(k++) - '0');
        if (k > j && at(k) == '$' && value > 0) {
            argument = value;
            j = k + 1;
        }
    }
    const std::size_t digitsFrom = i + 1;
    bool star = false;
    // A width or a precision: '*' (taken from the arguments) or digits.
    auto starOrDigits = [&] {
        if (at(j) == '*') {
            star = true;
            ++j;
            return;
        }
        while (isDigit(at(j)))
            ++j;
    };
    while (isOneOf(at(j), "-+#0'"))
        ++j;
    starOrDigits();
    if (at(j) == '.') {
        ++j;
        starOrDigits();
    }
    std::string length;
    if ((at(j) == 'h' && at(j + 1) == 'h') || (at(j) == 'l' && at(j + 1) == 'l')) {
        length.assign(2, at(j));
        j += 2;
    } else if (isOneOf(at(j), "hlLqjzt")) {
        length = at(j++);
    }
    char conversion = at(j);
    if (isOneOf(conversion, "diouxXeEfFgGaAcspnSC@")) {
        // %1d: a width of 1 to 99 right after the %, and a letter.
        const std::size_t widthDigits = j - digitsFrom;
        bool digitsOnly = at(digitsFrom) != '0' && (widthDigits == 1 || widthDigits == 2);
        for (std::size_t d = digitsFrom; d < j; ++d)
            digitsOnly = digitsOnly && isDigit(at(d));
        if (name.empty() && argument == 0 && !star && length.empty() && conversion != '@' &&
            digitsOnly) {
            p.qtLength = units_[j - 1].end - units_[i].begin;
            p.qtKey.assign(1, '%');
            for (std::size_t d = digitsFrom; d < j; ++d)
                p.qtKey += at(d);
        }
        if (name.empty() && argument == 0) {
            if (star)
                ++nextArgument_;
            argument = nextArgument_++;
        }
        p.kind = PlaceholderKind::Printf;
        p.positional = name.empty() && argument > 0 && argument < 100 && at(i + 1) != '(' &&
                       isDigit(at(i + 1)) && (at(i + 2) == '$' || at(i + 3) == '$');
        p.key.assign(1, '%');
        p.key += name.empty() ? std::to_string(argument) + "$" : "(" + name + ")";
        if (star)
            p.key += '*';
        p.key += length;
        p.key += conversion == 'i' ? 'd' : conversion;
        next = j + 1;
        return true;
    }
    return parseQt(digitsFrom, name.empty() && argument == 0, p, next);
}

// Qt: % and one or two digits, the first not 0 (%1..%99), localised with L
// (%L1), or %0 alone; no digit after them.
bool PlaceholderScanner::parseQt(std::size_t from, bool plain, Placeholder& p, std::size_t& next)
{
    std::size_t k = from;
    const bool localised = at(k) == 'L';
    if (localised)
        ++k;
    if (!plain || !isDigit(at(k)))
        return false;
    std::size_t end = at(k) != '0' && isDigit(at(k + 1)) ? k + 2 : k + 1;
    if (isDigit(at(end)) || (at(k) == '0' && localised))
        return false;
    p.kind = PlaceholderKind::Qt;
    p.key.assign(1, '%');
    for (std::size_t d = from; d < end; ++d)
        p.key += at(d);
    next = end;
    return true;
}

// {0}, {name}, {} and {0:format}; {{ is a literal brace.
bool PlaceholderScanner::parseBrace(std::size_t i, Placeholder& p, std::size_t& next)
{
    if (at(i + 1) == '{') {
        if (parseDoubleBrace(i, p, next))
            return true;
        next = i + 2;
        return false;
    }
    std::size_t j = i + 1;
    std::string name;
    if (isDigit(at(j))) {
        while (isDigit(at(j)))
            name += at(j++);
    } else if (isLetter(at(j)) || at(j) == '_') {
        while (isLetter(at(j)) || isDigit(at(j)) || at(j) == '_' || at(j) == '.')
            name += at(j++);
    }
    if (!name.empty() && (at(j) == ':' || at(j) == ',')) {
        while (j < units_.size() && at(j) != '}' && at(j) != '{')
            ++j;
    }
    if (at(j) != '}')
        return false;
    if (name.empty() && emptyBracketsBeside(i, j))
        return false;  // "{} [] or ()": the brackets named in prose
    p.kind = PlaceholderKind::Brace;
    p.key = "{" + name + "}";
    next = j + 1;
    return true;
}

// A template's {{name}} or {{ name }}, the name starting with a letter;
// settleReadings() takes it for literal braces beside {0} or {name}.
bool PlaceholderScanner::parseDoubleBrace(std::size_t i, Placeholder& p, std::size_t& next)
{
    std::size_t j = i + 2;
    while (at(j) == ' ')
        ++j;
    std::string name;
    if (!isLetter(at(j)) && at(j) != '_')
        return false;
    while (isLetter(at(j)) || isDigit(at(j)) || at(j) == '_' || at(j) == '.')
        name += at(j++);
    while (at(j) == ' ')
        ++j;
    if (at(j) != '}' || at(j + 1) != '}')
        return false;
    p.kind = PlaceholderKind::Brace;
    p.key = "{{" + name + "}}";
    next = j + 2;
    return true;
}

// "~%" is the line break of a Lisp format string where a word
// ("~%Select") or no conversion ("~%~%", "~% ") follows it; a tilde before
// a conversion ("%2$lu~%3$lu", "1~%d") is a range sign.
bool PlaceholderScanner::lispLineBreak(std::size_t i) const
{
    if (i == 0 || at(i - 1) != '~')
        return false;
    const char c = at(i + 1);
    if (c >= 'A' && c <= 'Z')
        return at(i + 2) >= 'a' && at(i + 2) <= 'z';
    return !isLetter(c) && !isDigit(c) && !isOneOf(c, "-+#0'.*(%");
}

// Whether an empty "{}" between `open` and `close` stands beside an
// empty "[]" or "()" (past spaces, commas and CJK characters such as 、
// and 或): brackets named in prose.
bool PlaceholderScanner::emptyBracketsBeside(std::size_t open, std::size_t close) const
{
    auto pairAt = [&](std::size_t k) {
        return (at(k) == '[' && at(k + 1) == ']') || (at(k) == '(' && at(k + 1) == ')');
    };
    auto between = [&](std::size_t k) {
        return k < units_.size() && (at(k) == ' ' || at(k) == ',' || at(k) == '\0');
    };
    std::size_t k = close + 1;
    while (between(k))
        ++k;
    if (pairAt(k))
        return true;
    k = open;
    while (k > 0 && between(k - 1))
        --k;
    return k >= 2 && pairAt(k - 2);
}

// A backslash shown as a character between quotes ('\' or "\" followed
// by no word): it escapes nothing.
bool PlaceholderScanner::literalBackslash(std::size_t i) const
{
    const char quote = i > 0 ? at(i - 1) : '\0';
    if ((quote != '\'' && quote != '"') || at(i + 1) != quote)
        return false;
    const char after = at(i + 2);
    return !isLetter(after) && !isDigit(after) && after != '%' && after != '\\' && after != quote;
}

bool PlaceholderScanner::parseEscape(std::size_t i, Placeholder& p, std::size_t& next)
{
    char c = at(i + 1);
    if (!isOneOf(c, "ntr\"'\\0abfv") || literalBackslash(i))
        return false;
    p.kind = PlaceholderKind::Escape;
    p.key = {'\\', c};
    next = i + 2;
    return true;
}

// <name ...>, </name>, <name/>, <name .../> for the tag names above.
bool PlaceholderScanner::parseTag(std::size_t i, Placeholder& p, std::size_t& next)
{
    std::size_t j = i + 1;
    bool closing = at(j) == '/';
    if (closing)
        ++j;
    std::string name;
    if (!isLetter(at(j)))
        return false;
    while (isLetter(at(j)) || isDigit(at(j)))
        name += lower(at(j++));
    if (isInlineCodeName(name) && parseInlineCode(i, j, closing, name, p, next))
        return true;
    if (!isTagName(name))
        return false;
    bool selfClosing = false;
    if (at(j) == '/' && at(j + 1) == '>') {
        selfClosing = true;
        ++j;
    } else if (at(j) == ' ' || at(j) == '=') {
        while (j < units_.size() && at(j) != '>' && at(j) != '<')
            ++j;
        selfClosing = at(j) == '>' && at(j - 1) == '/';
    }
    if (at(j) != '>' || (closing && selfClosing))
        return false;
    p.kind = PlaceholderKind::Tag;
    p.key = closing ? "</" + name + ">" : selfClosing ? "<" + name + "/>" : "<" + name + ">";
    next = j + 1;
    return true;
}

// After "<name" or "</name" at j: ' id="..."' or ' startRef="..."', then
// ">" or "/>"; a closing tag only for the paired codes g and pc. The key is
// the tag as written.
bool PlaceholderScanner::parseInlineCode(std::size_t i, std::size_t j, bool closing,
                                         const std::string& name, Placeholder& p,
                                         std::size_t& next)
{
    if (closing) {
        if ((name != "g" && name != "pc") || at(j) != '>')
            return false;
    } else {
        std::string attribute;
        if (at(j++) != ' ')
            return false;
        while (isLetter(at(j)))
            attribute += at(j++);
        if ((attribute != "id" && attribute != "startRef") || at(j) != '=' || at(j + 1) != '"')
            return false;
        j += 2;
        while (j < units_.size() && at(j) != '"' && at(j) != '<' && at(j) != '>')
            ++j;
        if (at(j) != '"')
            return false;
        ++j;
        if (at(j) == '/')
            ++j;
        if (at(j) != '>')
            return false;
    }
    p.kind = PlaceholderKind::Tag;
    p.key.clear();
    for (std::size_t k = i; k <= j; ++k)
        p.key += at(k);
    next = j + 1;
    return true;
}

// §0..§9, §a..§f, §k..§o, §r (either case).
bool PlaceholderScanner::parseSection(std::size_t i, Placeholder& p, std::size_t& next)
{
    char c = lower(at(i + 1));
    if (!isOneOf(c, "0123456789abcdefklmnor"))
        return false;
    p.kind = PlaceholderKind::Section;
    p.key = {kSectionUnit, c};
    next = i + 2;
    return true;
}

// @1..@9 not followed by a letter or digit.
bool PlaceholderScanner::parseArgument(std::size_t i, Placeholder& p, std::size_t& next)
{
    char c = at(i + 1);
    char after = at(i + 2);
    if (c < '1' || c > '9' || isDigit(after) || isLetter(after))
        return false;
    p.kind = PlaceholderKind::Argument;
    p.key = {'@', c};
    next = i + 2;
    return true;
}

// Factorio's numbered arguments: __1__ .. __99__, not inside a word.
bool PlaceholderScanner::parseUnderscored(std::size_t i, Placeholder& p, std::size_t& next)
{
    if (at(i + 1) != '_' || !isDigit(at(i + 2)) || (i > 0 && (isLetter(at(i - 1)) ||
                                                             isDigit(at(i - 1)) || at(i - 1) == '_')))
        return false;
    std::size_t j = i + 2;
    while (isDigit(at(j)) && j < i + 4)
        ++j;
    if (at(j) != '_' || at(j + 1) != '_' || isLetter(at(j + 2)) || isDigit(at(j + 2)) ||
        at(j + 2) == '_')
        return false;
    p.kind = PlaceholderKind::Argument;
    p.key.assign("__");
    for (std::size_t d = i + 2; d < j; ++d)
        p.key += at(d);
    p.key += "__";
    next = j + 2;
    return true;
}

}  // namespace corvel::report
