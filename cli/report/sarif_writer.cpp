#include "sarif_writer.h"

#include "json_text.h"
#include "corvel/report/baseline.h"
#include "corvel/report/rule_catalogue.h"

#include <cstdio>
#include <filesystem>

namespace corvel::cli {

namespace {

bool isUnreserved(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           c == '-' || c == '.' || c == '_' || c == '~';
}

void appendPercentEncoded(std::string& out, std::string_view part)
{
    static const char kHex[] = "0123456789ABCDEF";
    for (char ch : part) {
        auto c = static_cast<unsigned char>(ch);
        if (isUnreserved(c) || c == '/') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
}

// "placeholder-mismatch" -> "PlaceholderMismatch"
std::string friendlyName(std::string_view id)
{
    std::string name;
    bool upper = true;
    for (char c : id) {
        if (c == '-') {
            upper = true;
            continue;
        }
        name += upper && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        upper = false;
    }
    return name;
}

bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

// SARIF messages are sentences: a capital first letter, a full stop.
std::string sentence(std::string_view text)
{
    std::string out(text);
    if (!out.empty() && out[0] >= 'a' && out[0] <= 'z')
        out[0] = static_cast<char>(out[0] - 'a' + 'A');
    if (out.empty() || out.back() != '.')
        out += '.';
    return out;
}

const char* level(report::Severity severity)
{
    return severity == report::Severity::Error ? "error" : "warning";
}

// Without "." steps and with "dir/.." taken out: a file URI must hold no
// ".." (a link would give it another meaning elsewhere).
std::string normalised(std::string_view path)
{
    std::string slashed(path);
    for (char& c : slashed)
        if (c == '\\')
            c = '/';
    std::u8string text(slashed.begin(), slashed.end());
    std::u8string normal = std::filesystem::path(text).lexically_normal().generic_u8string();
    return std::string(normal.begin(), normal.end());
}

}  // namespace

std::string uriOfPath(std::string_view path)
{
    std::string slashed = normalised(path);
    std::string out;
    bool drive = slashed.size() >= 3 && slashed[1] == ':' && slashed[2] == '/' &&
                 ((slashed[0] >= 'a' && slashed[0] <= 'z') ||
                  (slashed[0] >= 'A' && slashed[0] <= 'Z'));
    if (drive) {  // C:/dir/file -> file:///C:/dir/file
        out = "file:///";
        out += slashed.substr(0, 2);
        appendPercentEncoded(out, std::string_view(slashed).substr(2));
    } else if (!slashed.empty() && slashed[0] == '/') {
        out = "file://";
        appendPercentEncoded(out, slashed);
    } else {
        appendPercentEncoded(out, slashed);  // ":" is encoded, so no part reads as a scheme
    }
    return out;
}

void SarifWriter::write()
{
    out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
    text_.clear();
}

void SarifWriter::beginDocument()
{
    if (begun_)
        return;
    begun_ = true;
    text_ += "{\n  \"$schema\": \"https://json.schemastore.org/sarif-2.1.0.json\",\n"
             "  \"version\": \"2.1.0\",\n  \"runs\": [\n    {\n      \"tool\": {\n"
             "        \"driver\": {\n          \"name\": ";
    appendJsonString(text_, tool_.name);
    text_ += ",\n          \"version\": ";
    appendJsonString(text_, tool_.version);
    if (!tool_.informationUri.empty()) {
        text_ += ",\n          \"informationUri\": ";
        appendJsonString(text_, tool_.informationUri);
    }
    text_ += ",\n          \"rules\": [";
    appendRules();
    text_ += "\n          ]\n        }\n      },\n      \"columnKind\": \"unicodeCodePoints\",\n"
             "      \"results\": [";
    write();
}

void SarifWriter::appendRules()
{
    bool first = true;
    for (const report::RuleInfo& rule : report::ruleCatalogue()) {
        text_ += first ? "\n            {" : ",\n            {";
        first = false;
        text_ += "\"id\": ";
        appendJsonString(text_, rule.name);
        // A name that only repeats the ID (untranslated, utf16) is left out.
        std::string name = friendlyName(rule.name);
        if (!sameIgnoringCase(name, rule.name)) {
            text_ += ", \"name\": ";
            appendJsonString(text_, name);
        }
        text_ += ", \"shortDescription\": {\"text\": ";
        appendJsonString(text_, rule.summary);
        text_ += "}, \"fullDescription\": {\"text\": ";
        appendJsonString(text_, rule.description);
        text_ += "}, \"defaultConfiguration\": {\"level\": \"";
        text_ += level(rule.severity);
        text_ += rule.onByDefault ? "\"}}" : "\", \"enabled\": false}}";
    }
}

void SarifWriter::beginDictionary(const report::DictionaryHeader& header)
{
    beginDocument();
    uri_ = uriOfPath(header.path);
}

bool SarifWriter::add(report::Finding f)
{
    const std::string_view name = report::ruleInfo(f.rule).name;
    text_ += firstResult_ ? "\n        {" : ",\n        {";
    firstResult_ = false;
    text_ += "\"ruleId\": ";
    appendJsonString(text_, name);
    text_ += ", \"ruleIndex\": " + std::to_string(static_cast<int>(f.rule));
    text_ += ", \"level\": \"";
    text_ += level(f.severity);
    text_ += "\", \"message\": {\"text\": ";
    appendJsonString(text_, sentence(f.message));
    text_ += "}, \"locations\": [{\"physicalLocation\": {\"artifactLocation\": {\"uri\": ";
    appendJsonString(text_, uri_);
    text_ += "}, \"region\": {\"startLine\": " + std::to_string(f.line);
    if (f.characterColumn)
        text_ += ", \"startColumn\": " + std::to_string(*f.characterColumn);
    text_ += "}}}]";
    char fingerprint[17];
    std::snprintf(fingerprint, sizeof fingerprint, "%016llx",
                  static_cast<unsigned long long>(
                      report::Baseline::key(name, f.source, f.translation, f.column)));
    text_ += ", \"partialFingerprints\": {\"corvelFinding/v2\": \"";
    text_ += fingerprint;
    text_ += "\"}";
    if (f.baseline)
        text_ += ", \"baselineState\": \"unchanged\"";
    else if (tool_.baselineUsed)
        text_ += ", \"baselineState\": \"new\"";
    text_ += ", \"properties\": {\"source\": ";
    appendJsonString(text_, f.source);
    text_ += ", \"translation\": ";
    appendJsonString(text_, f.translation);
    if (!f.entry.empty()) {
        text_ += ", \"entry\": ";
        appendJsonString(text_, f.entry);
    }
    text_ += "}}";
    write();
    return static_cast<bool>(out_);
}

void SarifWriter::endDictionary(const report::DictionaryOutcome& outcome)
{
    if (!outcome.error.empty())
        failures_.emplace_back(uri_, outcome.error);
}

// A dictionary that could not be checked has no results; the run's
// invocation says so with its error, else its silence would read as clean.
void SarifWriter::finish(const report::FindingCounts&)
{
    beginDocument();
    text_ += firstResult_ ? "]" : "\n      ]";
    if (!failures_.empty()) {
        text_ += ",\n      \"invocations\": [{\"executionSuccessful\": false, "
                 "\"toolExecutionNotifications\": [";
        for (std::size_t i = 0; i < failures_.size(); ++i) {
            text_ += i == 0 ? "\n        " : ",\n        ";
            text_ += "{\"level\": \"error\", \"message\": {\"text\": ";
            appendJsonString(text_, failures_[i].second);
            text_ += "}, \"locations\": [{\"physicalLocation\": {\"artifactLocation\": {\"uri\": ";
            appendJsonString(text_, failures_[i].first);
            text_ += "}}}]}";
        }
        text_ += "\n      ]}]";
    }
    text_ += "\n    }\n  ]\n}\n";
    write();
}

}  // namespace corvel::cli
