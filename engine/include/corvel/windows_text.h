// Windows only: UTF-8 and UTF-16 conversions for the wide Win32 functions.
// Our texts cross the program as UTF-8; Win32 takes paths and command lines
// as UTF-16. Implemented in platform_windows.cpp.
#pragma once

#ifdef _WIN32

#include <string>
#include <string_view>

namespace corvel {

// Invalid input becomes U+FFFD; neither function throws.
std::wstring wideFromUtf8(std::string_view utf8);
std::string utf8FromWide(std::wstring_view wide);

}  // namespace corvel

#endif
