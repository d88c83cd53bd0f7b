#include "corvel/reading_options.h"

namespace corvel::encoding {

std::optional<EncodingChoice> parseEncodingChoice(std::string_view text)
{
    if (text == "gbk")
        return EncodingChoice::Gbk;
    if (text == "gb18030")
        return EncodingChoice::Gb18030;
    if (text == "utf-8" || text == "utf8")
        return EncodingChoice::Utf8;
    if (text == "auto")
        return EncodingChoice::Auto;
    return std::nullopt;
}

std::optional<LineEnds> parseLineEnds(std::string_view text)
{
    if (text == "crlf")
        return LineEnds::CrLf;
    if (text == "any")
        return LineEnds::Any;
    return std::nullopt;
}

std::optional<Charset> parseCharset(std::string_view text)
{
    if (text == "gb2312")
        return Charset::Gb2312;
    return std::nullopt;
}

}  // namespace corvel::encoding
