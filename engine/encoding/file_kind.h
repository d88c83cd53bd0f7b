// The detection of what a file is (corvel/file_kind.h), fed its bytes in
// pieces, and the reading of a file in pieces.
#pragma once

#include "block_feed.h"
#include "char_decoder.h"
#include "utf8_block.h"
#include "corvel/error.h"
#include "corvel/file_kind.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>

namespace corvel::encoding {

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
    InstructionSet isa_;
    Utf8Open open_;
    BlockFeed feed_;
    std::uint64_t scanned_ = 0;  // bytes in blocks checked so far
};

// Reads the file at `path` in pieces of `pieceSize` bytes and hands each to
// take(data, size), which returns whether it wants more; then closes it.
// The failure of opening, reading or closing, if any.
Error readInPieces(const std::filesystem::path& path, std::size_t pieceSize,
                   const std::function<bool(const char*, std::size_t)>& take);

}  // namespace corvel::encoding
