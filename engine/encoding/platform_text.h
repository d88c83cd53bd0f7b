// Conversion of dictionary text to UTF-8, by the operating system's GBK
// tables (iconv on POSIX, code page 936 on Windows).
// platform_text_posix.cpp and platform_text_windows.cpp implement it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvel::encoding {

// GBK bytes as UTF-8; nothing when some bytes do not convert.
std::optional<std::string> gbkToUtf8(std::string_view gbk);

}  // namespace corvel::encoding
