#include "charset_converter.h"

#include <windows.h>

namespace corvel::encoding {

CharsetConverter::CharsetConverter(LegacyCharset charset) : charset_(charset) {}

CharsetConverter::~CharsetConverter() = default;

std::optional<std::string> CharsetConverter::toUtf8(std::string_view text)
{
    UINT codePage = 936;
    if (charset_ == LegacyCharset::Gb18030)
        codePage = 54936;
    else if (charset_ == LegacyCharset::Big5)
        codePage = 950;
    if (text.empty())
        return std::string();
    int size = static_cast<int>(text.size());
    int n = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (n == 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), n);
    int m = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
    if (m == 0)
        return std::nullopt;
    std::string out(static_cast<std::size_t>(m), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, out.data(), m, nullptr, nullptr);
    return out;
}

}  // namespace corvel::encoding
