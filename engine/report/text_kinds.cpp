#include "text_kinds.h"

#include "chars.h"
#include "gbk_chars.h"
#include "corvel/report/text_decoder.h"

#include <cctype>
#include <initializer_list>

namespace corvel::report {

namespace {

bool cjkCodePoint(char32_t c)
{
    return (c >= 0x3040 && c <= 0x312F) ||    // kana, bopomofo
           (c >= 0x3400 && c <= 0x4DBF) ||    // Han extension A
           (c >= 0x4E00 && c <= 0x9FFF) ||    // Han
           (c >= 0xAC00 && c <= 0xD7AF) ||    // hangul
           (c >= 0xF900 && c <= 0xFAFF) ||    // Han compatibility
           (c >= 0x20000 && c <= 0x3FFFF);    // Han beyond the BMP
}

// A GBK double-byte character that is CJK: Han (rows B0..F7 of GB2312 and
// the GBK extensions, whose trail bytes lie below 0xA1 or whose leads lie
// outside A1..A9), kana (rows A4, A5) and bopomofo (A8C5..A8E9).
bool cjkGbk(unsigned char lead, unsigned char trail)
{
    if (lead == 0xA4 || lead == 0xA5)
        return true;
    if (lead == 0xA8)
        return trail >= 0xC5 && trail <= 0xE9;
    if (lead >= 0xA1 && lead <= 0xA9)
        return false;  // symbols, full-width forms, Greek, Cyrillic, pinyin
    return true;
}

bool isPlaceholderStart(char c)
{
    return c == '%' || c == '$' || c == '@' || c == '{' || c == '\\' || c == '<';
}

// Skips a placeholder or markup at `i` (a rough reading: enough to leave
// out its letters).
std::size_t skipPlaceholder(std::string_view s, std::size_t i)
{
    const char c = s[i];
    std::size_t j = i + 1;
    if (c == '<' || c == '{') {
        const std::size_t end = s.find(c == '<' ? '>' : '}', j);
        return end == std::string_view::npos ? j : end + 1;
    }
    if (c == '\\')
        return std::min(s.size(), j + 1);
    // %s, %5.2f, %1$s, %C24, %O, $1, $t, @1
    while (j < s.size() && (std::isdigit(static_cast<unsigned char>(s[j])) || s[j] == '.' ||
                            s[j] == '-' || s[j] == '$' || s[j] == '*'))
        ++j;
    if (j < s.size() && std::isalpha(static_cast<unsigned char>(s[j])))
        ++j;
    while (c == '%' && j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])))
        ++j;  // %C24: a colour code and its number
    return j;
}

// A word kept as it is: an acronym (two or more capitals, or a letter
// with digits), a name with an inner capital, or a single capital letter.
bool nameLike(std::string_view word, bool withDigit)
{
    bool inner = false;
    bool lower = false;
    for (std::size_t k = 0; k < word.size(); ++k) {
        const bool upper = std::isupper(static_cast<unsigned char>(word[k])) != 0;
        inner = inner || (k > 0 && upper);
        lower = lower || !upper;
    }
    return withDigit || inner || !lower;
}

// A unit symbol: an SI prefix or none, then a unit (Hz, kHz, ms, dB, kbps,
// mm, px, fps). A translator keeps these as they are.
bool unitWord(std::string_view word)
{
    static constexpr std::string_view kUnits[] = {
        "Hz", "B", "b", "bit", "bits", "bps", "s", "sec", "min", "h", "g", "m", "W", "V", "A",
        "dB", "px", "pt", "fps", "rpm", "BPM", "Pa", "l", "L"};
    for (std::string_view unit : kUnits)
        if (word == unit)
            return true;
    if (word.size() < 2 || std::string_view("kKMGTmunp").find(word[0]) == std::string_view::npos)
        return word == "k";  // thousands (%gk)
    const std::string_view rest = word.substr(1);
    for (std::string_view unit : kUnits)
        if (rest == unit && unit != "min" && unit != "sec" && unit != "h")
            return true;
    return false;
}

// English words that carry no content of their own beside a placeholder or a
// number: articles, prepositions, conjunctions and the numbers one to
// twelve, which a translation writes as a digit or leaves to the word
// order ("for %1$s" as "%1$s", "eight" as "8").
bool functionWord(std::string_view word)
{
    static constexpr std::string_view kWords[] = {
        "a", "an", "the", "of", "for", "to", "in", "on", "at", "by", "per", "with", "from",
        "and", "or", "x", "zero", "one", "two", "three", "four", "five", "six", "seven",
        "eight", "nine", "ten", "eleven", "twelve"};
    for (std::string_view w : kWords)
        if (equalsIgnoringAsciiCase(word, w))
            return true;
    return false;
}

// Calls visit(word, hasDigit) for each word of `text` outside placeholders
// and markup; hyphens join the parts of one name (Wi-Fi, A-Z). Stops at
// the first visit that returns false, and returns false then.
template <typename Visit>
bool everyWord(std::string_view text, Visit visit);

bool addressLike(std::string_view s)
{
    if (s.find(' ') != std::string_view::npos)
        return false;
    return s.find("://") != std::string_view::npos || s.find('@') != std::string_view::npos ||
           s.find('/') != std::string_view::npos || s.find('*') != std::string_view::npos ||
           (s.find('.') != std::string_view::npos && s.find('.') + 1 < s.size());
}

template <typename Visit>
bool everyWord(std::string_view text, Visit visit)
{
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (isPlaceholderStart(c)) {
            i = skipPlaceholder(text, i);
            continue;
        }
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++i;
            continue;
        }
        std::size_t end = i;
        bool digit = false;
        auto inWord = [&](std::size_t k) {
            const auto b = static_cast<unsigned char>(text[k]);
            return std::isalnum(b) || b == '_' ||
                   (b == '-' && k + 1 < text.size() &&
                    std::isalnum(static_cast<unsigned char>(text[k + 1])));
        };
        while (end < text.size() && inWord(end)) {
            digit = digit || std::isdigit(static_cast<unsigned char>(text[end])) != 0;
            ++end;
        }
        if (!visit(text.substr(i, end - i), digit))
            return false;
        i = end;
    }
    return true;
}

// A reference to another text of the dictionary ({$Mods.Name.Key},
// {@Key}) standing alone: the game puts that text in its place.
bool keyReference(std::string_view text)
{
    const std::size_t begin = text.find_first_not_of(' ');
    const std::size_t end = text.find_last_not_of(' ');
    if (begin == std::string_view::npos || end - begin < 3)
        return false;
    text = text.substr(begin, end + 1 - begin);
    return text.front() == '{' && text.back() == '}' && (text[1] == '$' || text[1] == '@') &&
           text.find('}') == text.size() - 1;
}

// The placeholders of `text` that stand for values (not escapes).
std::size_t placeholderCount(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t end = isPlaceholderStart(text[i]) ? skipPlaceholder(text, i) : i + 1;
        count += end > i + 1 && text[i] != '\\';
        i = end;
    }
    return count;
}

// Whether `text`, apart from placeholders and markup, holds a letter.
bool holdsWord(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        if (isPlaceholderStart(text[i])) {
            i = skipPlaceholder(text, i);
            continue;
        }
        if (std::isalpha(static_cast<unsigned char>(text[i])))
            return true;
        ++i;
    }
    return false;
}

// Whether `text` puts signs between placeholders that stand for values
// (%s, {0}, $1, @1, %{count}): "{1}/{2}" for "{1} of {2}".
bool placeholdersWithSigns(std::string_view text)
{
    bool placeholder = false;
    bool sign = false;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const std::size_t end = isPlaceholderStart(c) ? skipPlaceholder(text, i) : i + 1;
        if (end > i + 1)
            placeholder = placeholder || c != '\\';
        else
            sign = sign || std::ispunct(static_cast<unsigned char>(c)) != 0;
        i = end;
    }
    return placeholder && sign;
}

bool oneOf(std::string_view word, std::initializer_list<std::string_view> names)
{
    for (std::string_view name : names)
        if (equalsIgnoringAsciiCase(word, name))
            return true;
    return false;
}

// The keys that keyboards and manuals name in English, in Chinese
// interfaces too. The modifiers stand alone as key labels; the other keys
// count only in a combination with a modifier (a lone "Home" or "Delete"
// is a word to translate).
bool modifierKey(std::string_view word)
{
    return oneOf(word, {"Ctrl", "Control", "Shift", "Alt", "AltGr", "Super", "Meta", "Cmd",
                        "Win", "Windows", "Fn"});
}

bool namedKey(std::string_view word)
{
    if (word.size() == 1)
        return true;  // a letter, a digit or a sign: Ctrl+C, Ctrl++
    if ((word[0] == 'F' || word[0] == 'f') && word.size() <= 3 &&
        std::isdigit(static_cast<unsigned char>(word[1])))
        return true;  // F1..F24
    return modifierKey(word) ||
           oneOf(word, {"Option", "Opt", "Command", "Enter", "Return", "Esc", "Escape", "Tab",
                        "Space", "Backspace", "Delete", "Del", "Insert", "Ins", "Home", "End",
                        "PageUp", "PageDown", "PgUp", "PgDn", "Up", "Down", "Left", "Right"});
}

// A key or a key combination: Ctrl, Shift+F2, Ctrl+Alt+Delete.
bool keyCombination(std::string_view text)
{
    std::size_t parts = 0;
    bool modifier = false;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('+', start + 1);  // the key of Ctrl++ is "+"
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view part = text.substr(start, end - start);
        if (part.empty() || !namedKey(part))
            return false;
        modifier = modifier || modifierKey(part);
        ++parts;
        start = end + 1;
    }
    return modifier && (parts > 1 || modifierKey(text));
}

// A date or time format pattern: runs of one pattern letter apart from
// separators, at least two of them (yyyy-MM-dd, HH:mm:ss, MM/DD/YYYY).
bool datePattern(std::string_view text)
{
    constexpr std::string_view kLetters = "yYMdDHhmsSaE";
    constexpr std::string_view kSeparators = "-/.:, ";
    std::size_t runs = 0;
    bool longRun = false;
    for (std::size_t i = 0; i < text.size();) {
        if (kSeparators.find(text[i]) != std::string_view::npos) {
            ++i;
            continue;
        }
        if (kLetters.find(text[i]) == std::string_view::npos)
            return false;
        std::size_t end = i;
        while (end < text.size() && text[end] == text[i])
            ++end;
        if (end < text.size() && std::isalpha(static_cast<unsigned char>(text[end])))
            return false;  // "Mad", "dds": a word, not runs
        longRun = longRun || end - i > 1;
        ++runs;
        i = end;
    }
    return runs > 1 && longRun;
}

}  // namespace

bool holdsCjk(std::string_view text, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8) {
        char32_t code = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            std::size_t length = utf8::charAt(text, i, code);
            if (length > 0 && cjkCodePoint(code))
                return true;
            if (length > 0)
                i += length - 1;
        }
        return false;
    }
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = gbk::charLength(text, i);
        if (length == 2 && cjkGbk(static_cast<unsigned char>(text[i]),
                                  static_cast<unsigned char>(text[i + 1])))
            return true;
        if (length == 1 && static_cast<unsigned char>(text[i]) >= 0x80)
            return true;  // a byte that is no GBK character: leave it to the check log's class
        i += length;
    }
    return false;
}

// A message ID rather than a text: lower-case words joined by '-' or '_'
// without spaces ("translator-credits", "gnome-aisleriot"). Its
// translation is data (the translators' names, a program's name).
bool messageId(std::string_view source)
{
    bool joiner = false;
    for (char c : source) {
        if (c == '-' || c == '_')
            joiner = true;
        else if (!(c >= 'a' && c <= 'z') && !(c >= '0' && c <= '9'))
            return false;
    }
    return joiner && source.front() >= 'a' && source.front() <= 'z';
}

// A text of the game's qualifier alone, "?name:" with nothing after it: the
// qualifier tells two uses of one word apart and is never shown.
bool qualifierOnly(std::string_view source)
{
    if (source.size() < 3 || source.front() != '?' || source.back() != ':')
        return false;
    for (char c : source.substr(1, source.size() - 2))
        if (!(c >= 'a' && c <= 'z') && c != '_')
            return false;
    return true;
}

bool keptInEnglish(std::string_view source, std::string_view translation)
{
    if (translation.empty())
        return false;
    if (messageId(source) || qualifierOnly(source))
        return true;
    // A translation with no word in it that rewrites the source's
    // placeholders ("{1} of {2}" as "{1}/{2}") or stands for a source with
    // no word either: nothing was left to translate.
    const auto keptWord = [](std::string_view word, bool digit) {
        return nameLike(word, digit) || unitWord(word);
    };
    if (source != translation) {
        if (keyReference(translation))
            return true;
        if (!holdsWord(translation))
            return !holdsWord(source) || placeholdersWithSigns(translation) ||
                   (placeholderCount(translation) <= 1 &&
                    everyWord(source, [](std::string_view word, bool) { return functionWord(word); }));
        // Written with acronyms, units and digits only ("beats/minute" as
        // "BPM", "ace" as "A", "Midi IO" as "MIDI IO").
        return everyWord(translation, keptWord);
    }
    if (addressLike(source) || keyCombination(source) || datePattern(source))
        return true;
    return everyWord(source, keptWord);
}

}  // namespace corvel::report
