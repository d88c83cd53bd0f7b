// What a file really is, from its first bytes and a UTF-8 scan: a UTF-8 or
// UTF-16 byte-order mark, the NUL pattern of UTF-16 text without one, and
// whether its bytes are valid UTF-8 holding multibyte characters.
#pragma once

#include "block_feed.h"
#include "char_decoder.h"
#include "utf8_block.h"
#include "corvel/error.h"
#include "reading_options.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>

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
    // Of the first multibyte characters of the UTF-8 reading: those a
    // dictionary's text holds (Chinese, punctuation, symbols, Latin letters
    // with accents) and those GBK bytes read as UTF-8 give instead
    // (combining marks, Hebrew, Cyrillic, ... for 停止, 值).
    std::uint32_t utf8Likely = 0;
    std::uint32_t utf8Unlikely = 0;

    bool isUtf16() const { return utf16 != Utf16::None; }
    // Valid UTF-8 is UTF-8 text only when its characters are more likely
    // than not: a few GBK characters are valid UTF-8 by chance.
    bool isUtf8Text() const
    {
        return validUtf8 && utf8Multibyte && !isUtf16() && utf8Likely > utf8Unlikely;
    }
};

// Takes a file's bytes in order, in pieces of any size.
class FileKindDetector {
public:
    FileKindDetector();

    void feed(const char* data, std::size_t size);
    // More bytes cannot change the answer: the file is UTF-16, or its first
    // bytes are seen and it is not valid UTF-8.
    bool settled() const;
    // The answer, after the last byte (or once settled()).
    FileKind finish();

private:
    void feedPrefix(const char* data, std::size_t size);
    void judgePrefix();
    void scanUtf8(const char* data, std::size_t size);
    void checkBlocks(const char* p, std::size_t blocks);
    void weighCharacters(const char* p, std::size_t size);

    static constexpr std::size_t kPrefix = 4096;  // bytes for the UTF-16 guess
    static constexpr std::uint32_t kWeighed = 256;  // multibyte characters weighed
    FileKind kind_;
    unsigned char prefix_[kPrefix];
    std::size_t prefixSize_ = 0;
    bool prefixJudged_ = false;
    // The UTF-8 scan takes whole 64-byte blocks.
    VectorIsa isa_;
    Utf8Open open_;
    BlockFeed feed_;
    std::uint64_t scanned_ = 0;  // bytes in blocks checked so far
};

// Reads `path` as far as needed to know what it is.
Error detectFileKind(const std::filesystem::path& path, FileKind& kind);

// Reads the file at `path` in pieces of `pieceSize` bytes and hands each to
// take(data, size), which returns whether it wants more; then closes it.
// The failure of opening, reading or closing, if any.
Error readInPieces(const std::filesystem::path& path, std::size_t pieceSize,
                   const std::function<bool(const char*, std::size_t)>& take);

// The encoding `choice` reads a file of `kind` in: Auto gives UTF-8 for a
// UTF-8 byte-order mark or valid UTF-8 with multibyte characters, GBK
// otherwise.
TextEncoding resolveEncoding(EncodingChoice choice, const FileKind& kind);

}  // namespace corvel::encoding
