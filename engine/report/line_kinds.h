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
// The bytes of a wrong conversion or an invisible control.
unsigned markKinds(const PairFacts& pair);
// What the source holds (brackets, quotes, '/', '@', '-', '$', '\\', tags
// with '=', control bytes), how the texts end, whether the translation holds
// a space (and two in a row), whether the source is long (text_signs.cpp).
unsigned signKinds(const PairFacts& pair);

// kind, name, test
#define CORVEL_LINE_KINDS(X)                                                                 \
    X(OnEmpty, "empty", nullptr)               /* the check log's empty line */             \
    X(OnErroneous, "erroneous", nullptr)       /* its erroneous line: a source holding Chinese */ \
    X(OnUntranslated, "untranslated", nullptr) /* its untranslated line */                  \
    X(OnNoEquals, "no-equals", nullptr)        /* an equals line without "=" */             \
    X(OnLogStop, "log-stop", nullptr)          /* the line where the check log stopped early */ \
    /* a pair with a placeholder's first byte on either side */                            \
    X(OnPlaceholder, "placeholder", byteAndEndKinds)                               \
    X(OnBlankEnd, "blank-end", byteAndEndKinds)  /* a space or tab at an end of either side */ \
    /* a pair whose source holds a digit or a full-width form */                            \
    X(OnSourceNumber, "source-number", byteAndEndKinds)                            \
    X(OnPair, "pair", nullptr)          /* any pair of two texts (against the dictionary's others) */ \
    X(OnPairRun, "pair-run", nullptr)   /* a run of line pairs */                           \
    X(OnBytes, "bytes", nullptr)        /* any byte of the file (the encoding scan) */      \
    /* a translation with bytes that a wrong conversion or an invisible control leaves    \
       (GBK: 0x80..0xA0; UTF-8: the leads of U+0080..U+00FF, U+061C and U+2000..U+207F) */ \
    X(OnMarks, "marks", markKinds)                                                          \
    X(OnLongLine, "long-line", nullptr) /* a pair with a line too long to be held */        \
    /* a pair whose source ends in a mark (? ! : . ... or a tag) */                         \
    X(OnEndMark, "end-mark", signKinds)                                                     \
    X(OnBracket, "bracket", signKinds)  /* a source holding ( ) [ ] */                      \
    X(OnQuote, "quote", signKinds)      /* a source holding a double quote */               \
    X(OnAddress, "address", signKinds)  /* a source holding / or @ */                       \
    X(OnOption, "option", signKinds)    /* a source holding - */                            \
    X(OnPath, "path", signKinds)        /* a source holding / or a backslash */             \
    X(OnInnerSpace, "inner-space", signKinds) /* a translation holding a space */           \
    /* a source long enough to weigh its length */                                          \
    X(OnLongSource, "long-source", signKinds)                                               \
    X(OnAttribute, "attribute", signKinds) /* a source holding < and = */                   \
    X(OnDollar, "dollar", signKinds)       /* a source holding $ */                         \
    /* a source holding a control byte other than TAB and LF */                             \
    X(OnSourceControl, "source-control", signKinds)                                         \
    /* a translation holding two spaces in a row */                                         \
    X(OnDoubleSpace, "double-space", signKinds)

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
