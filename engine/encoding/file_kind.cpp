#include "file_kind.h"

#include "platform.h"
#include "utf8_block.h"

#include <algorithm>
#include <cstring>
#include <memory>


namespace corvel::encoding {


FileKindDetector::FileKindDetector() : isa_(bestVectorIsa()) {}

void FileKindDetector::feed(const char* data, std::size_t size)
{
    if (!prefixJudged_)
        feedPrefix(data, size);
    if (kind_.validUtf8)
        scanUtf8(data, size);
}

void FileKindDetector::feedPrefix(const char* data, std::size_t size)
{
    std::size_t take = std::min(size, kPrefix - prefixSize_);
    std::memcpy(prefix_ + prefixSize_, data, take);
    prefixSize_ += take;
    if (prefixSize_ == kPrefix)
        judgePrefix();
}

void FileKindDetector::scanUtf8(const char* data, std::size_t size)
{
    feed_.feed(data, size, [this](const char* p, std::size_t blocks) { checkBlocks(p, blocks); });
}

// A byte-order mark at the start is no multibyte character of the text.
void FileKindDetector::checkBlocks(const char* p, std::size_t blocks)
{
    if (blocks == 0 || !kind_.validUtf8)
        return;
    std::uint64_t leads = 0;
    if (scanned_ == 0) {
        kind_.validUtf8 = utf8BlocksValid(p, 1, open_, leads, isa_);
        if (std::memcmp(p, "\xEF\xBB\xBF", 3) == 0)
            leads &= ~std::uint64_t {1};
        p += 64;
        scanned_ = 64;
        --blocks;
    }
    kind_.validUtf8 = kind_.validUtf8 && utf8BlocksValid(p, blocks, open_, leads, isa_);
    scanned_ += 64 * blocks;
    kind_.utf8Multibyte |= leads != 0;
}

// A byte-order mark decides; without one, UTF-16 text of mostly ASCII, CR LF
// and Chinese has NUL bytes in one byte position of the pairs (the high byte
// of U+0000-U+00FF), and no text of GBK or UTF-8 holds them so.
void FileKindDetector::judgePrefix()
{
    prefixJudged_ = true;
    const unsigned char* p = prefix_;
    const std::size_t n = prefixSize_;
    if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
        kind_.utf8Bom = true;
        return;
    }
    if (n >= 2 && ((p[0] == 0xFF && p[1] == 0xFE) || (p[0] == 0xFE && p[1] == 0xFF))) {
        kind_.utf16 = p[0] == 0xFF ? Utf16::LittleEndian : Utf16::BigEndian;
        kind_.utf16Bom = true;
        return;
    }
    std::size_t nulEven = 0, nulOdd = 0;
    for (std::size_t i = 0; i + 1 < n; i += 2) {
        nulEven += p[i] == 0;
        nulOdd += p[i + 1] == 0;
    }
    std::size_t most = std::max(nulEven, nulOdd);
    std::size_t least = std::min(nulEven, nulOdd);
    if (most >= 2 && most * 16 >= n && least * 4 <= most)
        kind_.utf16 = nulOdd > nulEven ? Utf16::LittleEndian : Utf16::BigEndian;
}

bool FileKindDetector::settled() const
{
    return prefixJudged_ && (kind_.isUtf16() || !kind_.validUtf8);
}

FileKind FileKindDetector::finish()
{
    if (!prefixJudged_)
        judgePrefix();
    // Spaces after the last bytes: a character cut off by the end of the
    // file is then invalid, as it is.
    if (const char* last = feed_.padRest(' ')) {
        checkBlocks(last, 1);
    } else if (open_.continuations != 0) {
        kind_.validUtf8 = false;  // the file ends inside a character
    }
    return kind_;
}

Error detectFileKind(const std::filesystem::path& path, FileKind& kind)
{
    FileKindDetector detector;
    Error error = readInPieces(path, 64 * 1024, [&](const char* data, std::size_t size) {
        detector.feed(data, size);
        return !detector.settled();
    });
    if (!error)
        kind = detector.finish();
    return error;
}

Error readInPieces(const std::filesystem::path& path, std::size_t pieceSize,
                   const std::function<bool(const char*, std::size_t)>& take)
{
    Error error;
    File file = File::open(path, File::Access::Read, error);
    if (error)
        return error;
    auto buffer = std::make_unique<char[]>(pieceSize);
    for (;;) {
        const std::size_t n = file.read(buffer.get(), pieceSize, error);
        if (error)
            return error;
        if (n == 0 || !take(buffer.get(), n))
            break;
    }
    return file.close();
}

TextEncoding resolveEncoding(EncodingChoice choice, const FileKind& kind)
{
    switch (choice) {
    case EncodingChoice::Gbk: return TextEncoding::Gbk;
    case EncodingChoice::Gb18030: return TextEncoding::Gb18030;
    case EncodingChoice::Utf8: return TextEncoding::Utf8;
    case EncodingChoice::Auto: break;
    }
    return kind.utf8Bom || kind.isUtf8Text() ? TextEncoding::Utf8 : TextEncoding::Gbk;
}

}  // namespace corvel::encoding
