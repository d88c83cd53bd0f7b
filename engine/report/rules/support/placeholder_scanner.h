// Finds the placeholders of a text (GBK bytes): printf conversions and Qt's
// %1, %L1 and %0, brace groups and {{name}} templates, backslash escapes, markup tags of known names, the
// section codes of game text and the @1..@9 arguments of Luanti texts.
// With look-alikes on, full-width forms of their characters (％ｓ, ｛０｝,
// ＼ｎ) are read as the half-width ones and the placeholder is marked.
#pragma once

#include "report/gbk_chars.h"

#include "corvel/report/placeholder_syntax.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvel::report {

using PlaceholderKind = PlaceholderSyntax;

struct Placeholder {
    std::uint32_t offset = 0;  // first byte in the text
    std::uint32_t length = 0;  // bytes in the text
    PlaceholderKind kind = PlaceholderKind::Printf;
    bool fullwidth = false;    // written with a full-width character
    // What two placeholders are compared by: printf conversions by argument
    // number, length and conversion (the n-th plain one is argument n; flags,
    // width and precision left out), tags by lower-case name, braces by name.
    std::string key;
    // A printf conversion that is also Qt's %1..%99 followed by a letter
    // (%1d: argument 1, then "d"): the bytes and key of that %N, 0 for none.
    std::uint32_t qtLength = 0;
    std::string qtKey;
    // A printf conversion with its argument number written (%2$s): where
    // only Qt's syntax is recognised, it is read as that argument's %2.
    bool positional = false;
};

// Settles the readings where two syntaxes conflict, over the placeholders
// of one text or of a source and its translation together: beside Qt
// arguments a printf conversion that can be %N and a letter is %N, and
// beside single-brace placeholders {{name}} is literal braces.
void settleReadings(std::vector<Placeholder>& a, std::vector<Placeholder>& b);

// Reads a printf conversion that can be Qt's %N and a letter as that %N.
void readAsQt(Placeholder& p);

// An escaped line break (\n, \r) or a <br> tag.
inline bool isLineBreak(const Placeholder& p)
{
    return p.key == "\\n" || p.key == "\\r" || p.key == "<br>" || p.key == "<br/>";
}

class PlaceholderScanner {
public:
    explicit PlaceholderScanner(TextEncoding encoding = TextEncoding::Gbk) : steps_(encoding) {}

    // Replaces `out` with the placeholders of `text`, in text order.
    void scan(std::string_view text, bool lookAlikes, std::vector<Placeholder>& out);

private:
    gbk::CharSteps steps_;

    // One character of the text: its ASCII reading (0: none) and its bytes.
    struct Unit {
        char c;
        bool wide;  // a full-width form read as `c`
        std::uint32_t begin;
        std::uint32_t end;
    };

    void readUnits(std::string_view text, bool lookAlikes);
    bool parseAt(std::size_t i, Placeholder& p, std::size_t& next);
    bool parsePercent(std::size_t i, Placeholder& p, std::size_t& next);
    bool parseQt(std::size_t from, bool plain, Placeholder& p, std::size_t& next);
    bool parseBrace(std::size_t i, Placeholder& p, std::size_t& next);
    bool parseDoubleBrace(std::size_t i, Placeholder& p, std::size_t& next);
    bool parseEscape(std::size_t i, Placeholder& p, std::size_t& next);
    bool parseTag(std::size_t i, Placeholder& p, std::size_t& next);
    bool parseInlineCode(std::size_t i, std::size_t j, bool closing, const std::string& name,
                         Placeholder& p, std::size_t& next);
    bool parseSection(std::size_t i, Placeholder& p, std::size_t& next);
    bool parseArgument(std::size_t i, Placeholder& p, std::size_t& next);
    bool parseUnderscored(std::size_t i, Placeholder& p, std::size_t& next);
    bool literalBackslash(std::size_t i) const;
    bool lispLineBreak(std::size_t i) const;
    bool emptyBracketsBeside(std::size_t open, std::size_t close) const;
    char at(std::size_t i) const { return i < units_.size() ? units_[i].c : '\0'; }

    std::vector<Unit> units_;
    int nextArgument_ = 1;  // the argument number of the next plain printf conversion
};

// The unit that stands for § in a scanner's reading of a text.
inline constexpr char kSectionUnit = '\x01';

}  // namespace corvel::report
