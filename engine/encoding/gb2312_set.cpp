#include "gb2312_set.h"

#include "char_decoder.h"
#include "gbk_cells.h"
#include "charset_converter.h"

#include <string>

namespace corvel::encoding {

const Gb2312Set& Gb2312Set::instance()
{
    static const Gb2312Set set;
    return set;
}

Gb2312Set::Gb2312Set()
{
    std::string cells;
    for (int lead = 0xA1; lead <= 0xF7; ++lead)
        for (int trail = 0xA1; trail <= 0xFE; ++trail)
            if (isGb2312(static_cast<std::uint8_t>(lead), static_cast<std::uint8_t>(trail))) {
                cells.push_back(static_cast<char>(lead));
                cells.push_back(static_cast<char>(trail));
            }
    std::optional<std::string> utf8 = CharsetConverter(LegacyCharset::Gbk).toUtf8(cells);
    if (!utf8)
        return;  // no GBK tables: nothing counts as GB2312
    CharDecoder decoder(TextEncoding::Utf8);
    for (char byte : *utf8)
        decoder.push(static_cast<std::uint8_t>(byte), 0, [&](const DecodedChar& c) {
            if (c.kind == CharKind::Multibyte && c.code < 0x10000)
                bits_.set(c.code);
        });
}

}  // namespace corvel::encoding
