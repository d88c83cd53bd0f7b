#include "reference.h"

namespace corvel::fuzz {

std::vector<std::string_view> splitDictionary(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r')
            continue;
        lines.push_back(bytes.substr(start, i - start));
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.push_back(bytes.substr(start));
    return lines;
}

namespace {
bool onlySpaces(std::string_view line)
{
    return line.find_first_not_of(' ') == std::string_view::npos;
}

bool anyHighByte(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) > 128)
            return true;
    return false;
}
}  // namespace

Kind pairKind(std::string_view line, std::int32_t number)
{
    if (onlySpaces(line))
        return Kind::Empty;
    bool english = number % 2 == 1;
    bool high = anyHighByte(line);
    if (english)
        return high ? Kind::Erroneous : Kind::Good;
    return high ? Kind::Good : Kind::Untranslated;
}

Kind equalsKind(std::string_view line)
{
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return Kind::SeriousError;
    return anyHighByte(line.substr(eq + 1)) ? Kind::Good : Kind::Untranslated;
}

std::optional<PairStop> pairStop(const std::vector<std::string_view>& lines, bool stopOnEmpty,
                                 bool stopOnErrors)
{
    std::int32_t count = 0, last = 0, rowStart = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto n = static_cast<std::int32_t>(i + 1);
        Kind kind = pairKind(lines[i], n);
        if (kind == Kind::Empty) {
            ++count;
            if (stopOnEmpty)
                return PairStop {PairStop::Cause::EmptyLine, n, n};
        } else if (kind == Kind::Erroneous && stopOnErrors) {
            if (last != 0 && n - last == 2) {
                ++count;
            } else {
                count = 0;
                rowStart = n;
            }
            last = n;
            if (count > 10)
                return PairStop {PairStop::Cause::SeriousError, n, rowStart};
        }
    }
    return std::nullopt;
}

}  // namespace corvel::fuzz
