// What a rule fires on, as one list: each kind's bit, its name (for
// --list-rules=json) and the test that tells whether a pair holds it. A
// kind without a test is decided elsewhere: a class of the check log or
// its stop (the analyser), a line too long to be held, a run of shifted
// pairs, or the file's bytes (the encoding scan). The pair rules are
// weighed only on a pair that holds a kind one of them fires on.
#pragma once

#include "corvel/run_request.h"

#include <cstddef>
#include <string_view>

namespace corvel::report {

// What the tests of the kinds read of the pair at hand. byteKinds are
// taken for every pair, as the pair rules also read them.
struct PairFacts {
    std::string_view source;
    std::string_view translation;
    unsigned sourceBytes = 0;       // byteKinds() of the source
    unsigned translationBytes = 0;  // and of the translation
    TextEncoding encoding = TextEncoding::Gbk;
};

// A test: the kinds the pair holds of those it tests (a set of LineKind).
// It may say yes too often, never too rarely. Several kinds may share one
// test, which then runs once for all of them.
using KindTest = unsigned (*)(const PairFacts& pair);

// The bytes that may start a placeholder or a number, and blanks at an end.
unsigned byteAndEndKinds(const PairFacts& pair);
// The bytes that a wrong conversion or an invisible control leaves in the
// translation (GBK: 0x80..0xA0; UTF-8: the leads of U+0080..U+00FF, U+061C
// and U+2000..U+207F).
unsigned markKinds(const PairFacts& pair);
// What the source holds (brackets, quotes, '/', '@', '-', '$', '\\', tags
// with '=', control bytes), how the texts end, whether the translation holds
// a space (and two in a row), whether the source is long (text_signs.cpp).
unsigned signKinds(const PairFacts& pair);

// kind, name, test
#define CORVEL_LINE_KINDS(X)                                                                    \
    X(OnEmpty, "empty", nullptr) /* the check log's empty line */                               \
    X(OnErroneous, "erroneous", nullptr) /* its erroneous line: a source beyond ASCII */        \
    X(OnUntranslated, "untranslated", nullptr) /* its untranslated line */                      \
    X(OnNoEquals, "no-equals", nullptr) /* an equals line without "=" */                        \
    X(OnLogStop, "log-stop", nullptr) /* the line where the check log stopped early */          \
    X(OnPlaceholder, "placeholder", byteAndEndKinds) /* a placeholder's first byte */           \
    X(OnBlankEnd, "blank-end", byteAndEndKinds) /* a space or tab at an end of either side */   \
    X(OnSourceNumber, "source-number", byteAndEndKinds) /* source digits or full-width forms */ \
    X(OnPair, "pair", nullptr) /* any pair (against the dictionary's others) */                 \
    X(OnPairRun, "pair-run", nullptr) /* a run of line pairs */                                 \
    X(OnBytes, "bytes", nullptr) /* any byte of the file (the encoding scan) */                 \
    X(OnMarks, "marks", markKinds) /* a byte of a wrong conversion in the translation */        \
    X(OnLongLine, "long-line", nullptr) /* a pair with a line too long to be held */            \
    X(OnEndMark, "end-mark", signKinds) /* a source ending in ? ! : . ... or a tag */           \
    X(OnBracket, "bracket", signKinds) /* ( ) [ ] in the source */                              \
    X(OnQuote, "quote", signKinds) /* a double quote in the source */                           \
    X(OnAddress, "address", signKinds) /* / or @ in the source */                               \
    X(OnOption, "option", signKinds) /* - in the source */                                      \
    X(OnPath, "path", signKinds) /* / or a backslash in the source */                           \
    X(OnInnerSpace, "inner-space", signKinds) /* a space in the translation */                  \
    X(OnLongSource, "long-source", signKinds) /* a source long enough to weigh its length */    \
    X(OnAttribute, "attribute", signKinds) /* < and = in the source */                          \
    X(OnDollar, "dollar", signKinds) /* $ in the source */                                      \
    X(OnSourceControl, "source-control", signKinds) /* a source control byte but TAB, LF */     \
    X(OnDoubleSpace, "double-space", signKinds) /* two spaces in a row in the translation */

namespace detail {
enum LineKindIndex : unsigned {
#define CORVEL_LINE_KIND_INDEX(kind, name, test) k##kind##Index,
    CORVEL_LINE_KINDS(CORVEL_LINE_KIND_INDEX)
#undef CORVEL_LINE_KIND_INDEX
    kLineKindCount
};
}  // namespace detail

enum LineKind : unsigned {
#define CORVEL_LINE_KIND_BIT(kind, name, test) k##kind = 1u << detail::k##kind##Index,
    CORVEL_LINE_KINDS(CORVEL_LINE_KIND_BIT)
#undef CORVEL_LINE_KIND_BIT
};

inline constexpr std::size_t kLineKindCount = detail::kLineKindCount;
static_assert(kLineKindCount <= 32, "the kinds of a rule are the bits of an unsigned");

}  // namespace corvel::report
