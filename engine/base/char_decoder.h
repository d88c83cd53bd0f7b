// Cuts a byte stream into characters of GBK, GB18030 or UTF-8, one byte at
// a time, so that a character may straddle the pieces the stream comes in.
// Bytes that form no character come out as invalid characters; decoding
// then goes on at the next byte that can start one.
#pragma once

#include "gbk_cells.h"
#include "utf8.h"
#include "corvel/reading_options.h"

#include <cstdint>

namespace corvel::encoding {

enum class CharKind : std::uint8_t { Ascii, Multibyte, Invalid };

struct DecodedChar {
    std::uint64_t pos = 0;   // stream position of its first byte
    // ASCII: the byte. GBK/GB18030: the bytes, first byte highest
    // (0xD6D0, 0x8431A437). UTF-8: the code point. Invalid: the bytes
    // looked at (the last one is what broke the sequence).
    std::uint32_t code = 0;
    std::uint8_t first = 0;  // the first byte
    std::uint8_t size = 0;   // bytes consumed
    std::uint8_t shown = 0;  // invalid: bytes in `code`
    CharKind kind = CharKind::Ascii;
};

class CharDecoder {
public:
    explicit CharDecoder(TextEncoding encoding) : encoding_(encoding) {}

    // Takes the byte at stream position `pos`; `sink(const DecodedChar&)`
    // receives each character it completes.
    template <class Sink>
    void push(std::uint8_t byte, std::uint64_t pos, Sink&& sink)
    {
        if (count_ == 0 && byte < 0x80) {
            sink(DecodedChar {pos, byte, byte, 1, 1, CharKind::Ascii});
            return;
        }
        if (encoding_ == TextEncoding::Utf8)
            pushUtf8(byte, pos, sink);
        else
            pushGbk(byte, pos, sink);
    }

    // The stream or the line ends: pending bytes are invalid.
    template <class Sink>
    void flush(Sink&& sink)
    {
        while (count_ > 0) {
            if (encoding_ == TextEncoding::Utf8) {
                emitInvalid(count_, count_, sink);
                count_ = 0;
            } else {
                refeedAfterInvalid(0, 0, false, sink);
            }
        }
    }

    bool idle() const { return count_ == 0; }
    // Only a GBK lead byte is pending.
    bool leadPending() const { return count_ == 1 && encoding_ != TextEncoding::Utf8; }
    std::uint8_t leadByte() const { return bytes_[0]; }
    std::uint64_t leadPos() const { return pos_; }
    void setLeadPending(std::uint8_t lead, std::uint64_t pos)
    {
        bytes_[0] = lead;
        pos_ = pos;
        count_ = 1;
    }
    void clear() { count_ = 0; }

private:
    template <class Sink>
    void pushGbk(std::uint8_t byte, std::uint64_t pos, Sink& sink)
    {
        switch (count_) {
        case 0:
            if (isGbkLead(byte))
                start(byte, pos);
            else
                sink(DecodedChar {pos, byte, byte, 1, 1, CharKind::Invalid});
            return;
        case 1:
            if (isGbkTrail(byte)) {
                count_ = 0;
                sink(DecodedChar {pos_, std::uint32_t {bytes_[0]} << 8 | byte, bytes_[0], 2, 2,
                                  CharKind::Multibyte});
            } else if (isGb18030FourByteSecond(byte)) {
                bytes_[count_++] = byte;  // GBK too, to tell a GB18030 character whole
            } else {
                refeedAfterInvalid(byte, pos, true, sink);
            }
            return;
        case 2:
            if (isGbkLead(byte))
                bytes_[count_++] = byte;
            else
                refeedAfterInvalid(byte, pos, true, sink);
            return;
        default:
            completeFourByte(byte, pos, sink);
            return;
        }
    }

    template <class Sink>
    void completeFourByte(std::uint8_t byte, std::uint64_t pos, Sink& sink)
    {
        if (!isGb18030FourByteSecond(byte)) {
            refeedAfterInvalid(byte, pos, true, sink);
            return;
        }
        std::uint32_t code = std::uint32_t {bytes_[0]} << 24 | std::uint32_t {bytes_[1]} << 16 |
                             std::uint32_t {bytes_[2]} << 8 | byte;
        count_ = 0;
        // The four-byte shape outside the mapped ranges (or in GBK) is one
        // invalid sequence of four bytes.
        if (encoding_ == TextEncoding::Gb18030 &&
            isGb18030FourByte(bytes_[0], bytes_[1], bytes_[2], byte))
            sink(DecodedChar {pos_, code, bytes_[0], 4, 4, CharKind::Multibyte});
        else
            sink(DecodedChar {pos_, code, bytes_[0], 4, 4, CharKind::Invalid});
    }

    // The pending lead byte is invalid: reports it with the bytes that
    // followed, then decodes those again from the byte after the lead.
    template <class Sink>
    void refeedAfterInvalid(std::uint8_t byte, std::uint64_t pos, bool withByte, Sink& sink)
    {
        std::uint8_t rest[4];
        int restCount = 0;
        for (int i = 1; i < count_; ++i)
            rest[restCount++] = bytes_[i];
        if (withByte)
            rest[restCount++] = byte;
        std::uint32_t code = 0;
        for (int i = 0; i < count_; ++i)
            code = code << 8 | bytes_[i];
        std::uint8_t shown = count_;
        if (withByte) {
            code = code << 8 | byte;
            ++shown;
        }
        const std::uint64_t at = pos_;
        count_ = 0;
        sink(DecodedChar {at, code, static_cast<std::uint8_t>(code >> (8 * (shown - 1))), 1, shown,
                          CharKind::Invalid});
        for (int i = 0; i < restCount; ++i) {
            // Pending bytes sat at consecutive positions after the lead.
            std::uint64_t restPos = withByte && i == restCount - 1 ? pos : at + 1 + i;
            push(rest[i], restPos, sink);
        }
    }

    template <class Sink>
    void pushUtf8(std::uint8_t byte, std::uint64_t pos, Sink& sink)
    {
        if (count_ == 0) {
            startUtf8(byte, pos, sink);
            return;
        }
        if (byte < low_ || byte > high_) {
            emitInvalid(count_, count_, sink);
            count_ = 0;
            push(byte, pos, sink);
            return;
        }
        codePoint_ = codePoint_ << 6 | (byte & 0x3F);
        bytes_[count_++] = byte;
        low_ = 0x80;
        high_ = 0xBF;
        if (count_ == needed_) {
            count_ = 0;
            sink(DecodedChar {pos_, codePoint_, bytes_[0], needed_, needed_, CharKind::Multibyte});
        }
    }

    template <class Sink>
    void startUtf8(std::uint8_t byte, std::uint64_t pos, Sink& sink)
    {
        const utf8::Lead lead = utf8::leadOf(byte);
        if (lead.length == 0) {
            sink(DecodedChar {pos, byte, byte, 1, 1, CharKind::Invalid});
            return;
        }
        needed_ = lead.length;
        codePoint_ = lead.bits;
        low_ = lead.low;
        high_ = lead.high;
        start(byte, pos);
    }

    template <class Sink>
    void emitInvalid(std::uint8_t size, std::uint8_t shown, Sink& sink)
    {
        std::uint32_t code = 0;
        for (int i = 0; i < shown; ++i)
            code = code << 8 | bytes_[i];
        sink(DecodedChar {pos_, code, bytes_[0], size, shown, CharKind::Invalid});
    }

    void start(std::uint8_t byte, std::uint64_t pos)
    {
        bytes_[0] = byte;
        pos_ = pos;
        count_ = 1;
    }

    TextEncoding encoding_;
    std::uint8_t bytes_[4] = {};
    std::uint8_t count_ = 0;
    std::uint64_t pos_ = 0;  // position of bytes_[0]
    // UTF-8: the sequence's length, its code point so far, and the range
    // the next byte must lie in.
    std::uint8_t needed_ = 0;
    std::uint8_t low_ = 0x80;
    std::uint8_t high_ = 0xBF;
    std::uint32_t codePoint_ = 0;
};

}  // namespace corvel::encoding
