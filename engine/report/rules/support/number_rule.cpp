#include "number_rule.h"

#include "report/byte_scan.h"
#include "report/gbk_chars.h"
#include "placeholder_rules.h"

#include <algorithm>

namespace corvel::report {

namespace {

// The digit of the character at `at` ('0'..'9', full-width ones read as
// ASCII), or 0; `length` is the character's length.
char digitAt(std::string_view text, std::size_t at, std::size_t length, const gbk::CharSteps& steps)
{
    if (length == 1)
        return text[at] >= '0' && text[at] <= '9' ? text[at] : 0;
    std::uint16_t wide = steps.wideAt(text, at);
    return wide >= 0xA3B0 && wide <= 0xA3B9 ? static_cast<char>((wide & 0xFF) - 0x80) : 0;
}

// Reads a text character by character, stepping over placeholders.
class NumberReader {
public:
    NumberReader(std::string_view text, const std::vector<Placeholder>& placeholders,
                 const gbk::CharSteps& steps)
        : text_(text), placeholders_(placeholders), steps_(steps)
    {
        nextPlaceholder();
    }

    bool done() const { return at_ >= text_.size(); }
    std::string_view text() const { return text_; }
    std::size_t length() const { return length_; }
    // The last advance() jumped over a placeholder.
    bool jumped() const { return jumped_; }
    char digit() const { return digit_; }
    std::size_t at() const { return at_; }

    void advance()
    {
        at_ += length_;
        std::size_t expected = at_;
        if (at_ >= skipFrom_)
            nextPlaceholder();
        else
            look();
        jumped_ = at_ != expected;
    }

    // The digit `ahead` characters after this one (none across a placeholder).
    char digitAhead(int ahead) const
    {
        std::size_t i = at_;
        std::size_t length = length_;
        for (int k = 0; k < ahead; ++k) {
            i += length;
            if (i >= text_.size() || i >= skipFrom_)
                return 0;
            length = steps_.length(text_, i);
        }
        return digitAt(text_, i, length, steps_);
    }

private:
    void nextPlaceholder()
    {
        while (next_ < placeholders_.size() && placeholders_[next_].offset <= at_) {
            at_ = std::max<std::size_t>(at_, placeholders_[next_].offset + placeholders_[next_].length);
            ++next_;
        }
        skipFrom_ = next_ < placeholders_.size() ? placeholders_[next_].offset : text_.size() + 1;
        look();
    }
    void look()
    {
        if (at_ >= text_.size())
            return;
        length_ = static_cast<unsigned char>(text_[at_]) < 0x80 ? 1 : steps_.length(text_, at_);
        digit_ = digitAt(text_, at_, length_, steps_);
    }

    std::string_view text_;
    const std::vector<Placeholder>& placeholders_;
    const gbk::CharSteps& steps_;
    std::size_t at_ = 0;
    std::size_t length_ = 1;
    char digit_ = 0;
    std::size_t next_ = 0;      // the next placeholder
    std::size_t skipFrom_ = 0;  // where it starts
    bool jumped_ = false;
};

// Reads the number that starts at the reader into `number`.
void readNumber(NumberReader& r, std::string& number)
{
    number.clear();
    for (;;) {
        while (!r.done() && r.digit() != 0) {
            number += r.digit();
            r.advance();
            if (r.jumped())  // "12%d3" holds 12, not 123
                return;
        }
        if (r.done() || r.length() != 1)
            return;
        char separator = r.text()[r.at()];
        if (separator == '.' && r.digitAhead(1) != 0) {
            number += '.';
            r.advance();
        } else if (separator == ',' && r.digitAhead(1) && r.digitAhead(2) && r.digitAhead(3) &&
                   !r.digitAhead(4)) {
            r.advance();  // a thousands comma: 1,000 is 1000
        } else {
            return;
        }
    }
}

bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool insidePlaceholder(std::size_t at, const std::vector<Placeholder>& placeholders)
{
    for (const Placeholder& p : placeholders)
        if (at >= p.offset && at < p.offset + p.length)
            return true;
    return false;
}

// A run of ASCII digits [begin, end) that is surely a whole number of its
// own: no decimal point or thousands comma joins it to other digits (ASCII
// or full-width), and no full-width digit may stand next to it. Unsure
// cases are left to the full reading.
bool plainRun(std::string_view text, std::size_t begin, std::size_t end)
{
    auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    auto separator = [&](std::size_t at) { return text[at] == '.' || text[at] == ','; };
    if (end < text.size() &&
        (byte(end) == 0xA3 ||
         (separator(end) && end + 1 < text.size() &&
          (isAsciiDigit(text[end + 1]) || byte(end + 1) >= 0x80))))
        return false;
    if (begin >= 1 && separator(begin - 1) && begin >= 2 &&
        (isAsciiDigit(text[begin - 2]) || byte(begin - 2) >= 0x80))
        return false;
    return begin < 2 || byte(begin - 2) != 0xA3;
}

// The runs of ASCII digits of a text, from a mask of its digit bytes
// (texts of up to 64 bytes) or by reading its bytes.
class DigitRuns {
public:
    explicit DigitRuns(std::string_view text) : text_(text), masked_(text.size() <= 64)
    {
        if (masked_) {
            ShortTextMasks masks = shortTextMasks(text);
            digits_ = masks.digits;
            fullwidth_ = masks.fullwidthLeads != 0;
        } else {
            fullwidth_ = text.find('\xA3') != std::string_view::npos;
        }
    }

    // Whether the text holds the byte 0xA3 (a full-width form) anywhere.
    bool fullwidth() const { return fullwidth_; }

    // The next run as [begin, end); false when there is none.
    bool next(std::size_t& begin, std::size_t& end)
    {
        if (!masked_)
            return nextByBytes(begin, end);
        if (digits_ == 0)
            return false;
        begin = static_cast<std::size_t>(__builtin_ctzll(digits_));
        std::uint64_t rest = ~(digits_ >> begin);
        end = begin + (rest == 0 ? 64 - begin : static_cast<std::size_t>(__builtin_ctzll(rest)));
        digits_ = end >= 64 ? 0 : digits_ & (~std::uint64_t {0} << end);
        return true;
    }

private:
    bool nextByBytes(std::size_t& begin, std::size_t& end)
    {
        const char* p = text_.data();
        std::size_t n = text_.size();
        std::size_t i = from_;
        while (i < n && static_cast<unsigned char>(p[i] - '0') >= 10)
            ++i;
        if (i == n)
            return false;
        begin = i;
        while (i < n && static_cast<unsigned char>(p[i] - '0') < 10)
            ++i;
        end = from_ = i;
        return true;
    }

    std::string_view text_;
    bool masked_;
    std::uint64_t digits_ = 0;
    bool fullwidth_ = false;
    std::size_t from_ = 0;
};

}  // namespace

// The usual pair: an ASCII source whose numbers are plain runs of digits,
// each found as such in the translation. Anything else (a number that
// seems missing, full-width digits, decimals, thousands, digits touching a
// placeholder) is left to the full reading. ASCII digits are never the
// second byte of a GBK character, so bytes can be read without stepping by
// characters.
bool NumberRule::plainNumbersPresent(std::string_view source,
                                     const std::vector<Placeholder>& sourcePlaceholders,
                                     std::string_view translation,
                                     const std::vector<Placeholder>& translationPlaceholders)
{
    DigitRuns sourceRuns(source);
    if (sourceRuns.fullwidth())
        return false;
    constexpr std::size_t kMaxRuns = 8;
    std::string_view runs[kMaxRuns];  // the translation's plain numbers, read when needed
    bool used[kMaxRuns] = {};
    std::size_t count = 0;
    bool gathered = false;
    std::size_t begin = 0;
    std::size_t end = 0;
    while (sourceRuns.next(begin, end)) {
        bool first = insidePlaceholder(begin, sourcePlaceholders);
        bool last = insidePlaceholder(end - 1, sourcePlaceholders);
        if (first && last)
            continue;  // the digits of a placeholder (%1$s, {0})
        if (first || last || !plainRun(source, begin, end))
            return false;
        if (!gathered) {
            gathered = true;
            DigitRuns translationRuns(translation);
            std::size_t b = 0;
            std::size_t e = 0;
            while (translationRuns.next(b, e)) {
                if (!plainRun(translation, b, e) || insidePlaceholder(b, translationPlaceholders))
                    continue;
                if (count == kMaxRuns)
                    return false;
                runs[count++] = translation.substr(b, e - b);
            }
        }
        // Each number of the translation stands for one of the source.
        std::string_view number = source.substr(begin, end - begin);
        bool found = false;
        for (std::size_t k = 0; k < count && !found; ++k) {
            found = !used[k] && runs[k] == number;
            used[k] = used[k] || found;
        }
        if (!found)
            return false;
    }
    return true;
}

namespace {

// A number without its leading zeros ("007" -> "7", "0.5" stays).
void dropLeadingZeros(std::string& number)
{
    std::size_t zeros = 0;
    while (zeros + 1 < number.size() && number[zeros] == '0' && number[zeros + 1] != '.')
        ++zeros;
    number.erase(0, zeros);
}

bool isAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Digits that are part of a word: E2E, MP3, x64, H.264.
bool insideWord(std::string_view text, std::size_t at)
{
    if (at >= 1 && isAsciiLetter(text[at - 1]))
        return true;
    return at >= 2 && text[at - 1] == '.' && isAsciiLetter(text[at - 2]) &&
           (at < 3 || !isAsciiLetter(text[at - 3]));
}

// Reads Chinese numerals: with units (八十五, 一万二千) or digit by digit
// (叁柒伍, 二〇二五 without 〇).
class ChineseNumber {
public:
    bool take(std::uint16_t wide)
    {
        if (int d = chineseDigitOf(wide); d >= 0) {
            if (digit_ >= 0 && !units_)
                digits_ = true;
            sequence_ = sequence_ * 10 + static_cast<std::uint64_t>(d);
            digit_ = d;
            ++count_;
            return true;
        }
        if (std::uint64_t unit = gbk::chineseUnit(wide)) {
            units_ = true;
            const std::uint64_t n = digit_ < 0 ? 1 : static_cast<std::uint64_t>(digit_);
            if (unit >= 10000) {
                total_ = (total_ + section_ + (digit_ < 0 ? 0 : n)) * unit;
                section_ = 0;
            } else {
                section_ += n * unit;
            }
            digit_ = -1;
            ++count_;
            return true;
        }
        return false;
    }
    bool any() const { return count_ > 0; }
    std::string value() const
    {
        if (digits_ && !units_)
            return std::to_string(sequence_);
        return std::to_string(total_ + section_ + (digit_ < 0 ? 0 : digit_));
    }

private:
    static int chineseDigitOf(std::uint16_t wide) { return gbk::chineseDigit(wide); }

    std::uint64_t total_ = 0;
    std::uint64_t section_ = 0;
    std::uint64_t sequence_ = 0;
    int digit_ = -1;
    int count_ = 0;
    bool units_ = false;
    bool digits_ = false;
};

// The parts of a date written with dots (2025.7.21), when the number is one.
void addDateParts(const std::string& number, std::vector<std::string>& numbers)
{
    if (std::count(number.begin(), number.end(), '.') < 2)
        return;
    std::size_t start = 0;
    for (std::size_t dot; (dot = number.find('.', start)) != std::string::npos; start = dot + 1)
        numbers.push_back(number.substr(start, dot - start));
    numbers.push_back(number.substr(start));
    for (std::size_t k = numbers.size() - 3; k < numbers.size(); ++k)
        dropLeadingZeros(numbers[k]);
}

// A decade or a century of the source, "the 1400s", "the 1970's": a
// translation writes it as a century (15 世纪) or a decade of one
// (20 世纪 70 年代), without the digits.
bool decade(std::string_view text, std::size_t after, const std::string& number)
{
    if (number.size() < 2 || number.back() != '0' || number.find('.') != std::string::npos)
        return false;
    std::size_t k = after;
    if (k < text.size() && text[k] == '\'')
        ++k;
    return k < text.size() && text[k] == 's' && (k + 1 == text.size() || !isAsciiLetter(text[k + 1]));
}

bool namesCenturies(std::string_view translation, bool utf8)
{
    static constexpr std::string_view kUtf8[] = {"\xE4\xB8\x96\xE7\xBA\xAA", "\xE5\xB9\xB4\xE4\xBB\xA3"};
    static constexpr std::string_view kGbk[] = {"\xCA\xC0\xBC\xCD", "\xC4\xEA\xB4\xFA"};
    for (std::string_view word : utf8 ? kUtf8 : kGbk)
        if (translation.find(word) != std::string_view::npos)
            return true;
    return false;
}

// An hour of the 24-hour clock (20:00) is also the hour of the 12-hour
// clock the source may write (8pm).
void addTwelveHour(std::string_view text, std::size_t after, const std::string& number,
                   std::vector<std::string>& numbers)
{
    if (after >= text.size() || text[after] != ':' || number.size() != 2 || number[0] == '0')
        return;
    const int hour = (number[0] - '0') * 10 + (number[1] - '0');
    if (hour > 12 && hour < 24)
        numbers.push_back(std::to_string(hour - 12));
}

}  // namespace

void NumberRule::collect(std::string_view text, const std::vector<Placeholder>& placeholders,
                         std::vector<std::string>& numbers, bool translation,
                         std::vector<std::string>* digitNumbers)
{
    numbers.clear();
    if (!translation)
        decades_.clear();
    if (digitNumbers != nullptr)
        digitNumbers->clear();
    std::string number;
    NumberReader r(text, placeholders, steps_);
    while (!r.done()) {
        if (r.digit() != 0) {
            // In the source only: the translation may write a number anywhere.
            const bool word = !translation && insideWord(text, r.at()) &&
                              !insidePlaceholder(r.at() - 1, placeholders);
            readNumber(r, number);
            if (word)
                continue;
            if (!translation && decade(text, r.at(), number)) {
                dropLeadingZeros(number);
                decades_.push_back(number);
                continue;
            }
            dropLeadingZeros(number);
            numbers.push_back(number);
            if (translation) {
                if (digitNumbers != nullptr)
                    digitNumbers->push_back(number);
                addDateParts(number, numbers);
                addTwelveHour(text, r.at(), number, numbers);
            }
            continue;
        }
        if (translation && r.length() > 1) {
            const std::uint16_t wide = steps_.wideAt(text, r.at());
            if (wide == gbk::kDouble || wide == gbk::kHalf) {
                numbers.push_back(wide == gbk::kDouble ? "2" : "0.5");
                r.advance();
                continue;
            }
            // 翻倍 doubles (2x); 每 is "per one" ("for 1 sec" as 每秒).
            if (wide == gbk::kEach ||
                (wide == gbk::kTurnOver && r.at() + r.length() < text.size() &&
                 steps_.wideAt(text, r.at() + r.length()) == gbk::kTimes)) {
                numbers.push_back(wide == gbk::kEach ? "1" : "2");
                r.advance();
                continue;
            }
            ChineseNumber chinese;
            while (!r.done() && r.length() > 1 && chinese.take(steps_.wideAt(text, r.at())))
                r.advance();
            if (chinese.any()) {
                numbers.push_back(chinese.value());
                continue;
            }
        }
        r.advance();
    }
}

void NumberRule::findMissing(std::string_view source,
                             const std::vector<Placeholder>& sourcePlaceholders,
                             std::string_view translation,
                             const std::vector<Placeholder>& translationPlaceholders,
                             std::vector<std::string>& missing)
{
    missing.clear();
    // The quick answer knows the full-width digits of GBK only.
    if ((steps_.utf8() && hasNonAsciiByte(source))
        || !plainNumbersPresent(source, sourcePlaceholders, translation, translationPlaceholders))
        readMissing(source, sourcePlaceholders, translation, translationPlaceholders, missing);
}

void NumberRule::readMissing(std::string_view source,
                             const std::vector<Placeholder>& sourcePlaceholders,
                             std::string_view translation,
                             const std::vector<Placeholder>& translationPlaceholders,
                             std::vector<std::string>& missing)
{
    missing.clear();
    collect(source, sourcePlaceholders, sourceNumbers_, false);
    // A decade or century counts as written where the translation names
    // centuries or decades (世纪, 年代); else it is a number to keep.
    if (!decades_.empty() && !namesCenturies(translation, steps_.utf8()))
        sourceNumbers_.insert(sourceNumbers_.end(), decades_.begin(), decades_.end());
    if (sourceNumbers_.empty())
        return;
    collect(translation, translationPlaceholders, translationNumbers_, true, &translationDigits_);
    // Counts, not presence, where the translation writes a number of its own:
    // "3 files, 3x" against "3 个文件，4倍" lacks a 3. A translation that only
    // says a number fewer times ("Page 1 of 1" as "第 1 页") is rephrased.
    const bool numberOfItsOwn =
        std::any_of(translationDigits_.begin(), translationDigits_.end(), [&](const std::string& n) {
            return std::find(sourceNumbers_.begin(), sourceNumbers_.end(), n) == sourceNumbers_.end();
        });
    for (std::size_t i = 0; i < sourceNumbers_.size(); ++i) {
        const std::string& number = sourceNumbers_[i];
        if (std::find(sourceNumbers_.begin(), sourceNumbers_.begin() + i, number) !=
            sourceNumbers_.begin() + i)
            continue;  // counted at its first place
        auto inSource = std::count(sourceNumbers_.begin() + i, sourceNumbers_.end(), number);
        auto inTranslation = std::count(translationNumbers_.begin(), translationNumbers_.end(), number);
        if (inTranslation == 0)
            missing.push_back(number);
        else if (inTranslation < inSource && numberOfItsOwn)
            missing.push_back(number + " (" + std::to_string(inSource) + " x in the source, " +
                              std::to_string(inTranslation) + " x in the translation)");
    }
}

std::vector<std::string> missingNumbers(std::string_view source, std::string_view translation,
                                        TextEncoding encoding)
{
    PlaceholderComparison placeholders = comparePlaceholders(source, translation, encoding);
    NumberRule rule(encoding);
    std::vector<std::string> missing;
    rule.findMissing(source, placeholders.source, translation, placeholders.translation, missing);
    return missing;
}

}  // namespace corvel::report
