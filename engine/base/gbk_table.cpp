#include "gbk_table.h"

namespace corvel::report {

const GbkTable& GbkTable::instance()
{
    static const GbkTable table;  // thread-safe initialisation
    return table;
}

namespace {

// The user-defined areas of GBK map to the Private Use Area on Windows and
// to nothing with iconv: no font shows them, so they are quoted as bytes on
// every platform.
bool privateUse(char32_t code)
{
    return code >= 0xE000 && code <= 0xF8FF;
}

}  // namespace

GbkTable::GbkTable()
{
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        char16_t* row = &pairs_[(lead - 0x81) * kTrails];
        platformGbkRow(static_cast<unsigned char>(lead), row);
        row[0x7F - 0x40] = 0;
        for (int i = 0; i < kTrails; ++i)
            if (privateUse(row[i]))
                row[i] = 0;
    }
    // Of the single bytes above ASCII only 0x80 (the euro sign of code page
    // 936) is a character; the others are lead bytes without their trail.
    char32_t euro = platformGbkSingle(0x80);
    if (euro != 0 && euro <= 0xFFFF && !privateUse(euro))
        singles_[0] = static_cast<char16_t>(euro);
}

}  // namespace corvel::report
