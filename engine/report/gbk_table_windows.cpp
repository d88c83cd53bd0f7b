// Windows side of the GBK table: code page 936, one character at a time.
#include "gbk_table.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace corvel::report {

char32_t platformGbkToCodePoint(const unsigned char* bytes, int length)
{
    wchar_t wide[2];
    int n = ::MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(bytes),
                                  length, wide, 2);
    return n == 1 ? static_cast<char32_t>(wide[0]) : 0;
}

}  // namespace corvel::report
