#include "log_format.h"

#include "corvel/run_request.h"
#include "display_width.h"

#include <cstdio>
#include <utility>

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

const gbk::TextSet& logTexts(TextEncoding encoding)
{
    return logIsUtf8(encoding) ? gbk::kUtf8Set : gbk::kGbkSet;
}

void padToPrintZone(std::string& line, TextEncoding encoding)
{
    const std::size_t columns = logIsUtf8(encoding) ? encoding::displayColumns(line) : line.size();
    std::size_t rest = columns % kPrintZone;
    if (rest != 0)
        line.append(kPrintZone - rest, ' ');
}

std::string logCaption(std::string_view utf8, TextEncoding encoding)
{
    if (logIsUtf8(encoding))
        return std::string(utf8);
    const LogCaptions standard;
    const std::pair<const std::string&, std::string_view> known[] = {
        {standard.checkOperation, gbk::checkFrame},
        {standard.correctOperation, gbk::correctFrame},
        {standard.deleteEmpty, gbk::deleteEmpty},
        {standard.deleteErroneous, gbk::deleteErroneous},
        {standard.deleteUntranslated, gbk::deleteUntranslated},
    };
    for (const auto& [caption, bytes] : known)
        if (utf8 == caption)
            return std::string(bytes);
    return toGbk(utf8);
}

void writeEntry(OutputFile& file, std::string& lead, const Finding& finding)
{
    if (finding.longText == nullptr) {
        lead += finding.text;
        file.writeLine(lead);
        return;
    }
    file.writeBytes(lead.data(), lead.size());
    (void)finding.longText->forEachPiece(
        [](void* to, std::string_view piece) {
            static_cast<OutputFile*>(to)->writeBytes(piece.data(), piece.size());
        },
        &file);
    file.writeBytes("\r\n", 2);
}

std::string dateLine(const LocalTime& t, TextEncoding encoding)
{
    const gbk::TextSet& texts = logTexts(encoding);
    char buf[32];
    std::string out(texts.timeLabel);
    std::snprintf(buf, sizeof buf, "%04d", t.year);
    out += buf;
    out += texts.year;
    std::snprintf(buf, sizeof buf, "%02d", t.month);
    out += buf;
    out += texts.month;
    std::snprintf(buf, sizeof buf, "%02d", t.day);
    out += buf;
    out += texts.day;
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    out += buf;
    return out;
}

}  // namespace corvel
