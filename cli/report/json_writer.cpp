#include "json_writer.h"

#include "json_text.h"

#include "corvel/report/rule_catalogue.h"

namespace corvel::cli {

namespace {

// `before` (a separator) and "name": value.
void appendMember(std::string& out, const char* name, std::string_view value,
                  const char* before = "")
{
    out += before;
    out += '"';
    out += name;
    out += "\": ";
    appendJsonString(out, value);
}

void appendMember(std::string& out, const char* name, std::int64_t value,
                  const char* before = "")
{
    out += before;
    out += '"';
    out += name;
    out += "\": ";
    out += std::to_string(value);
}

void appendCounts(std::string& out, const report::FindingCounts& c)
{
    out += "{";
    appendMember(out, "errors", c.errors);
    appendMember(out, "warnings", c.warnings, ", ");
    appendMember(out, "baseline", c.baseline, ", ");
    appendMember(out, "failing", c.failing, ", ");
    out += "}";
}

}  // namespace

void JsonWriter::write()
{
    out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
    text_.clear();
}

void JsonWriter::beginDocument()
{
    if (begun_)
        return;
    begun_ = true;
    text_ += "{\n  ";
    appendMember(text_, "version", kFormatVersion);
    text_ += ",\n  \"tool\": {";
    appendMember(text_, "name", tool_.name);
    appendMember(text_, "version", tool_.version, ", ");
    text_ += "},\n  \"dictionaries\": [";
}

void JsonWriter::beginDictionary(const report::DictionaryHeader& header)
{
    beginDocument();
    text_ += firstDictionary_ ? "\n    {\n      " : ",\n    {\n      ";
    firstDictionary_ = false;
    firstFinding_ = true;
    appendMember(text_, "path", header.path);
    appendMember(text_, "layout", report::layoutName(header), ",\n      ");
    text_ += ",\n      \"findings\": [";
    write();
}

bool JsonWriter::add(report::Finding f)
{
    text_ += firstFinding_ ? "\n        {" : ",\n        {";
    firstFinding_ = false;
    appendMember(text_, "rule", report::ruleInfo(f.rule).name);
    appendMember(text_, "severity", report::severityName(f.severity), ", ");
    appendMember(text_, "line", f.line, ", ");
    if (f.column)
        appendMember(text_, "column", *f.column, ", ");
    if (f.characterColumn)
        appendMember(text_, "characterColumn", *f.characterColumn, ", ");
    appendMember(text_, "source", f.source, ", ");
    appendMember(text_, "translation", f.translation, ", ");
    appendMember(text_, "message", f.message, ", ");
    if (!f.entry.empty())
        appendMember(text_, "entry", f.entry, ", ");
    text_ += f.baseline ? ", \"baseline\": true}" : ", \"baseline\": false}";
    write();
    return static_cast<bool>(out_);
}

void JsonWriter::endDictionary(const report::DictionaryOutcome& outcome)
{
    text_ += firstFinding_ ? "],\n      " : "\n      ],\n      ";
    // A translation file is counted by its entries; a dictionary by its
    // lines and its check log.
    if (outcome.entries) {
        const report::EntryCounts& e = *outcome.entries;
        text_ += "\"entries\": {";
        appendMember(text_, "entries", e.entries);
        appendMember(text_, "checked", e.checked, ", ");
        appendMember(text_, "untranslated", e.untranslated, ", ");
        appendMember(text_, "fuzzy", e.fuzzy, ", ");
        appendMember(text_, "unfinished", e.unfinished, ", ");
        appendMember(text_, "obsolete", e.obsolete, ", ");
        appendMember(text_, "notTranslatable", e.notTranslatable, ", ");
        appendMember(text_, "missing", e.missing, ", ");
        appendMember(text_, "unknownKeys", e.unknownKeys, ", ");
    } else {
        appendMember(text_, "lines", outcome.lines);
        text_ += outcome.complete ? ",\n      \"complete\": true" : ",\n      \"complete\": false";
        text_ += ",\n      \"log\": {";
        if (!outcome.logPath.empty()) {
            appendMember(text_, "path", outcome.logPath);
            text_ += ", ";
        }
        appendMember(text_, "lines", outcome.log.lines);
        appendMember(text_, "erroneous", outcome.log.erroneous, ", ");
        appendMember(text_, "empty", outcome.log.empty, ", ");
        appendMember(text_, "untranslated", outcome.log.untranslated, ", ");
    }
    text_ += "},\n      \"summary\": ";
    appendCounts(text_, outcome.findings);
    if (!outcome.checked)
        text_ += ",\n      \"checked\": false";
    if (!outcome.error.empty())
        appendMember(text_, "error", outcome.error, ",\n      ");
    text_ += "\n    }";
    write();
}

void JsonWriter::finish(const report::FindingCounts& total)
{
    beginDocument();
    text_ += firstDictionary_ ? "],\n  \"summary\": " : "\n  ],\n  \"summary\": ";
    appendCounts(text_, total);
    text_ += "\n}\n";
    write();
}

}  // namespace corvel::cli
