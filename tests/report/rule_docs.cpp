#include "rule_docs.h"

#include "checker.h"
#include "platform.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <stdexcept>

namespace corvel::docs {

namespace {

using report::ExampleFile;
using report::RuleExample;
using report::RuleInfo;

// The parts one after the other (GCC 12 warns falsely on a literal added
// to a temporary string).
std::string cat(std::initializer_list<std::string_view> parts)
{
    std::string out;
    for (std::string_view part : parts)
        out += part;
    return out;
}

std::vector<std::string> splitOn(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    for (std::size_t at = 0;;) {
        const std::size_t next = text.find(separator, at);
        parts.emplace_back(text.substr(at, next - at));
        if (next == std::string_view::npos)
            return parts;
        at = next + 1;
    }
}

std::string repeatedTo(std::string_view text, std::size_t size)
{
    std::string out;
    while (!text.empty() && out.size() < size)
        out += text;
    out.resize(std::min(out.size(), size));
    return out;
}

// The bytes of a text as a reader sees them: UTF-8 characters as they are,
// control bytes and bytes that are no UTF-8 escaped.
std::string shown(std::string_view bytes)
{
    std::string out;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC2 ? 2 : 1;
        bool whole = length > 1 && i + length <= bytes.size();
        for (std::size_t k = 1; whole && k < length; ++k)
            whole = (static_cast<unsigned char>(bytes[i + k]) & 0xC0) == 0x80;
        if (whole) {
            out += bytes.substr(i, length);
            i += length;
            continue;
        }
        if (byte == '\r') {
            out += "\\r";
        } else if (byte == '\n') {
            out += "\\n";
        } else if (byte == 0) {
            out += "\\0";
        } else if (byte < 0x20 || byte >= 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else {
            out += static_cast<char>(byte);
        }
        ++i;
    }
    return out;
}

// What an example's files hold: each file's name and its UTF-8 lines (line
// pairs or equals lines, the source repeated as the example says), the file
// the checker is run on and the options of the example and its layout.
// Bytes examples have no lines: their source is the file.
struct ExampleFiles {
    struct File {
        std::string name;
        std::vector<std::string> lines;
    };
    std::vector<File> files;
    std::string checked;
    std::vector<std::string> options;
};

ExampleFiles exampleFiles(const RuleExample& example)
{
    ExampleFiles out;
    out.checked = "dictionary.txt";
    std::vector<std::string> sources = splitOn(example.source, '\n');
    const std::vector<std::string> translations = splitOn(example.translation, '\n');
    if (example.sourceRepeatedTo != 0)
        for (std::string& source : sources)
            source = repeatedTo(source, example.sourceRepeatedTo);
    switch (example.file) {
    case ExampleFile::LinePairs:
    case ExampleFile::EqualsLines: {
        ExampleFiles::File& file = out.files.emplace_back(ExampleFiles::File {out.checked, {}});
        const std::size_t pairs = std::max(sources.size(), translations.size());
        for (std::size_t i = 0; i < pairs; ++i) {
            const std::string_view source = i < sources.size() ? sources[i] : std::string_view();
            const std::string_view translation =
                i < translations.size() ? translations[i] : std::string_view();
            if (example.file == ExampleFile::LinePairs) {
                file.lines.emplace_back(source);
                file.lines.emplace_back(translation);
            } else {
                file.lines.push_back(cat({source, "=", translation}));
            }
        }
        if (example.file == ExampleFile::EqualsLines)
            out.options.push_back("--equals");
        break;
    }
    case ExampleFile::Bytes: break;
    case ExampleFile::Properties:
        out.files.push_back({"en.properties", sources});
        out.files.push_back({"zh_CN.properties", translations});
        out.checked = "zh_CN.properties";
        out.options = {"--source", "en.properties"};
        break;
    }
    if (!example.options.empty())
        for (std::string& option : splitOn(example.options, ' '))
            out.options.push_back(std::move(option));
    return out;
}

// Numbered lines as an indented block, so an empty line shows.
std::string codeBlock(const std::vector<std::string>& lines)
{
    const std::size_t width = std::to_string(lines.size()).size();
    std::string out;
    for (std::size_t n = 1; n <= lines.size(); ++n) {
        const std::string number = std::to_string(n);
        const std::string text = shown(lines[n - 1]);
        out += cat({"    ", std::string(width - number.size(), ' '), number,
                    text.empty() ? "" : "  ", text, "\n"});
    }
    return out;
}

std::string joined(const std::vector<std::string>& words)
{
    std::string out;
    for (const std::string& word : words)
        out += cat({out.empty() ? "" : " ", word});
    return out;
}

void writeFile(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush())
        throw std::runtime_error(cat({"cannot write ", path.string()}));
}

// What the checker reports of a firing example, as its text report
// says it; nothing for a near miss.
std::string reported(const RuleInfo& rule, const RuleExample& example,
                     const std::filesystem::path& folder)
{
    const ExampleRun run = runExample(rule, example, folder);
    if (!example.fires)
        return "";
    std::string out = "\nreported as\n\n";
    for (const std::string& finding : run.findings)
        out += cat({"    ", shown(finding), "\n"});
    return out;
}

// The example as the docs show it, and what the checker reports of it.
std::string exampleText(const RuleInfo& rule, const RuleExample& example,
                        const std::filesystem::path& folder)
{
    const ExampleFiles files = exampleFiles(example);
    std::string out = example.fires ? "Reported" : "Not reported";
    std::vector<std::string> notes;
    if (!files.options.empty())
        notes.push_back(cat({"`", joined(files.options), "`"}));
    if (example.sourceRepeatedTo != 0)
        notes.push_back(cat({"the source repeated to ", std::to_string(example.sourceRepeatedTo),
                             " bytes"}));
    for (std::size_t i = 0; i < notes.size(); ++i)
        out += cat({i == 0 ? " (" : ", ", notes[i], i + 1 == notes.size() ? ")" : ""});
    if (example.file == ExampleFile::Bytes)
        return cat({out, ", the file's bytes:\n\n    ", shown(example.source), "\n",
                    reported(rule, example, folder)});
    out += ":\n\n";
    for (const ExampleFiles::File& file : files.files) {
        if (files.files.size() > 1)
            out += cat({"`", file.name, "`:\n\n"});
        std::vector<std::string> lines = file.lines;
        if (example.sourceRepeatedTo != 0)  // not the whole line
            lines.front() = cat({example.source, "..."});
        out += cat({codeBlock(lines), &file == &files.files.back() ? "" : "\n"});
    }
    return out + reported(rule, example, folder);
}

std::string severityText(const RuleInfo& rule)
{
    return cat({rule.severity == report::Severity::Error ? "Error" : "Warning",
                rule.onByDefault ? ", on by default." : ", off by default."});
}

std::string ruleTable()
{
    std::string out = "| ID | severity | default | summary |\n|---|---|---|---|\n";
    for (const RuleInfo& rule : report::ruleCatalogue())
        out += cat({"| `", rule.name, "` | ",
                    rule.severity == report::Severity::Error ? "error" : "warning", " | ",
                    rule.onByDefault ? "on" : "off", " | ", rule.summary, " |\n"});
    return out;
}

std::string ruleSections(const std::filesystem::path& work)
{
    std::string out;
    int number = 0;
    for (const RuleInfo& rule : report::ruleCatalogue()) {
        out += cat({out.empty() ? "" : "\n", "### `", rule.name, "`\n\n", severityText(rule), " ",
                    rule.description, "\n"});
        for (const RuleExample& example : rule.examples) {
            const std::filesystem::path folder = work / cat({"example", std::to_string(++number)});
            std::filesystem::create_directories(folder);
            out += cat({"\n", exampleText(rule, example, folder)});
        }
    }
    return out;
}

// `doc` with the text between the markers of `part` replaced by `content`.
std::string withPart(std::string_view doc, std::string_view part, std::string_view content)
{
    const std::string begin = cat({"<!-- begin ", part, ": written by ", kRegenerate, " -->\n"});
    const std::string end = cat({"<!-- end ", part, " -->\n"});
    const std::size_t from = doc.find(begin);
    const std::size_t to = from == std::string_view::npos ? from : doc.find(end, from);
    if (to == std::string_view::npos)
        throw std::runtime_error(cat({"docs/report.md lacks the markers of the ", part}));
    return cat({doc.substr(0, from + begin.size()), "\n", content, "\n", doc.substr(to)});
}

}  // namespace

ExampleRun runExample(const RuleInfo& rule, const RuleExample& example,
                      const std::filesystem::path& folder)
{
    const ExampleFiles files = exampleFiles(example);
    const bool utf8 = example.options.find("--encoding utf-8") != std::string_view::npos ||
                      example.file == ExampleFile::Properties;
    if (example.file == ExampleFile::Bytes)
        writeFile(folder / files.checked, example.source);
    for (const ExampleFiles::File& file : files.files) {
        std::string bytes;
        for (const std::string& line : file.lines)
            bytes += cat({utf8 ? line : toGbk(line), "\r\n"});
        writeFile(folder / file.name, bytes);
    }
    std::vector<std::string> args {"--format", "text"};
    for (const std::string& option : files.options)
        args.push_back(option.ends_with(".properties") ? (folder / option).string() : option);
    args.push_back((folder / files.checked).string());
    std::ostringstream out, err;
    ExampleRun run;
    run.status = cli::runChecker(args, out, err);
    run.errors = err.str();
    // "PATH:LINE: SEVERITY: RULE: message", PATH without the folder.
    const std::string prefix = (folder / "").string();
    const std::string marks[] = {cat({": error: ", rule.name, ": "}),
                                 cat({": warning: ", rule.name, ": "})};
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) {
        if (line.find(marks[0]) == std::string::npos && line.find(marks[1]) == std::string::npos)
            continue;
        for (std::size_t at; (at = line.find(prefix)) != std::string::npos;)
            line.erase(at, prefix.size());
        run.findings.push_back(line);
    }
    return run;
}

std::string generateReportDoc(std::string_view doc, const std::filesystem::path& work)
{
    return withPart(withPart(doc, "rule table", ruleTable()), "rule sections",
                    ruleSections(work));
}

std::string generateSchema(std::string_view schema)
{
    // The enum of a finding's "rule", one ID a line at the indent it has.
    const std::size_t rule = schema.find("\"rule\": {");
    const std::size_t open = schema.find("\"enum\": [\n", rule);
    const std::size_t close = schema.find(']', open);
    if (rule == std::string_view::npos || open == std::string_view::npos ||
        close == std::string_view::npos)
        throw std::runtime_error("report.schema.json lacks the enum of a finding's rule");
    const std::size_t lineStart = schema.rfind('\n', close) + 1;
    const std::string closeIndent(schema.substr(lineStart, close - lineStart));
    std::string ids;
    for (const RuleInfo& info : report::ruleCatalogue())
        ids += cat({ids.empty() ? "" : ",\n", closeIndent, "  \"", info.name, "\""});
    const std::size_t first = open + std::string_view("\"enum\": [\n").size();
    return cat({schema.substr(0, first), ids, "\n", schema.substr(lineStart)});
}

}  // namespace corvel::docs
