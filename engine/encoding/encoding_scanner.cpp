#include "encoding_scanner.h"

#include "gb2312_set.h"
#include "gbk_cells.h"
#include "plain_block.h"
#include "processor_features.h"
#include "utf8.h"
#include "utf8_block.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__GNUC__)
#define CORVEL_ALWAYS_INLINE __attribute__((always_inline)) inline
#else
#define CORVEL_ALWAYS_INLINE inline
#endif

namespace corvel::encoding {

using report::RuleId;

namespace {

constexpr std::uint64_t kTopBit = std::uint64_t {1} << 63;

// Whether a byte of `tails` (0x9F, 0xAB, 0xAF, 0xBD) ends one of the UTF-8
// marks 锟 (E9 94 9F), 烫 (E7 83 AB), 屯 (E5 B1 AF) or U+FFFD (EF BF BD);
// `before` and `before2` are the two bytes before the block.
bool utf8TailsAreMarks(const char* p, std::uint64_t tails, unsigned char before,
                       unsigned char before2)
{
    for (; tails != 0; tails &= tails - 1) {
        const int i = std::countr_zero(tails);
        const unsigned b1 = i >= 1 ? static_cast<unsigned char>(p[i - 1]) : before;
        const unsigned b2 =
            i >= 2 ? static_cast<unsigned char>(p[i - 2]) : (i == 1 ? before : before2);
        const unsigned seq = b2 << 16 | b1 << 8 | static_cast<unsigned char>(p[i]);
        if (seq == 0xE9949F || seq == 0xE783AB || seq == 0xE5B1AF || seq == 0xEFBFBD)
            return true;
    }
    return false;
}

// The rarer tests of the fast path, kept out of its loop: trails below
// 0x80 (valid from 0x40), control bytes, a '?' after a Chinese character.
#if defined(__GNUC__)
__attribute__((noinline))
#endif
bool rareBytesArePlain(const char* p, std::uint64_t high, std::uint64_t lowTrails,
                       bool chineseBefore, bool utf8)
{
    for (std::uint64_t t = lowTrails; t != 0; t &= t - 1) {
        auto b = static_cast<unsigned char>(p[std::countr_zero(t)]);
        if (b < 0x40 || b == 0x7F)
            return false;
    }
    if (hasControlByte(p, utf8))
        return false;
    const std::uint64_t afterChinese = ((high | lowTrails) << 1) | (chineseBefore ? 1 : 0);
    return (bytesEqual(p, '?') & afterChinese) == 0;
}

std::uint64_t controlBit(std::uint32_t byte)
{
    return std::uint64_t {1} << (byte == 0x7F ? 32 : byte);
}

}  // namespace

EncodingScanner::EncodingScanner(const ScanSettings& settings, NoteSink& sink)
    : settings_(settings),
      sink_(sink),
      anyEnds_(settings.lineEnds == LineEnds::Any),
      gbkFamily_(settings.encoding != TextEncoding::Utf8),
      equalsLayout_(settings.layout == Layout::Equals),
      gb2312_(settings.charset == Charset::Gb2312),
      isa_(chosenInstructionSet()),
      decoder_(settings.encoding),
      matcher_(settings.encoding),
      findings_(settings.encoding)
{
    reportFileKind();
}

// What the file is comes first: a byte-order mark, UTF-16. A UTF-8 mark
// is no text of line 1; read as UTF-8 its line starts after it.
void EncodingScanner::reportFileKind()
{
    const FileKind& kind = settings_.kind;
    auto fileNote = [&](RuleId rule, std::uint32_t value) {
        done_ = !sink_.add(rule, 1, 1, ByteNote {settings_.encoding, value});
    };
    if (kind.isUtf16()) {
        fileNote(RuleId::Utf16, (kind.utf16 == Utf16::LittleEndian ? std::uint32_t{kLittleEndian} : 0u) |
                                       (kind.utf16Bom ? std::uint32_t{kWithBom} : 0u));
        done_ = true;
        return;
    }
    if (kind.utf8Bom) {
        fileNote(RuleId::Utf8Bom, 0);
        bomLeft_ = 3;
        if (!gbkFamily_)
            lineStart_ = 3;
    }
    watchFirstHigh_ = gbkFamily_ && kind.isUtf8Text();
}

void EncodingScanner::bytesRead(const char* data, std::size_t size)
{
    if (done_)
        return;
    while (bomLeft_ > 0 && size > 0) {
        --bomLeft_;
        ++pos_;
        ++data;
        --size;
    }
    feed_.feed(data, size, [this](const char* p, std::size_t blocks) { scanBlocks(p, blocks); });
}

void EncodingScanner::finish()
{
    if (done_)
        return;
    enterSlowPath();
    for (char byte : feed_.takeRest())
        slowByte(static_cast<std::uint8_t>(byte));
    flushDecoder();
    if (pendingCr_) {
        pendingCr_ = false;
        endLine(LineEndKind::Cr, crPos_, 1);
    }
    if (pos_ > lineStart_)  // a last line without terminator
        endLine(LineEndKind::None, pos_, 0);
    done_ = true;  // nothing more to take
}

// ---- The fast path -----------------------------------------------------

// What the fast path of UTF-8 keeps besides: the continuations the next
// block starts with, and the second byte before the first block.
struct EncodingScanner::Utf8Carry {
    std::uint64_t open;
    unsigned char before2;
};

// What the fast path keeps while it takes block after block, in locals
// rather than members so that it stays in registers.
struct EncodingScanner::PlainState {
    std::uint64_t pos;
    std::uint64_t lineStart;
    std::int64_t lineNumber;
    unsigned char before;      // the byte before the first block
    std::uint64_t lastHigh;    // the last block's high bytes and low trails
    std::uint64_t lastLowTrails;
    bool lead;                 // the last character is open (a GBK lead, UTF-8)
    bool pendingCr;            // the last byte is a CR
    bool crSeen;
    bool seenEquals;
    bool dirty;                // the current line holds something to report
    bool multibyte;            // multibyte characters may pass
    LineEndKind kind;          // the file's line end; None: not known yet
};

void EncodingScanner::scanBlocks(const char* p, std::size_t blocks)
{
    while (blocks > 0) {
        std::size_t plain = fastPath_ && fastReady_ ? takePlainBlocks(p, blocks) : 0;
        p += 64 * plain;
        blocks -= plain;
        if (blocks > 0) {
            slowBlock(p, 64);
            p += 64;
            --blocks;
        }
    }
}

std::size_t EncodingScanner::takePlainBlocks(const char* p, std::size_t blocks)
{
    switch (isa_) {
#if defined(CORVEL_VECTOR_KERNELS)
    case InstructionSet::Avx2: return takePlainBlocksAvx2(p, blocks);
    case InstructionSet::Sse2: return takePlainBlocksSse2(p, blocks);
#endif
    default: return takePlainBlocksPortable(p, blocks);
    }
}

void EncodingScanner::limitVectorIsa(InstructionSet isa)
{
    if (static_cast<int>(isa) < static_cast<int>(isa_))
        isa_ = isa;
}

// The fast path on one instruction set's lanes, whose entry below is
// flattened so that they are inlined into it; the usual case (CR LF line
// ends, GBK characters, no line with something to report) and each layout
// are constants of a loop of their own. The byte before a block: for the
// first, kept from the block before; for the others, in memory right
// before it.
template <class Lanes>
CORVEL_ALWAYS_INLINE std::size_t EncodingScanner::takePlain(const char* p, std::size_t blocks)
{
    PlainState state = plainState();
    std::size_t taken = 0;
    const auto loop = [&]<bool Usual, bool Equals>() {
#pragma GCC unroll 2
        for (; taken < blocks; ++taken, p += 64) {
            const auto before = taken == 0 ? state.before : static_cast<unsigned char>(p[-1]);
            if (!takeIfPlain<Usual, Equals>(p, blockMasks<Lanes, false>(p, Equals, before), state))
                break;
        }
    };
    const auto utf8Loop = [&]<bool Equals>() {
        Utf8Carry carry = utf8Carry();
        for (; taken < blocks; ++taken, p += 64) {
            const auto before = taken == 0 ? state.before : static_cast<unsigned char>(p[-1]);
            const auto before2 = taken == 0 ? carry.before2 : static_cast<unsigned char>(p[-2]);
            if (!takeUtf8IfPlain<Equals>(p, blockMasks<Lanes, true>(p, Equals, before),
                                         utf8Classes<Lanes>(p), before, before2, carry, state))
                break;
        }
    };
    const bool usual = state.kind == LineEndKind::CrLf && state.multibyte && !state.dirty;
    if (!gbkFamily_ && equalsLayout_)
        utf8Loop.template operator()<true>();
    else if (!gbkFamily_)
        utf8Loop.template operator()<false>();
    else if (usual && equalsLayout_)
        loop.template operator()<true, true>();
    else if (usual)
        loop.template operator()<true, false>();
    else if (equalsLayout_)
        loop.template operator()<false, true>();
    else
        loop.template operator()<false, false>();
    if (taken > 0)
        keepPlainState(state, p - 64);
    return taken;
}

CORVEL_LANES_FLATTEN
std::size_t EncodingScanner::takePlainBlocksPortable(const char* p, std::size_t blocks)
{
    return takePlain<lanes::PortableLanes>(p, blocks);
}

#if defined(CORVEL_VECTOR_KERNELS)
CORVEL_LANES_FLATTEN
std::size_t EncodingScanner::takePlainBlocksSse2(const char* p, std::size_t blocks)
{
    return takePlain<lanes::Sse2Lanes>(p, blocks);
}

CORVEL_KERNEL_AVX2 CORVEL_LANES_FLATTEN
std::size_t EncodingScanner::takePlainBlocksAvx2(const char* p, std::size_t blocks)
{
    return takePlain<lanes::Avx2Lanes>(p, blocks);
}
#endif

EncodingScanner::PlainState EncodingScanner::plainState() const
{
    PlainState s;
    s.pos = pos_;
    s.lineStart = lineStart_;
    s.lineNumber = lineNumber_;
    s.before = lastByte_;
    s.lastHigh = chineseBefore_ ? kTopBit : 0;
    s.lastLowTrails = 0;
    s.lead = openCount_ > 0;
    s.pendingCr = pendingCr_;
    s.crSeen = crSeen_;
    s.seenEquals = seenEquals_;
    s.dirty = lineDirty_;
    s.multibyte = !gb2312_ && !watchFirstHigh_;
    s.kind = lineEndKind_ ? *lineEndKind_ : LineEndKind::None;
    return s;
}

EncodingScanner::Utf8Carry EncodingScanner::utf8Carry() const
{
    Utf8Carry carry {0, lastByte2_};
    if (openCount_ > 0) {
        // The continuations still to come of the open character.
        const int length = utf8::leadOf(openBytes_[0]).length;
        carry.open = (std::uint64_t {1} << (length - openCount_)) - 1;
    }
    return carry;
}

// `last`: the last block taken.
void EncodingScanner::keepPlainState(const PlainState& s, const char* last)
{
    // A line that started in the blocks, or whose '=' came in them, has no
    // control bytes in its source.
    if (s.lineNumber != lineNumber_ || s.seenEquals != seenEquals_)
        sourceControls_ = 0;
    pos_ = s.pos;
    lineStart_ = s.lineStart;
    lineNumber_ = s.lineNumber;
    lastByte_ = static_cast<unsigned char>(last[63]);
    lastByte2_ = static_cast<unsigned char>(last[62]);
    keepOpenBytes(s, last);
    chineseBefore_ = !s.lead && ((s.lastHigh | s.lastLowTrails) & kTopBit) != 0;
    pendingCr_ = s.pendingCr;
    crPos_ = s.pos - 1;
    crSeen_ = s.crSeen;
    seenEquals_ = s.seenEquals;
    matcherStale_ = true;
}

// The bytes at the end of the last block that start a character the next
// block completes: a GBK lead, or a UTF-8 lead and its continuations.
void EncodingScanner::keepOpenBytes(const PlainState& s, const char* last)
{
    openCount_ = 0;
    if (!s.lead)
        return;
    int from = 63;
    if (!gbkFamily_)
        while (from > 61 && static_cast<unsigned char>(last[from]) < 0xC0)
            --from;
    for (int i = from; i < 64; ++i)
        openBytes_[openCount_++] = static_cast<std::uint8_t>(last[i]);
}

// Takes the block without looking at its bytes one by one, when its masks
// show that nothing in it can be a finding: every character is valid, none
// can start or end a mark or is checked against a character set, every
// line end is of the file's kind, and no line with something to report
// ends in it. The usual tests are all on masks, with one branch for them.
template <bool Equals>
CORVEL_ALWAYS_INLINE bool EncodingScanner::takeUtf8IfPlain(const char* p, const BlockMasks& m,
                                                           const Utf8Classes& classes,
                                                           unsigned char before,
                                                           unsigned char before2,
                                                           Utf8Carry& carry, PlainState& s) const
{
    Utf8Open open {carry.open, before};
    if (!utf8BlockValid(classes, open) ||
        (classes.tails != 0 && utf8TailsAreMarks(p, classes.tails, before, before2)))
        return false;
    if (!takeIfPlain<false, Equals, true>(p, m, s))
        return false;
    carry.open = open.continuations;
    s.lead = open.continuations != 0;
    return true;
}

template <bool Usual, bool Equals, bool Utf8>
CORVEL_ALWAYS_INLINE bool EncodingScanner::takeIfPlain(const char* p, const BlockMasks& m,
                                                       PlainState& s) const
{
    if constexpr (Usual) {
        s.kind = LineEndKind::CrLf;
        s.multibyte = true;
        s.dirty = false;
    }
    const std::uint64_t crBefore = s.pendingCr ? 1 : 0;
    const Pairing pairing = Utf8 ? Pairing {} : pairGbk(m.high, s.lead);
    std::uint64_t bad = s.multibyte ? 0 : m.high | (s.lead ? 1 : 0);
    bad |= Utf8 ? 0 : m.marks;
    // Line ends of another kind than the file's; a line with something to
    // report must end byte by byte.
    const std::uint64_t lineBytes = m.cr | m.lf | crBefore;
    switch (s.kind) {
    case LineEndKind::CrLf: bad |= m.lf ^ ((m.cr << 1) | crBefore); break;
    case LineEndKind::Cr: bad |= m.lf; break;
    case LineEndKind::Lf: bad |= m.cr | crBefore; break;
    case LineEndKind::None: bad |= lineBytes; break;
    }
    if (s.dirty)
        bad |= lineBytes | (Equals && !s.seenEquals ? m.equals : 0);
    if ((bad | pairing.lowTrails | (m.maybeRare ? 1 : 0)) != 0 &&
        (bad != 0 ||
         !rareBytesArePlain(p, m.high, pairing.lowTrails,
                            !s.lead && ((s.lastHigh | s.lastLowTrails) & kTopBit) != 0, Utf8)))
        return false;

    const std::uint64_t base = s.pos;
    // The bytes after the block's last line end (all: none ends in it).
    std::uint64_t after = ~std::uint64_t {0};
    bool started;  // a line starts in the block
    if constexpr (Usual) {
        // CR LF only: every LF of the block ends a line, including the one
        // after a CR that ended the block before.
        const int lastLf = 63 - std::countl_zero(m.lf);
        s.lineNumber += std::popcount(m.lf);
        started = m.lf != 0;
        if (started) {
            s.lineStart = base + static_cast<unsigned>(lastLf) + 1;
            after <<= lastLf;
            after <<= 1;
        }
        s.pendingCr = (m.cr >> 63) != 0;
    } else {
        const unsigned length = s.kind == LineEndKind::CrLf ? 2 : 1;
        // A CR as the last byte ends its line once the next byte is seen.
        const std::uint64_t crAtEnd = s.kind == LineEndKind::Lf ? 0 : m.cr >> 63;
        const std::uint64_t ends = (s.kind == LineEndKind::Lf ? m.lf : m.cr) & ~(crAtEnd << 63);
        const int lastEnd = 63 - std::countl_zero(ends);
        s.lineNumber += std::popcount(ends) + static_cast<int>(crBefore);
        started = (ends | crBefore) != 0;
        if (ends != 0) {
            s.lineStart = base + static_cast<unsigned>(lastEnd) + length;
            after <<= lastEnd;
            after <<= 1;
        } else if (crBefore != 0) {
            s.lineStart = base - 1 + length;
        }
        s.pendingCr = crAtEnd != 0;
    }
    if constexpr (!Usual)
        s.crSeen |= m.cr != 0;  // (the usual case has seen CR LF)
    if constexpr (Equals) {
        // The '=' bytes of the line still open after the block.
        const std::uint64_t open = m.equals & after;
        s.seenEquals = (s.seenEquals && !started) || open != 0;
    }
    s.lead = pairing.leadAtEnd;  // (UTF-8: set by the caller)
    s.lastHigh = m.high;
    s.lastLowTrails = pairing.lowTrails;
    s.pos = base + 64;
    return true;
}

// ---- The byte-by-byte path ---------------------------------------------

void EncodingScanner::slowBlock(const char* p, std::size_t size)
{
    enterSlowPath();
    for (std::size_t i = 0; i < size; ++i)
        slowByte(static_cast<std::uint8_t>(p[i]));
    leaveSlowPath(p, size);
}

// The byte-by-byte path takes over the state the fast path kept.
void EncodingScanner::enterSlowPath()
{
    for (int i = 0; i < openCount_; ++i)
        decoder_.push(openBytes_[i], pos_ - openCount_ + i,
                      [this](const DecodedChar& c) { onChar(c); });
    openCount_ = 0;
    if (matcherStale_) {
        matcher_.reset(chineseBefore_);
        matcherStale_ = false;
    }
}

// Hands the state over to the fast path, if it can go on from here.
void EncodingScanner::leaveSlowPath(const char* p, std::size_t size)
{
    lastByte_ = static_cast<unsigned char>(p[size - 1]);
    lastByte2_ = static_cast<unsigned char>(size > 1 ? p[size - 2] : 0);
    chineseBefore_ = matcher_.chineseBefore();
    fastReady_ = matcher_.quiet() && (decoder_.idle() || decoder_.leadPending());
    if (fastReady_ && decoder_.leadPending()) {
        openBytes_[0] = decoder_.leadByte();
        openCount_ = 1;
        decoder_.clear();
    }
    lineDirty_ = !findings_.empty() || controls_ != 0 || lfCount_ > 0;
}

void EncodingScanner::slowByte(std::uint8_t byte)
{
    const std::uint64_t pos = pos_++;
    if (pendingCr_) {
        pendingCr_ = false;
        if (byte == '\n') {
            endLine(LineEndKind::CrLf, crPos_, 2);
            return;
        }
        endLine(LineEndKind::Cr, crPos_, 1);
    }
    if (byte == '\r') {
        flushDecoder();
        pendingCr_ = true;
        crPos_ = pos;
        crSeen_ = true;
        return;
    }
    if (byte == '\n' && anyEnds_) {
        flushDecoder();
        endLine(LineEndKind::Lf, pos, 1);
        return;
    }
    if (byte >= 0x80 && watchFirstHigh_) {
        findings_.noteUtf8Text(pos);
        watchFirstHigh_ = false;
    }
    decoder_.push(byte, pos, [this](const DecodedChar& c) { onChar(c); });
}

void EncodingScanner::flushDecoder()
{
    decoder_.flush([this](const DecodedChar& c) { onChar(c); });
}

void EncodingScanner::onChar(const DecodedChar& c)
{
    switch (c.kind) {
    case CharKind::Invalid:
        findings_.noteInvalid(c);
        break;
    case CharKind::Ascii:
        if ((c.code < 0x20 && c.code != '\t') || c.code == 0x7F) {
            onControl(c);
        } else if (c.code == '=' && equalsLayout_ && !seenEquals_) {
            seenEquals_ = true;
            sourceControls_ = controls_;
        }
        break;
    case CharKind::Multibyte:
        if (gb2312_ && inTranslation() && !inGb2312(c))
            findings_.noteOutsideCharset(c.pos, c.code, c.size);
        break;
    }
    matcher_.feed(c, [this](const MarkFound& found) { findings_.noteMojibake(found); });
}

void EncodingScanner::onControl(const DecodedChar& c)
{
    const std::uint64_t bit = controlBit(c.code);
    controls_ |= bit;
    if (c.code == '\n' && lfCount_++ == 0)
        firstLf_ = c.pos;
    if (inTranslation() && (sourceControls_ & bit) == 0)
        findings_.noteControl(c.pos, static_cast<std::uint8_t>(c.code));
}

bool EncodingScanner::inGb2312(const DecodedChar& c) const
{
    if (!gbkFamily_)
        return Gb2312Set::instance().contains(c.code);
    return c.size == 2 && isGb2312(static_cast<std::uint8_t>(c.code >> 8),
                                   static_cast<std::uint8_t>(c.code));
}

// Line pairs: an even line is a translation. Equals lines: the text after
// the first '='.
bool EncodingScanner::inTranslation() const
{
    return equalsLayout_ ? seenEquals_ : lineNumber_ % 2 == 0;
}

// ---- Lines -------------------------------------------------------------

void EncodingScanner::noteLineEnd(LineEndKind kind, std::uint64_t terminator)
{
    if (kind == LineEndKind::None)
        return;
    if (!lineEndKind_) {
        lineEndKind_ = kind;
    } else if (kind != *lineEndKind_ && !mixedReported_) {
        findings_.noteMixedLineEnds(terminator, *lineEndKind_, kind);
        mixedReported_ = true;
    }
}

// Ends the current line at the terminator at `terminator` of `length`
// bytes: its findings go out, and the next line starts after it.
void EncodingScanner::endLine(LineEndKind kind, std::uint64_t terminator, unsigned length)
{
    flushDecoder();
    noteLineEnd(kind, terminator);
    // Lone LFs act as line ends: several in one line, or any in a file
    // without a CR (which is all one line).
    if (!anyEnds_ && !lfReported_ && (lfCount_ >= 2 || (lfCount_ == 1 && !crSeen_))) {
        findings_.noteLfLineEnds(firstLf_);
        lfReported_ = true;
    }
    if (lfReported_)
        findings_.dropLfControl();
    if (done_)  // the sink said stop: the rest of this read is noted to no one
        findings_ = LineFindings(settings_.encoding);
    else if (!findings_.emit(static_cast<std::int32_t>(lineNumber_), lineStart_, sink_))
        done_ = true;
    sourceControls_ = !equalsLayout_ && lineNumber_ % 2 != 0 ? controls_ : 0;
    ++lineNumber_;
    lineStart_ = terminator + length;
    seenEquals_ = false;
    controls_ = 0;
    lfCount_ = 0;
    lineDirty_ = false;
    matcher_.reset();
}

}  // namespace corvel::encoding
