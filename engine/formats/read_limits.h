// What a reader of translation files accepts from one file, so that a
// hostile or broken file costs bounded memory and stack.
#pragma once

#include <cstddef>

namespace corvel::formats {

struct ReadLimits {
    // Elements within elements, or JSON objects and arrays within each other.
    std::size_t maxDepth = 256;
    // One text, attribute value, tag, comment or JSON string, in bytes. No
    // translation comes near it; a longer one is refused, not held.
    std::size_t maxTextBytes = std::size_t {16} << 20;
};

}  // namespace corvel::formats
