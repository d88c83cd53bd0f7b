#include "number_rule.h"

#include "gbk_chars.h"
#include "placeholder_rules.h"

#include <algorithm>

namespace corvel::report {

namespace {

// The digit of the character at `at` ('0'..'9', full-width ones read as
// ASCII), or 0.
char digitAt(std::string_view text, std::size_t at, std::size_t length)
{
    if (length == 1)
        return text[at] >= '0' && text[at] <= '9' ? text[at] : 0;
    char half = gbk::halfWidthOf(gbk::wideAt(text, at));
    return half >= '0' && half <= '9' ? half : 0;
}

// Steps through a text by characters, jumping over placeholders.
class Cursor {
public:
    Cursor(std::string_view text, const std::vector<Placeholder>& placeholders)
        : text_(text), placeholders_(placeholders)
    {
        skipPlaceholders();
    }

    bool done() const { return at_ >= text_.size(); }
    std::size_t length() const { return gbk::charLength(text_, at_); }
    char digit() const { return digitAt(text_, at_, length()); }
    std::uint16_t wide() const { return gbk::wideAt(text_, at_); }
    char byte() const { return text_[at_]; }
    void advance()
    {
        at_ += length();
        skipPlaceholders();
    }
    // The digit `ahead` characters on, without passing a placeholder.
    char digitAhead(int ahead) const
    {
        std::size_t i = at_;
        for (int k = 0; k < ahead; ++k) {
            if (i >= text_.size())
                return 0;
            i += gbk::charLength(text_, i);
            if (next_ < placeholders_.size() && i >= placeholders_[next_].offset)
                return 0;
        }
        return i < text_.size() ? digitAt(text_, i, gbk::charLength(text_, i)) : 0;
    }

private:
    void skipPlaceholders()
    {
        while (next_ < placeholders_.size() && placeholders_[next_].offset <= at_) {
            std::size_t end = placeholders_[next_].offset + placeholders_[next_].length;
            at_ = std::max(at_, end);
            ++next_;
        }
    }

    std::string_view text_;
    const std::vector<Placeholder>& placeholders_;
    std::size_t at_ = 0;
    std::size_t next_ = 0;
};

// Reads the number that starts at the cursor.
std::string readNumber(Cursor& c)
{
    std::string number;
    for (;;) {
        while (!c.done() && c.digit() != 0) {
            number += c.digit();
            c.advance();
        }
        if (c.done() || c.length() != 1)
            return number;
        char separator = c.byte();
        if (separator == '.' && c.digitAhead(1) != 0) {
            number += '.';
            c.advance();
        } else if (separator == ',' && c.digitAhead(1) && c.digitAhead(2) && c.digitAhead(3) &&
                   !c.digitAhead(4)) {
            c.advance();  // a thousands comma: 1,000 is 1000
        } else {
            return number;
        }
    }
}

}  // namespace

bool NumberRule::mayHoldNumber(std::string_view source)
{
    for (char c : source) {
        auto b = static_cast<unsigned char>(c);
        if ((b >= '0' && b <= '9') || b == 0xA3)
            return true;
    }
    return false;
}

void NumberRule::collect(std::string_view text, const std::vector<Placeholder>& placeholders,
                         std::vector<std::string>& numbers, std::uint32_t* numerals)
{
    numbers.clear();
    Cursor c(text, placeholders);
    while (!c.done()) {
        if (c.digit() != 0) {
            numbers.push_back(readNumber(c));
            continue;
        }
        if (numerals != nullptr && c.length() == 2) {
            if (int value = gbk::chineseNumeralValue(c.wide()))
                *numerals |= 1u << value;
        }
        c.advance();
    }
}

void NumberRule::findMissing(std::string_view source,
                             const std::vector<Placeholder>& sourcePlaceholders,
                             std::string_view translation,
                             const std::vector<Placeholder>& translationPlaceholders,
                             std::vector<std::string>& missing)
{
    missing.clear();
    collect(source, sourcePlaceholders, sourceNumbers_, nullptr);
    if (sourceNumbers_.empty())
        return;
    std::uint32_t numerals = 0;
    collect(translation, translationPlaceholders, translationNumbers_, &numerals);
    for (const std::string& number : sourceNumbers_) {
        if (std::find(missing.begin(), missing.end(), number) != missing.end())
            continue;
        if (std::find(translationNumbers_.begin(), translationNumbers_.end(), number) !=
            translationNumbers_.end())
            continue;
        int value = number.size() <= 2 && number.find('.') == std::string::npos
                        ? std::stoi(number)
                        : 0;
        if (value >= 1 && value <= 10 && (numerals & (1u << value)) != 0)
            continue;
        missing.push_back(number);
    }
}

std::vector<std::string> missingNumbers(std::string_view source, std::string_view translation)
{
    PlaceholderComparison placeholders = comparePlaceholders(source, translation);
    NumberRule rule;
    std::vector<std::string> missing;
    rule.findMissing(source, placeholders.source, translation, placeholders.translation, missing);
    return missing;
}

}  // namespace corvel::report
