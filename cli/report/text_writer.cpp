#include "text_writer.h"

#include "corvel/report/rule_catalogue.h"
#include "corvel/report/text_decoder.h"

#include <cstdio>

namespace corvel::cli {

namespace {

std::string counted(std::int64_t n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string findingCounts(const report::FindingCounts& c)
{
    std::string text = counted(c.errors, "error", "errors") + ", " +
                       counted(c.warnings, "warning", "warnings");
    if (c.baseline > 0)
        text += ", " + std::to_string(c.baseline) + " in baseline";
    return text;
}

}  // namespace

std::string oneLine(std::string_view text)
{
    // Decoding as UTF-8 writes the bytes that are not UTF-8 as \xNN.
    std::string valid = report::TextDecoder(report::TextEncoding::Utf8).toUtf8(text);
    std::string out;
    out.reserve(valid.size());
    for (std::size_t i = 0; i < valid.size(); ++i) {
        auto b = static_cast<unsigned char>(valid[i]);
        if (b == '\n') {
            out += "\\n";
        } else if (b == '\r') {
            out += "\\r";
        } else if (b == '\t') {
            out += "\\t";
        } else if (b < 0x20 || b == 0x7F) {
            report::appendByteEscape(out, b);
        } else if (b >= 0xC2) {
            // C1 controls, line and paragraph separators and the bidi
            // controls would break the line or turn the text around.
            char32_t code = 0;
            std::size_t length = report::utf8CharAt(valid, i, code);
            if (length > 0 && report::isInvisibleControl(code)) {
                char buf[12];
                std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(code));
                out += buf;
                i += length - 1;
            } else {
                out += static_cast<char>(b);
            }
        } else {
            out += static_cast<char>(b);
        }
    }
    return out;
}

void TextWriter::beginDictionary(const report::DictionaryHeader& header)
{
    path_ = oneLine(header.path);
    ++dictionaries_;
}

bool TextWriter::add(report::Finding finding)
{
    line_ = path_;
    line_ += ':';
    line_ += std::to_string(finding.line);
    if (!finding.entry.empty() && finding.column) {  // a translation file's: where the text is
        line_ += ':';
        line_ += std::to_string(*finding.column);
    }
    line_ += ": ";
    line_ += finding.baseline ? "note" : report::severityName(finding.severity);
    line_ += ": ";
    line_ += report::ruleInfo(finding.rule).name;
    line_ += ": ";
    line_ += oneLine(finding.message);
    if (!finding.entry.empty())
        line_ += " [" + oneLine(finding.entry) + "]";
    if (finding.baseline)
        line_ += " (baseline)";
    line_ += '\n';
    out_.write(line_.data(), static_cast<std::streamsize>(line_.size()));
    return static_cast<bool>(out_);
}

void TextWriter::endDictionary(const report::DictionaryOutcome& outcome)
{
    if (!outcome.checked) {  // its error is on standard error, as without a report
        --dictionaries_;
        return;
    }
    if (outcome.entries) {
        const report::EntryCounts& e = *outcome.entries;
        out_ << path_ << ": " << counted(e.entries, "entry", "entries");
        std::string states;
        auto state = [&](std::int64_t n, const char* what) {
            if (n > 0)
                states += (states.empty() ? "" : ", ") + std::to_string(n) + " " + what;
        };
        state(e.untranslated, "untranslated");
        state(e.fuzzy, "fuzzy");
        state(e.unfinished, "unfinished");
        state(e.obsolete, "obsolete");
        state(e.notTranslatable, "not translatable");
        state(e.missing, "missing");
        state(e.unknownKeys, e.unknownKeys == 1 ? "unknown key" : "unknown keys");
        if (!states.empty())
            out_ << " (" << states << ")";
        out_ << ", " << findingCounts(outcome.findings) << '\n';
        return;
    }
    out_ << path_ << ": " << counted(outcome.lines, "line", "lines") << ", "
         << findingCounts(outcome.findings)
         << (outcome.complete ? "" : "; the check log stopped early") << '\n';
}

void TextWriter::finish(const report::FindingCounts& total)
{
    if (dictionaries_ > 1)
        out_ << "total: " << dictionaries_ << " dictionaries, " << findingCounts(total) << '\n';
}

}  // namespace corvel::cli
