#include "log_text.h"

#include "display_width.h"
#include "log_format.h"

#include <cstdio>

namespace corvel::encoding {

namespace {
constexpr std::size_t kPrintZone = 14;
}

std::string logLiteral(std::string_view utf8, TextEncoding dictionary)
{
    return logIsUtf8(dictionary) ? std::string(utf8) : toGbk(utf8);
}

std::size_t logColumns(std::string_view text, TextEncoding dictionary)
{
    return logIsUtf8(dictionary) ? displayColumns(text) : text.size();
}

void padToPrintZone(std::string& line, TextEncoding dictionary)
{
    if (!logIsUtf8(dictionary)) {
        corvel::padToPrintZone(line);
        return;
    }
    std::size_t rest = displayColumns(line) % kPrintZone;
    if (rest != 0)
        line.append(kPrintZone - rest, ' ');
}

std::string dateLine(const LocalTime& t, TextEncoding dictionary)
{
    if (!logIsUtf8(dictionary))
        return corvel::dateLine(t);
    char buf[96];
    std::snprintf(buf, sizeof buf, "检查时间：%04d年%02d月%02d日　%02d:%02d:%02d", t.year, t.month,
                  t.day, t.hour, t.minute, t.second);
    return buf;
}

}  // namespace corvel::encoding
