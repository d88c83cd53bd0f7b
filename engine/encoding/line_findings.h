// The encoding findings of one line, gathered while its bytes stream by and
// handed to a NoteSink when the line ends: at most one note of each rule
// per line (its first place, with the count when there are more), the
// notes about the whole file first, then the rest by column. What a
// note says is its rule's (describeBytes in the report's rules/).
#pragma once

#include "mojibake_matcher.h"
#include "corvel/reading_options.h"
#include "corvel/encoding_check.h"

#include <cstdint>
#include <string>

namespace corvel::encoding {

enum class LineEndKind : std::uint8_t { None, CrLf, Cr, Lf };

// What the scan noted of one rule in one line, for the rule's message.
struct ByteNote {
    TextEncoding encoding = TextEncoding::Gbk;
    // What was noted: the bytes (first byte highest) or the code point of
    // a character, a Mark, the file's first LineEndKind; for utf16 its
    // Utf16Note bits.
    std::uint32_t value = 0;
    // The character's byte count, or the LineEndKind of this line.
    std::uint32_t extra = 0;
    std::int32_t count = 1;  // how often in the line
};

enum Utf16Note : std::uint32_t { kLittleEndian = 1, kWithBom = 2 };

// "0xD7 0x20": the `count` bytes of `code`, first byte highest.
std::string hexBytes(std::uint32_t code, int count);
// `message`, with how often in the line when more than once.
std::string withCount(std::string message, std::int32_t count);

class LineFindings {
public:
    explicit LineFindings(TextEncoding encoding) : encoding_(encoding) {}

    void noteInvalid(const DecodedChar& c);
    void noteMojibake(const MarkFound& found);
    // A control byte of the translation that its source does not hold.
    void noteControl(std::uint64_t pos, std::uint8_t byte);
    // A double-byte character (GBK bytes) or code point (UTF-8) outside
    // GB2312.
    void noteOutsideCharset(std::uint64_t pos, std::uint32_t code, std::uint8_t size);
    // The first multibyte character of a UTF-8 file read as GBK.
    void noteUtf8Text(std::uint64_t pos) { set(utf8Text_, pos, 0, 0); }
    void noteLfLineEnds(std::uint64_t pos) { set(lfLineEnds_, pos, 0, 0); }
    void noteMixedLineEnds(std::uint64_t pos, LineEndKind first, LineEndKind here);
    // Drops a control-char finding about an LF: the LFs are line ends.
    void dropLfControl();

    bool empty() const { return !any_; }
    // Hands the notes to `sink` as notes of line `line`, whose text starts
    // at stream position `lineStart`, and forgets them; none more once the
    // sink says stop. Returns whether the sink goes on.
    bool emit(std::int32_t line, std::uint64_t lineStart, NoteSink& sink);

private:
    struct Slot {
        bool set = false;
        std::uint64_t pos = 0;
        std::uint32_t value = 0;
        std::uint32_t extra = 0;
        std::int32_t count = 0;
    };

    void set(Slot& slot, std::uint64_t pos, std::uint32_t value, std::uint32_t extra);

    TextEncoding encoding_;
    bool any_ = false;
    Slot utf8Text_, lfLineEnds_, mixed_;
    Slot invalid_, mojibake_, control_, controlLf_, outside_;
};

}  // namespace corvel::encoding
