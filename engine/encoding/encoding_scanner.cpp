#include "encoding_scanner.h"

#include "encoding_rules.h"
#include "gb2312_set.h"
#include "gbk_cells.h"
#include "plain_block.h"

#include <bit>
#include <cstring>

namespace corvel::encoding {

namespace {

constexpr std::uint64_t kTopBit = std::uint64_t {1} << 63;

std::uint64_t controlBit(std::uint32_t byte)
{
    return std::uint64_t {1} << (byte == 0x7F ? 32 : byte);
}

const char* utf16Message(const FileKind& kind)
{
    if (kind.utf16 == Utf16::LittleEndian)
        return kind.utf16Bom ? "the file is UTF-16 (little-endian, byte-order mark FF FE): its "
                               "lines cannot be read; save it as GBK or UTF-8"
                             : "the file looks like UTF-16 (little-endian: NUL bytes between its "
                               "ASCII bytes): its lines cannot be read; save it as GBK or UTF-8";
    return kind.utf16Bom ? "the file is UTF-16 (big-endian, byte-order mark FE FF): its lines "
                           "cannot be read; save it as GBK or UTF-8"
                         : "the file looks like UTF-16 (big-endian: NUL bytes before its ASCII "
                           "bytes): its lines cannot be read; save it as GBK or UTF-8";
}

}  // namespace

EncodingScanner::EncodingScanner(const ScanSettings& settings, report::FindingSink& sink)
    : settings_(settings),
      sink_(sink),
      anyEnds_(settings.lineEnds == LineEnds::Any),
      gbkFamily_(settings.encoding != TextEncoding::Utf8),
      equalsLayout_(settings.layout == Layout::Equals),
      gb2312_(settings.charset == Charset::Gb2312),
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
    auto fileFinding = [&](std::string_view rule, std::string message) {
        report::Finding f;
        f.rule = std::string(rule);
        f.severity = rules::severityOf(rule);
        f.line = 1;
        f.column = 1;
        f.message = std::move(message);
        sink_.add(std::move(f));
    };
    if (kind.isUtf16()) {
        fileFinding(rules::kUtf16, utf16Message(kind));
        ignored_ = true;
        return;
    }
    if (kind.utf8Bom) {
        fileFinding(rules::kUtf8Bom,
                    gbkFamily_ ? "the file starts with a UTF-8 byte-order mark, which read as "
                                 "GBK is text of line 1; use --encoding utf-8"
                               : "the file starts with a UTF-8 byte-order mark (not part of "
                                 "line 1); programs that expect none read it as text");
        bomLeft_ = 3;
        if (!gbkFamily_)
            lineStart_ = 3;
    }
    watchFirstHigh_ = gbkFamily_ && kind.isUtf8Text();
}

void EncodingScanner::bytesRead(const char* data, std::size_t size)
{
    if (ignored_)
        return;
    while (bomLeft_ > 0 && size > 0) {
        --bomLeft_;
        ++pos_;
        ++data;
        --size;
    }
    if (tailSize_ > 0) {
        std::size_t take = std::min(size, sizeof tail_ - tailSize_);
        std::memcpy(tail_ + tailSize_, data, take);
        tailSize_ += take;
        data += take;
        size -= take;
        if (tailSize_ < sizeof tail_)
            return;
        scanBlock(tail_);
        tailSize_ = 0;
    }
    for (; size >= 64; data += 64, size -= 64)
        scanBlock(data);
    std::memcpy(tail_, data, size);
    tailSize_ = size;
}

void EncodingScanner::finish()
{
    if (ignored_)
        return;
    slowBytes(tail_, tailSize_);
    tailSize_ = 0;
    flushDecoder();
    if (pendingCr_) {
        pendingCr_ = false;
        endLine(LineEndKind::Cr, crPos_, 1);
    }
    if (pos_ > lineStart_)  // a last line without terminator
        endLine(LineEndKind::None, pos_, 0);
    ignored_ = true;  // nothing more to take
}

void EncodingScanner::scanBlock(const char* p)
{
    if (fastPath_ && tryPlainBlock(p))
        return;
    slowBytes(p, 64);
}

// ---- The fast path -----------------------------------------------------

bool EncodingScanner::tryPlainBlock(const char* p)
{
    const bool leadBefore = decoder_.leadPending();
    if (!(decoder_.idle() || leadBefore) || !matcher_.quiet())
        return false;
    const BlockMasks m = blockMasks(p, equalsLayout_);
    if (m.maybeControl && hasControlByte(p))
        return false;
    Pairing pairing;
    if (!textIsPlain(p, m, pairing) || !lineEndsArePlain(m))
        return false;
    takePlainBlock(p, m, pairing);
    return true;
}

// No character of the block needs a look: every one is valid, none can
// start or end a mark, none is checked against a character set.
bool EncodingScanner::textIsPlain(const char* p, const BlockMasks& m, Pairing& pairing) const
{
    if (m.high != 0 && (!gbkFamily_ || gb2312_ || watchFirstHigh_))
        return false;
    if (m.high != 0 || decoder_.leadPending()) {
        pairing = pairGbk(m.high, decoder_.leadPending());
        for (std::uint64_t t = pairing.lowTrails; t != 0; t &= t - 1) {
            auto b = static_cast<unsigned char>(p[std::countr_zero(t)]);
            if (b < 0x40 || b == 0x7F)
                return false;
        }
        if ((m.heat & (m.heat >> 1)) != 0 || (heatBefore_ && (m.heat & 1) != 0))
            return false;
        const bool bfFirst = static_cast<unsigned char>(p[0]) == 0xBF;
        if (efBefore_ && bfFirst)
            return false;
        if (m.maybeEf && (bytesEqual(p, 0xEF) & (bytesEqual(p, 0xBF) >> 1)) != 0)
            return false;
    }
    if (m.maybeQuestion || chineseBefore_) {
        const std::uint64_t afterChinese =
            ((m.high | pairing.lowTrails) << 1) | (chineseBefore_ ? 1 : 0);
        if ((bytesEqual(p, '?') & afterChinese) != 0)
            return false;
    }
    return true;
}

// Every line end of the block is of the kind the file's first line ended
// with, and only the first of them ends a line that may have findings.
bool EncodingScanner::lineEndsArePlain(const BlockMasks& m) const
{
    if (!lineEndKind_)
        return (m.cr | m.lf) == 0 && !pendingCr_;
    switch (*lineEndKind_) {
    case LineEndKind::CrLf: return m.lf == ((m.cr << 1) | (pendingCr_ ? 1 : 0));
    case LineEndKind::Cr: return m.lf == 0;
    case LineEndKind::Lf: return m.cr == 0 && !pendingCr_;
    case LineEndKind::None: break;
    }
    return false;
}

void EncodingScanner::takePlainBlock(const char* p, const BlockMasks& m, const Pairing& pairing)
{
    const std::uint64_t base = pos_;
    crSeen_ |= m.cr != 0;
    int lastEnd = -1;  // the last line end inside the block
    if (lineEndKind_) {
        const LineEndKind kind = *lineEndKind_;
        const unsigned length = kind == LineEndKind::CrLf ? 2 : 1;
        if (pendingCr_) {
            pendingCr_ = false;
            endLine(kind, crPos_, length);
        }
        // A CR as the last byte ends its line once the next byte is seen.
        const bool crAtEnd = kind != LineEndKind::Lf && (m.cr & kTopBit) != 0;
        std::uint64_t ends = (kind == LineEndKind::Lf ? m.lf : m.cr) & ~(crAtEnd ? kTopBit : 0);
        if (ends != 0) {
            lastEnd = std::countr_zero(ends);
            endLine(kind, base + static_cast<unsigned>(lastEnd), length);
            ends &= ends - 1;
        }
        if (ends != 0) {
            lastEnd = 63 - std::countl_zero(ends);
            endPlainLines(std::popcount(ends), base + static_cast<unsigned>(lastEnd) + length);
        }
        if (crAtEnd) {
            pendingCr_ = true;
            crPos_ = base + 63;
        }
    }
    if (equalsLayout_ && !seenEquals_) {
        // The '=' bytes of the line still open after the block.
        std::uint64_t open =
            lastEnd < 0 ? m.equals : m.equals & ~((std::uint64_t {2} << lastEnd) - 1);
        if (open != 0) {
            seenEquals_ = true;
            sourceControls_ = controls_;
        }
    }
    const auto lastByte = static_cast<unsigned char>(p[63]);
    if (pairing.leadAtEnd)
        decoder_.setLeadPending(lastByte, base + 63);
    else
        decoder_.clear();
    chineseBefore_ = !pairing.leadAtEnd && ((m.high | pairing.lowTrails) & kTopBit) != 0;
    matcher_.reset(chineseBefore_);
    heatBefore_ = (lastByte | 1) == 0xCD;
    efBefore_ = lastByte == 0xEF;
    pos_ = base + 64;
}

// ---- The byte-by-byte path ---------------------------------------------

void EncodingScanner::slowBytes(const char* p, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i)
        slowByte(static_cast<std::uint8_t>(p[i]));
    if (size > 0) {
        const auto lastByte = static_cast<unsigned char>(p[size - 1]);
        heatBefore_ = (lastByte | 1) == 0xCD;
        efBefore_ = lastByte == 0xEF;
        chineseBefore_ = matcher_.chineseBefore();
    }
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
    findings_.emit(static_cast<std::int32_t>(lineNumber_), lineStart_, sink_);
    sourceControls_ = !equalsLayout_ && lineNumber_ % 2 != 0 ? controls_ : 0;
    ++lineNumber_;
    lineStart_ = terminator + length;
    controls_ = 0;
    seenEquals_ = false;
    lfCount_ = 0;
    matcher_.reset();
}

// `count` more lines ended inside a plain block: no findings, no control
// bytes; the line after them starts at `nextLineStart`.
void EncodingScanner::endPlainLines(std::int64_t count, std::uint64_t nextLineStart)
{
    sourceControls_ = 0;
    lineNumber_ += count;
    lineStart_ = nextLineStart;
}

}  // namespace corvel::encoding
