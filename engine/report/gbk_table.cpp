#include "gbk_table.h"

namespace corvel::report {

const GbkTable& GbkTable::instance()
{
    static const GbkTable table;  // thread-safe initialisation
    return table;
}

GbkTable::GbkTable()
{
    unsigned char bytes[2];
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            bytes[0] = static_cast<unsigned char>(lead);
            bytes[1] = static_cast<unsigned char>(trail);
            char32_t code = platformGbkToCodePoint(bytes, 2);
            if (code <= 0xFFFF)
                pairs_[(lead - 0x81) * kTrails + (trail - 0x40)] = static_cast<char16_t>(code);
        }
    }
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        bytes[0] = static_cast<unsigned char>(byte);
        char32_t code = platformGbkToCodePoint(bytes, 1);
        if (code <= 0xFFFF)
            singles_[byte - 0x80] = static_cast<char16_t>(code);
    }
}

}  // namespace corvel::report
