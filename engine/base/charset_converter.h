// Converts text of the legacy Chinese encodings a translation file may
// declare to UTF-8, by the system's tables (iconv on POSIX, the code pages
// on Windows). charset_converter_posix.cpp and charset_converter_windows.cpp
// implement it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvel::encoding {

// The legacy Chinese encodings a translation file may declare (a gettext
// catalogue's charset).
enum class LegacyCharset { Gbk, Gb18030, Big5 };

// Converts text of one legacy encoding to UTF-8, again and again, with the
// system's tables opened once. Move-less: it holds the system's converter.
class CharsetConverter {
public:
    explicit CharsetConverter(LegacyCharset charset);
    ~CharsetConverter();
    CharsetConverter(const CharsetConverter&) = delete;
    CharsetConverter& operator=(const CharsetConverter&) = delete;

    // The text as UTF-8; nothing when some bytes do not convert (or the
    // system has no table for the encoding).
    std::optional<std::string> toUtf8(std::string_view text);

private:
    LegacyCharset charset_;
    void* handle_ = nullptr;  // the POSIX converter
};

}  // namespace corvel::encoding
