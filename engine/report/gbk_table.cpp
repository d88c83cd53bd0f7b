#include "gbk_table.h"

namespace corvel::report {

const GbkTable& GbkTable::instance()
{
    static const GbkTable table;  // thread-safe initialisation
    return table;
}

GbkTable::GbkTable()
{
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        char16_t* row = &pairs_[(lead - 0x81) * kTrails];
        platformGbkRow(static_cast<unsigned char>(lead), row);
        row[0x7F - 0x40] = 0;
    }
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        char32_t code = platformGbkSingle(static_cast<unsigned char>(byte));
        if (code <= 0xFFFF)
            singles_[byte - 0x80] = static_cast<char16_t>(code);
    }
}

}  // namespace corvel::report
