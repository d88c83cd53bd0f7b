#include "log_format.h"

#include <cstdio>

namespace corvel {

namespace {
constexpr std::size_t kPrintZone = 14;
}

void appendSpacedNumber(std::string& out, std::int32_t number)
{
    char digits[16];
    std::uint32_t magnitude = number < 0 ? 0u - static_cast<std::uint32_t>(number)
                                         : static_cast<std::uint32_t>(number);
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    out.push_back(number < 0 ? '-' : ' ');
    while (n > 0)
        out.push_back(digits[--n]);
}

std::string spacedNumber(std::int32_t number)
{
    std::string out;
    appendSpacedNumber(out, number);
    return out;
}

void padToPrintZone(std::string& line)
{
    std::size_t rest = line.size() % kPrintZone;
    if (rest != 0)
        line.append(kPrintZone - rest, ' ');
}

std::string dateLine(const LocalTime& t)
{
    static const std::string label = toGbk("检查时间：");
    static const std::string year = toGbk("年");
    static const std::string month = toGbk("月");
    static const std::string day = toGbk("日　");
    char buf[32];
    std::string out = label;
    std::snprintf(buf, sizeof buf, "%04d", t.year);
    out += buf;
    out += year;
    std::snprintf(buf, sizeof buf, "%02d", t.month);
    out += buf;
    out += month;
    std::snprintf(buf, sizeof buf, "%02d", t.day);
    out += buf;
    out += day;
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    out += buf;
    return out;
}

}  // namespace corvel
