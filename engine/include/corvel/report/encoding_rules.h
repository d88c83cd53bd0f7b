// The report rules about encodings and line ends: their stable IDs and
// severities.
#pragma once

#include "corvel/report/finding.h"
#include "corvel/report/rule_catalogue.h"

#include <string_view>

namespace corvel::encoding::rules {

using report::Severity;

// What the file is, reported once.
inline constexpr std::string_view kUtf8Bom = "utf8-bom";
inline constexpr std::string_view kUtf16 = "utf16";
inline constexpr std::string_view kUtf8Text = "utf8-text";
inline constexpr std::string_view kLfLineEnds = "lf-line-ends";
inline constexpr std::string_view kMixedLineEnds = "mixed-line-ends";
// About a line, at a byte column; at most one of each rule per line.
inline constexpr std::string_view kInvalidGbk = "invalid-gbk";    // also GB18030
inline constexpr std::string_view kInvalidUtf8 = "invalid-utf8";  // under --encoding utf-8
inline constexpr std::string_view kMojibake = "mojibake";
inline constexpr std::string_view kControlChar = "control-char";
inline constexpr std::string_view kOutsideCharset = "outside-charset";

// The severity of a rule, as the report's rule table gives it.
inline Severity severityOf(std::string_view rule)
{
    auto id = report::findRule(rule);
    return id ? report::ruleInfo(*id).severity : Severity::Error;
}

}  // namespace corvel::encoding::rules
