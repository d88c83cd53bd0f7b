// Windows side of the GBK table: code page 936, one character at a time.
#include "gbk_table.h"

#include <windows.h>

namespace corvel::report {

namespace {

char32_t convert(const unsigned char* bytes, int length)
{
    wchar_t wide[2];
    int n = ::MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(bytes),
                                  length, wide, 2);
    return n == 1 ? static_cast<char32_t>(wide[0]) : 0;
}

}  // namespace

void platformGbkRow(unsigned char lead, char16_t* codes)
{
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
        const unsigned char bytes[2] = {lead, static_cast<unsigned char>(trail)};
        codes[trail - 0x40] = trail == 0x7F ? 0 : static_cast<char16_t>(convert(bytes, 2));
    }
}

char32_t platformGbkSingle(unsigned char byte)
{
    return convert(&byte, 1);
}

}  // namespace corvel::report
