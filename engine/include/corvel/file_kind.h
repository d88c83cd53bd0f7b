// What a file really is, from its first bytes and a UTF-8 scan: a UTF-8 or
// UTF-16 byte-order mark, the NUL pattern of UTF-16 text without one, and
// whether its bytes are valid UTF-8 holding multibyte characters.
#pragma once

#include "corvel/error.h"
#include "corvel/reading_options.h"

#include <filesystem>

namespace corvel::encoding {

enum class Utf16 { None, LittleEndian, BigEndian };

struct FileKind {
    bool utf8Bom = false;
    Utf16 utf16 = Utf16::None;
    bool utf16Bom = false;
    // Every byte scanned is valid UTF-8 (once the scan is complete: the
    // whole file), and some of them form multibyte characters.
    bool validUtf8 = true;
    bool utf8Multibyte = false;

    bool isUtf16() const { return utf16 != Utf16::None; }
    bool isUtf8Text() const { return validUtf8 && utf8Multibyte && !isUtf16(); }
};

// Reads `path` as far as needed to know what it is.
Error detectFileKind(const std::filesystem::path& path, FileKind& kind);

// The encoding `choice` reads a file of `kind` in: Auto gives UTF-8 for a
// UTF-8 byte-order mark or valid UTF-8 with multibyte characters, GBK
// otherwise.
TextEncoding resolveEncoding(EncodingChoice choice, const FileKind& kind);

}  // namespace corvel::encoding
