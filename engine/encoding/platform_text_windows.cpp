#include "platform_text.h"

#include <windows.h>

namespace corvel::encoding {

std::optional<std::string> gbkToUtf8(std::string_view gbk)
{
    constexpr UINT kGbkCodePage = 936;
    if (gbk.empty())
        return std::string();
    int size = static_cast<int>(gbk.size());
    int n = ::MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, gbk.data(), size, nullptr, 0);
    if (n == 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, gbk.data(), size, wide.data(), n);
    int m = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
    if (m == 0)
        return std::nullopt;
    std::string out(static_cast<std::size_t>(m), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, out.data(), m, nullptr, nullptr);
    return out;
}

}  // namespace corvel::encoding
