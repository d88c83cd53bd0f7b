// Recognizes, character by character within a line, the marks that an
// earlier wrong conversion leaves in Chinese text:
// - U+FFFD read back as GBK: its UTF-8 bytes EF BF BD give 锟 (EF BF)
//   followed by a character starting with BD, so 锟斤拷 for two of them; in
//   a UTF-8 file the same as 锟斤 (U+951F U+65A4);
// - U+FFFD itself (UTF-8 EF BF BD; GB18030 84 31 A4 37);
// - 烫烫烫 and 屯屯屯: memory filled with 0xCC or 0xCD read as GBK (three
//   or more in a row; 烫烫 alone is a word);
// - a run of two or more '?' between two Chinese characters: characters an
//   earlier conversion could not write.
#pragma once

#include "char_decoder.h"

#include <cstdint>
#include <string_view>

namespace corvel::encoding {

enum class Mark { ReplacementAsGbk, Replacement, HotFill, HeapFill, QuestionRun };

struct MarkFound {
    std::uint64_t pos = 0;  // where the mark starts
    Mark mark = Mark::Replacement;
};

class MojibakeMatcher {
public:
    explicit MojibakeMatcher(TextEncoding encoding) : utf8_(encoding == TextEncoding::Utf8) {}

    // Takes the next character of the line; `found(MarkFound)` gets each
    // mark it completes.
    template <class Found>
    void feed(const DecodedChar& c, Found&& found)
    {
        const Symbol symbol = classify(c);
        if (afterKun_ && (utf8_ ? c.code == kUtf8Jin && c.kind == CharKind::Multibyte
                                : c.first == 0xBD))
            found(MarkFound {kunPos_, Mark::ReplacementAsGbk});
        afterKun_ = symbol == Symbol::Kun;
        kunPos_ = c.pos;
        if (symbol == Symbol::Replacement)
            found(MarkFound {c.pos, Mark::Replacement});
        countRepeat(symbol, c.pos, found);
        countQuestions(c, found);
        chineseBefore_ = c.kind == CharKind::Multibyte;
    }

    // A new line starts; `chineseBefore` is the context for a '?' that
    // opens it (false at a line start).
    void reset(bool chineseBefore = false)
    {
        afterKun_ = false;
        repeat_ = Symbol::Other;
        repeatCount_ = 0;
        questions_ = 0;
        chineseBefore_ = chineseBefore;
    }
    // No mark is half seen: the next characters can complete none unless
    // they start one themselves.
    bool quiet() const { return !afterKun_ && questions_ == 0; }
    bool chineseBefore() const { return chineseBefore_; }

private:
    enum class Symbol : std::uint8_t { Other, Kun, Replacement, Hot, Heap };

    static constexpr std::uint32_t kUtf8Kun = 0x951F;  // 锟
    static constexpr std::uint32_t kUtf8Jin = 0x65A4;  // 斤
    static constexpr std::uint32_t kUtf8Hot = 0x70EB;  // 烫
    static constexpr std::uint32_t kUtf8Heap = 0x5C6F; // 屯

    Symbol classify(const DecodedChar& c) const
    {
        if (c.kind != CharKind::Multibyte)
            return Symbol::Other;
        if (utf8_) {
            switch (c.code) {
            case kUtf8Kun: return Symbol::Kun;
            case 0xFFFD: return Symbol::Replacement;
            case kUtf8Hot: return Symbol::Hot;
            case kUtf8Heap: return Symbol::Heap;
            default: return Symbol::Other;
            }
        }
        switch (c.code) {
        case 0xEFBF: return Symbol::Kun;
        case 0x8431A437: return Symbol::Replacement;
        case 0xCCCC: return Symbol::Hot;
        case 0xCDCD: return Symbol::Heap;
        default: return Symbol::Other;
        }
    }

    template <class Found>
    void countRepeat(Symbol symbol, std::uint64_t pos, Found& found)
    {
        if (symbol != Symbol::Hot && symbol != Symbol::Heap) {
            repeat_ = Symbol::Other;
            return;
        }
        if (symbol != repeat_) {
            repeat_ = symbol;
            repeatCount_ = 0;
            repeatPos_ = pos;
        }
        if (++repeatCount_ == 3)
            found(MarkFound {repeatPos_, symbol == Symbol::Hot ? Mark::HotFill : Mark::HeapFill});
    }

    template <class Found>
    void countQuestions(const DecodedChar& c, Found& found)
    {
        if (c.kind == CharKind::Ascii && c.code == '?') {
            if (questions_ == 0) {
                questionPos_ = c.pos;
                questionsAfterChinese_ = chineseBefore_;
            }
            ++questions_;
            return;
        }
        if (questions_ >= 2 && questionsAfterChinese_ && c.kind == CharKind::Multibyte)
            found(MarkFound {questionPos_, Mark::QuestionRun});
        questions_ = 0;
    }

    bool utf8_;
    bool afterKun_ = false;
    std::uint64_t kunPos_ = 0;
    Symbol repeat_ = Symbol::Other;
    int repeatCount_ = 0;
    std::uint64_t repeatPos_ = 0;
    int questions_ = 0;
    std::uint64_t questionPos_ = 0;
    bool questionsAfterChinese_ = false;
    bool chineseBefore_ = false;
};

}  // namespace corvel::encoding
