#include "reference_lines.h"

namespace corvel::test {

namespace {

using scan::Layout;

bool onlySpaces(std::string_view text)
{
    return text.find_first_not_of(' ') == std::string_view::npos;
}

bool hasHighByte(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x81)
            return true;
    return false;
}

LineClass classify(std::string_view text, std::uint64_t number, Layout layout)
{
    if (layout == Layout::LinePairs) {
        if (onlySpaces(text))
            return LineClass::Empty;
        if (number % 2 != 0)
            return hasHighByte(text) ? LineClass::Erroneous : LineClass::Good;
        return hasHighByte(text) ? LineClass::Good : LineClass::Untranslated;
    }
    std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return LineClass::MissingEquals;
    return hasHighByte(text.substr(equals + 1)) ? LineClass::Good : LineClass::Untranslated;
}

}  // namespace

std::vector<ReferenceLine> referenceLines(std::string_view bytes, Layout layout)
{
    std::vector<ReferenceLine> lines;
    std::size_t start = 0;
    std::size_t previousStart = 0;
    while (start < bytes.size()) {
        std::size_t cr = bytes.find('\r', start);
        ReferenceLine line;
        line.number = lines.size() + 1;
        line.start = start;
        line.end = cr == std::string_view::npos ? bytes.size() : cr;
        line.previousStart = previousStart;
        if (cr != std::string_view::npos)
            line.terminator = cr + 1 < bytes.size() && bytes[cr + 1] == '\n' ? 2 : 1;
        line.flag = classify(bytes.substr(start, line.end - start), line.number, layout);
        lines.push_back(line);
        previousStart = start;
        start = line.end + line.terminator;
    }
    return lines;
}

std::vector<ReferenceLine> referenceReports(std::string_view bytes, Layout layout, bool copying)
{
    std::vector<ReferenceLine> all = referenceLines(bytes, layout);
    std::vector<ReferenceLine> reports;
    for (std::size_t i = 0; i < all.size(); ++i) {
        bool partner = layout == Layout::LinePairs && all[i].number % 2 == 0
                       && all[i - 1].flag != LineClass::Good;
        bool last = i + 1 == all.size();
        if (all[i].flag != LineClass::Good
            || (copying && (all[i].terminator != 2 || partner || last)))
            reports.push_back(all[i]);
    }
    return reports;
}

}  // namespace corvel::test
