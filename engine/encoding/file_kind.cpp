#include "file_kind.h"

#include "platform.h"
#include "utf8_block.h"
#include "utf8.h"

#include <algorithm>
#include <cstring>
#include <memory>


namespace corvel::encoding {


FileKindDetector::FileKindDetector() : isa_(chosenInstructionSet()) {}

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
    const char* const start = p;
    const std::size_t size = 64 * blocks;
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
    if (kind_.validUtf8 && kind_.utf8Likely + kind_.utf8Unlikely < kWeighed)
        weighCharacters(start, size);
}

namespace {

// Whether a code point is what a dictionary's UTF-8 text holds, rather
// than what GBK bytes read as UTF-8 give: two GBK bytes read as one UTF-8
// character fall in U+0080..U+07FF (mostly beyond the accented Latin
// letters), three in U+0800..U+FFFF, where U+0800..U+1FFF holds scripts no
// Chinese dictionary uses.
bool likelyInUtf8Text(char32_t code)
{
    return (code >= 0xA0 && code <= 0x17F) || code >= 0x2000;
}

}  // namespace

// Weighs the multibyte characters of `size` bytes of blocks (a character
// cut by the end is left out: the next block starts inside it).
void FileKindDetector::weighCharacters(const char* p, std::size_t size)
{
    std::string_view bytes(p, size);
    for (std::size_t i = 0; i < size && kind_.utf8Likely + kind_.utf8Unlikely < kWeighed;) {
        auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0xC0) {  // ASCII, or inside a character that started before
            ++i;
            continue;
        }
        char32_t code = 0;
        std::size_t length = utf8::charAt(bytes, i, code);
        if (length == 0)
            break;  // cut by the end of these blocks
        // Chinese weighs more: GBK bytes seldom read as it.
        const bool chinese = (code >= 0x3000 && code <= 0x9FFF) || (code >= 0xFF00 && code <= 0xFFEF);
        if (code != 0xFEFF)
            (likelyInUtf8Text(code) ? kind_.utf8Likely : kind_.utf8Unlikely) += chinese ? 4 : 1;
        i += length;
    }
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
