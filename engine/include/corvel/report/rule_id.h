// The IDs of the report's rules, one line each, in the order of the rule
// table (which is the order of one line's findings). What each rule is and
// does is in rule_catalogue.h; its stable English name is ruleInfo(id).name.
#pragma once

#include <cstddef>
#include <cstdint>

#define CORVEL_RULES(X)                                                                    \
    /* The classes of the check log. */                                                   \
    X(EmptyLine) X(Untranslated) X(SourceHasChinese) X(RowOfErrors) X(MissingEquals)       \
    X(StoppedAtEmptyLine)                                                                  \
    /* Source against translation. */                                                     \
    X(PlaceholderMismatch) X(FullwidthPlaceholder) X(WhitespaceMismatch) X(NumberMismatch) \
    X(InconsistentTranslation) X(PairShift)                                                \
    /* Encodings and line ends. */                                                        \
    X(Utf8Bom) X(Utf16) X(Utf8Text) X(InvalidGbk) X(InvalidUtf8) X(Mojibake) X(LfLineEnds) \
    X(MixedLineEnds) X(ControlChar) X(OutsideCharset)                                      \
    /* What the report could not look at. */                                              \
    X(PairNotChecked)                                                                      \
    /* Finer readings of the check log's classes and of placeholders. */                  \
    X(SourceNonAscii) X(KeptInEnglish) X(LineBreakMismatch)                                \
    /* Punctuation, addresses, options and the like kept from the source. */              \
    X(EndPunctuationMismatch) X(BracketMismatch) X(QuoteMismatch) X(UrlMismatch)          \
    X(OptionMismatch) X(PathMismatch) X(DoubledWord) X(DoubledSpace) X(TooShort)          \
    X(AttributeMismatch) X(BraceFormatMismatch) X(ShellVariableMismatch)                  \
    X(ControlCharDropped) X(LineBreakDropped) X(AccessKeyMismatch)                        \
    /* Translation files checked against their source. */                                 \
    X(UnknownKey)

namespace corvel::report {

enum class RuleId : std::uint8_t {
#define CORVEL_RULE_ID(rule) rule,
    CORVEL_RULES(CORVEL_RULE_ID)
#undef CORVEL_RULE_ID
};

#define CORVEL_RULE_ONE(rule) +1
inline constexpr std::size_t kRuleCount = 0 CORVEL_RULES(CORVEL_RULE_ONE);
#undef CORVEL_RULE_ONE

// The rules about what the whole file is, reported once at line 1: the same
// whatever its lines say.
constexpr bool aboutTheWholeFile(RuleId id)
{
    return id == RuleId::Utf8Bom || id == RuleId::Utf16 || id == RuleId::Utf8Text ||
           id == RuleId::LfLineEnds;
}

}  // namespace corvel::report
