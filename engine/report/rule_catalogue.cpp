#include "rule_catalogue.h"

#include <array>

namespace corvel::report {

namespace {

constexpr Severity E = Severity::Error;
constexpr Severity W = Severity::Warning;

constexpr std::array<RuleInfo, kRuleCount> kRules {{
    {RuleId::EmptyLine, "empty-line", E, true,
     "A line of a line pair is empty.",
     "A line that holds nothing or only spaces, in a line-pair dictionary. The check log "
     "lists it as an empty line. Reported at the empty line."},
    {RuleId::Untranslated, "untranslated", E, true,
     "The translation holds no Chinese character.",
     "The translation line of a pair (the even line of a line pair, or the text after the "
     "\"=\" of an equals line) holds no character beyond ASCII, so it has not been "
     "translated. The check log lists it as untranslated. Reported at the translation's line."},
    {RuleId::SourceHasChinese, "source-has-chinese", E, true,
     "The source line of a pair holds Chinese characters.",
     "An odd line of a line-pair dictionary, which should hold the English source, holds a "
     "character beyond ASCII. The check log lists it as an erroneous line. Often the first "
     "sign that the pairs are out of step (see pair-shift)."},
    {RuleId::RowOfErrors, "row-of-errors", E, true,
     "The check log stopped after a row of erroneous lines.",
     "The serious-error stop of the line-pair check: a row of erroneous lines ended the check "
     "log early at this line. The report itself goes on to the end of the dictionary, but the "
     "lines after this one are missing from the check log."},
    {RuleId::MissingEquals, "missing-equals", E, true,
     "An equals line has no \"=\".",
     "A line of an equals-line dictionary without the \"=\" that separates the source from its "
     "translation. The check log lists it as a serious error."},
    {RuleId::StoppedAtEmptyLine, "stopped-at-empty-line", E, true,
     "The check log stopped at an empty line.",
     "With --stop-on-empty the line-pair check stops at the first empty line. The report goes "
     "on to the end of the dictionary, but the lines after this one are missing from the "
     "check log."},
    {RuleId::PlaceholderMismatch, "placeholder-mismatch", E, true,
     "The placeholders of the source and of its translation differ.",
     "The placeholders of the source and of the translation differ as multisets. Placeholders "
     "are printf conversions (%s, %d, %5.2f, %1$s, %%; positional and plain forms of the same "
     "argument count as the same, width and precision may differ), Qt's %1, braces ({0}, "
     "{name}; {{ and }} are literal; a text that is one brace group alone is a label), "
     "backslash escapes (\\n, \\t, \\\"), markup tags of known names (<b>, </b>, <br/>, "
     "<color=...>), the section codes of game text (\u00a7a, \u00a7r) and the @1..@9 "
     "arguments of Luanti/Minetest texts. Reported at the translation's line, at the first "
     "placeholder of the translation that the source lacks."},
    {RuleId::FullwidthPlaceholder, "fullwidth-placeholder", E, true,
     "A placeholder of the source is typed with full-width characters in the translation.",
     "The translation holds a full-width look-alike (\uff05s, \uff05\uff53, \uff5b\uff10\uff5d, "
     "\uff3c\uff4e), typically typed by a Chinese input method, where the source has the "
     "placeholder itself; the program would print it instead of filling it in. "
     "corvel-check --correct --fix-fullwidth writes the half-width form into the corrected "
     "dictionary. Reported at the look-alike's column."},
    {RuleId::WhitespaceMismatch, "whitespace-mismatch", W, true,
     "Leading or trailing spaces of the source and the translation differ.",
     "The spaces and tabs at the start or at the end of the translation differ from the "
     "source's. A translation that ends in a full-width mark (\uff1a \u3002 \uff0c \uff01 "
     "\uff1f) where the source ends in the half-width mark and a space is not flagged: the "
     "full-width mark carries its own spacing."},
    {RuleId::NumberMismatch, "number-mismatch", W, true,
     "A number of the source is missing from the translation.",
     "A number of the source (digits, full-width digits included, with their decimal point "
     "and thousands commas) does not appear in the translation. Digits inside placeholders "
     "do not count as numbers. A number from 1 to 10 written in Chinese numerals (\u4e00 to "
     "\u5341, \u4e24 for 2) counts as present."},
    {RuleId::InconsistentTranslation, "inconsistent-translation", W, true,
     "The same source has a different translation elsewhere in the dictionary.",
     "The same source text was translated differently earlier in the dictionary. Reported at "
     "each later occurrence whose translation differs from the first one, naming the line of "
     "the first. Only fingerprints of the texts are kept, not the texts."},
    {RuleId::PairShift, "pair-shift", E, true,
     "From this line on the line pairs are out of step.",
     "In a line-pair dictionary, odd lines read as translations and even lines as sources for "
     "at least three pairs: a line was lost or added above. Reported once per shifted region, "
     "at the first line of its first shifted pair, naming the last line that still paired "
     "correctly. Fix this first: the findings about the pairs inside the region are left out "
     "because the pairs there are not real pairs."},
    {RuleId::Utf8Bom, "utf8-bom", W, true,
     "The dictionary starts with a UTF-8 byte-order mark.",
     "The dictionary starts with the bytes EF BB BF, the UTF-8 byte-order mark. Reported once, "
     "at line 1."},
    {RuleId::Utf16, "utf16", E, true,
     "The dictionary is UTF-16 text.",
     "The dictionary starts with a UTF-16 byte-order mark or shows the NUL bytes of UTF-16 "
     "text. Reported once, at line 1."},
    {RuleId::Utf8Text, "utf8-text", E, true,
     "The dictionary is UTF-8 text, read as GBK.",
     "The dictionary is read as GBK but is valid UTF-8 holding multibyte characters. Reported "
     "once, at the first such line, with a hint to use --encoding utf-8."},
    {RuleId::InvalidGbk, "invalid-gbk", E, true,
     "A byte sequence is not GBK.",
     "A byte sequence that is not a GBK character (with --encoding gb18030: not a GB18030 "
     "character). Reported at its column."},
    {RuleId::InvalidUtf8, "invalid-utf8", E, true,
     "A byte sequence is not UTF-8.",
     "With --encoding utf-8 (or auto choosing UTF-8): a byte sequence that is not a UTF-8 "
     "character. Reported at its column."},
    {RuleId::Mojibake, "mojibake", E, true,
     "The text shows the marks of an earlier wrong conversion.",
     "Characters that an earlier wrong conversion leaves behind, such as runs of \u5c6f, "
     "U+FFFD or runs of ? inside Chinese text; in a translation also UTF-8 text read as GBK "
     "(\u93c2\u56e6\u6b22 for \u6587\u4ef6: UTF-8 Chinese whose GBK reading takes "
     "characters beyond GB2312) and, under UTF-8, UTF-8 read as Latin-1 or Windows-1252 "
     "(Caf\u00c3\u00a9 for Caf\u00e9)."},
    {RuleId::LfLineEnds, "lf-line-ends", E, true,
     "Lone LF bytes act as line ends.",
     "The dictionary holds lone LF bytes that act as line ends (a file with no CR at all, or "
     "lines that each hold several LFs), which the check reads as part of one line. Reported "
     "once, at the first, with a hint to use --line-ends any."},
    {RuleId::MixedLineEnds, "mixed-line-ends", W, true,
     "The dictionary mixes CR LF and lone CR line ends.",
     "The dictionary ends some lines with CR LF and others with a lone CR."},
    {RuleId::ControlChar, "control-char", W, true,
     "The translation holds a control byte that its source does not.",
     "A control byte other than TAB in a translation whose source does not hold it; under "
     "UTF-8 also the invisible controls (C1 controls U+0080..U+009F, the line and paragraph "
     "separators and the bidi controls such as U+202E). A control in both is formatting (such "
     "as IRC colour codes) and is not flagged."},
    {RuleId::OutsideCharset, "outside-charset", W, false,
     "A character lies outside GB2312.",
     "Only with --charset gb2312: a character that GB2312 does not hold, which fonts covering "
     "only GB2312 show as a box or ?."},
    {RuleId::PairNotChecked, "pair-not-checked", W, true,
     "A pair was too long for the rules that weigh a source against its translation.",
     "A source or translation of 256 KiB or more is not held whole, so placeholders, "
     "numbers, spaces and consistency were not checked for its pair; its line class still "
     "is. Reported at the translation's line with the lengths."},
}};

constexpr bool tableInOrder()
{
    for (std::size_t i = 0; i < kRules.size(); ++i)
        if (static_cast<std::size_t>(kRules[i].id) != i)
            return false;
    return true;
}
static_assert(tableInOrder(), "the rule table must be in RuleId order");

}  // namespace

std::span<const RuleInfo> ruleCatalogue()
{
    return kRules;
}

const RuleInfo& ruleInfo(RuleId id)
{
    return kRules[static_cast<std::size_t>(id)];
}

std::optional<RuleId> findRule(std::string_view name)
{
    for (const RuleInfo& rule : kRules)
        if (rule.name == name)
            return rule.id;
    return std::nullopt;
}

Finding makeFinding(RuleId id, std::int32_t line)
{
    const RuleInfo& info = ruleInfo(id);
    Finding finding;
    finding.rule = std::string(info.name);
    finding.severity = info.severity;
    finding.line = line;
    return finding;
}

}  // namespace corvel::report
