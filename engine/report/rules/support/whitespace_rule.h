// whitespace-mismatch: the spaces and tabs at the start and at the end of
// a source against those of its translation (GBK bytes).
#pragma once

#include "corvel/run_request.h"

#include <optional>
#include <string_view>

namespace corvel::report {

struct WhitespaceDifference {
    bool leading = false;   // the leading spaces and tabs differ
    bool trailing = false;  // the trailing ones differ
    std::string_view sourceLeading, translationLeading;
    std::string_view sourceTrailing, translationTrailing;
};

// Nothing when both ends agree. Ideographic spaces (U+3000) count as
// blanks. One leading space of the source that a translation starting
// with a Chinese character or a full-width mark drops agrees with it.
// A translation that ends in a full-width
// ： 。 ， ！ ？ where the source ends in the half-width : . , ! ? and
// spaces agrees with it at the end.
std::optional<WhitespaceDifference> compareWhitespace(std::string_view source,
                                                      std::string_view translation,
                                                      TextEncoding encoding = TextEncoding::Gbk);

// "2 spaces", "1 tab", "1 space and 1 tab", "none".
std::string describeWhitespace(std::string_view blanks);

}  // namespace corvel::report
