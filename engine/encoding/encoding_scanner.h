// The encoding and line-end rules of a dictionary, applied to its bytes as
// they stream by (a LineReader hands them over as it reads, or anything
// else feeds them in pieces of any size), with the same line numbers and
// line ends the reading gives. Its notes reach the sink in line order;
// those about the whole file first. What a note says is the report's.
//
// With a run: detect the file's kind first (detectFileKind), hand the
// scanner to the dictionary's LineReader right after opening it
// (LineReader::observe), and call finish() after the last line. The scanner
// runs ahead of the lines by up to one read of the reader: the notes of
// those lines reach the sink before the run handles them.
//
// Most 64-byte blocks of a dictionary need no attention: their masks are
// taken at once (plain_block.h, utf8_block.h), and only a block that may
// hold a finding, or that the masks cannot decide, goes through the
// byte-by-byte path.
#pragma once

#include "processor_features.h"
#include "block_feed.h"
#include "char_decoder.h"
#include "file_kind.h"
#include "line_findings.h"
#include "mojibake_matcher.h"
#include "corvel/encoding_check.h"
#include "corvel/reading_options.h"
#include "read_observer.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace corvel::encoding {

struct BlockMasks;
struct Utf8Classes;

class EncodingScanner final : public ReadObserver {
public:
    EncodingScanner(const ScanSettings& settings, NoteSink& sink);

    // The next bytes of the file.
    void bytesRead(const char* data, std::size_t size) override;
    // After the last byte: the last line's findings.
    void finish();
    // The lines seen so far (after finish(): the file's lines).
    std::int64_t lineCount() const { return lineNumber_ - 1; }
    // For tests of the fast path: off, every block takes the byte-by-byte
    // path; a narrower instruction set than the processor's best.
    void setFastPath(bool enabled) { fastPath_ = enabled; }
    void limitVectorIsa(InstructionSet isa);

private:
    void reportFileKind();
    struct PlainState;
    struct Utf8Carry;
    void scanBlocks(const char* p, std::size_t blocks);
    std::size_t takePlainBlocks(const char* p, std::size_t blocks);
    template <class Lanes>
    std::size_t takePlain(const char* p, std::size_t blocks);
    std::size_t takePlainBlocksPortable(const char* p, std::size_t blocks);
    std::size_t takePlainBlocksSse2(const char* p, std::size_t blocks);
    std::size_t takePlainBlocksAvx2(const char* p, std::size_t blocks);
    PlainState plainState() const;
    void keepPlainState(const PlainState& state, const char* last);
    Utf8Carry utf8Carry() const;
    template <bool Usual, bool Equals, bool Utf8 = false>
    bool takeIfPlain(const char* p, const BlockMasks& m, PlainState& state) const;
    template <bool Equals>
    bool takeUtf8IfPlain(const char* p, const BlockMasks& m, const Utf8Classes& classes,
                         unsigned char before, unsigned char before2, Utf8Carry& carry,
                         PlainState& state) const;
    void keepOpenBytes(const PlainState& state, const char* last);
    void slowBlock(const char* p, std::size_t size);
    void enterSlowPath();
    void leaveSlowPath(const char* p, std::size_t size);
    void slowByte(std::uint8_t byte);
    void onChar(const DecodedChar& c);
    void onControl(const DecodedChar& c);
    bool inGb2312(const DecodedChar& c) const;
    bool inTranslation() const;
    void flushDecoder();
    void endLine(LineEndKind kind, std::uint64_t terminator, unsigned length);
    void noteLineEnd(LineEndKind kind, std::uint64_t terminator);

    const ScanSettings settings_;
    NoteSink& sink_;
    const bool anyEnds_;
    const bool gbkFamily_;
    const bool equalsLayout_;
    const bool gb2312_;
    InstructionSet isa_;
    bool fastPath_ = true;
    // No more to take: UTF-16 (no line can be read), the sink said stop,
    // or finished.
    bool done_ = false;

    CharDecoder decoder_;
    MojibakeMatcher matcher_;
    LineFindings findings_;

    // Where the stream is; bytes of a block not yet complete.
    std::uint64_t pos_ = 0;
    unsigned bomLeft_ = 0;
    BlockFeed feed_;

    // The current line.
    std::int64_t lineNumber_ = 1;
    std::uint64_t lineStart_ = 0;
    std::uint64_t controls_ = 0;        // its control bytes, bit 32 for 0x7F
    std::uint64_t sourceControls_ = 0;  // those of its source text
    bool seenEquals_ = false;
    int lfCount_ = 0;
    std::uint64_t firstLf_ = 0;
    // It holds something only its end can settle (findings, control bytes,
    // LFs): that end is not taken in bulk.
    bool lineDirty_ = false;

    // Line ends of the file.
    bool pendingCr_ = false;  // a CR whose next byte is not seen yet
    std::uint64_t crPos_ = 0;
    bool crSeen_ = false;
    std::optional<LineEndKind> lineEndKind_;  // the first line's
    bool mixedReported_ = false;
    bool lfReported_ = false;
    bool watchFirstHigh_ = false;  // utf8-text is still to be placed

    // Between blocks of the fast path, the state of the byte-by-byte path
    // is kept here: the first bytes of a character that the next block
    // completes (a GBK lead, up to three bytes of UTF-8), and the last
    // bytes for marks across the boundary.
    bool fastReady_ = true;     // nothing half decoded or half matched
    bool matcherStale_ = false; // the matcher is reset before it is used
    std::uint8_t openBytes_[3] = {};
    int openCount_ = 0;
    unsigned char lastByte_ = 0;
    unsigned char lastByte2_ = 0;  // the one before it
    bool chineseBefore_ = false;
};

}  // namespace corvel::encoding
