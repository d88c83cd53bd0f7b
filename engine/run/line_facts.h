// What decides the class of a line in either layout, gathered a piece at a
// time: for a line too long to be held, whose bytes pass only once.
#pragma once

#include "corvel/run_request.h"
#include "scan/scan_types.h"

#include <cstdint>
#include <string_view>

namespace corvel {

class LineFacts {
public:
    // The line's next bytes.
    void add(std::string_view bytes);
    // The line's class in `layout` as line `number`, read as `encoding`
    // (the same as the rules give the whole line); LineClass::Good for a
    // good line.
    LineClass flag(scan::Layout layout, std::uint64_t number, TextEncoding encoding) const;

private:
    // What makes a translation character, by encoding: a byte of 0x81 or
    // above (GBK, GB18030), or any byte of 0x80 or above (UTF-8).
    enum Kind { kGbk, kUtf8, kKinds };
    static bool holds(Kind kind, std::string_view bytes);

    bool notEmpty_ = false;  // a byte other than a space
    bool equals_ = false;    // an '='
    bool translated_[kKinds] = {};
    bool translatedAfterEquals_[kKinds] = {};
};

// A line too long to be held: where it lies in the file, and its facts.
struct LongLine {
    std::uint64_t start = 0;
    std::uint64_t end = 0;  // its terminator, or the end of the file
    LineFacts facts;
};

}  // namespace corvel
