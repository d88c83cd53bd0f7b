#include "corvel/report/baseline.h"
#include "corvel/report/rule_catalogue.h"

#include "json_reader.h"
#include "text_hash.h"

#include <cstring>

namespace corvel::report {

namespace {

std::string normalisedPath(std::string_view path)
{
    std::filesystem::path p = std::filesystem::path(std::u8string(path.begin(), path.end()));
    std::u8string text = p.lexically_normal().generic_u8string();
    return std::string(text.begin(), text.end());
}

std::string fileName(const std::string& normalised)
{
    std::size_t slash = normalised.rfind('/');
    return slash == std::string::npos ? normalised : normalised.substr(slash + 1);
}

}  // namespace

std::uint64_t Baseline::key(std::string_view rule, std::string_view source,
                            std::string_view translation, std::optional<std::int32_t> column)
{
    return keyOfDigests(rule, textFingerprint(source), textFingerprint(translation), column);
}

std::uint64_t Baseline::keyOfDigests(std::string_view rule, std::uint64_t source,
                                     std::uint64_t translation,
                                     std::optional<std::int32_t> column)
{
    char parts[20];
    std::memcpy(parts, &source, 8);
    std::memcpy(parts + 8, &translation, 8);
    const std::int32_t at = column.value_or(0);
    std::memcpy(parts + 16, &at, 4);
    return fingerprint(std::string_view(parts, sizeof parts), fingerprint(rule));
}

// Walks the report: {"dictionaries": [{"path": ..., "findings": [{"rule":
// ..., "source": ..., "translation": ...}, ...]}, ...], ...}; every other
// member is skipped.
class Baseline::Loader {
public:
    explicit Loader(JsonReader& reader) : reader_(reader) {}

    bool read(std::vector<Dictionary>& out)
    {
        if (reader_.next() != JsonReader::Token::BeginObject)
            return fail("not a JSON object");
        bool found = false;
        for (;;) {
            JsonReader::Token t = reader_.next();
            if (t == JsonReader::Token::EndObject)
                break;
            if (t != JsonReader::Token::Key)
                return fail("");
            if (reader_.text() == "dictionaries") {
                found = true;
                if (!readDictionaries(out))
                    return false;
            } else if (reader_.text() == "version") {
                // Findings were fingerprinted otherwise before: an earlier
                // report would match none of them and pass them all as new.
                const auto version = reader_.next() == JsonReader::Token::Number
                                         ? parseColumn(reader_.text())
                                         : std::nullopt;
                if (!version)
                    return fail("\"version\" is not a whole number");
                if (*version < kReportFormatVersion)
                    return fail("this baseline was made by an earlier version; make it again");
                if (*version > kReportFormatVersion)
                    return fail("this baseline was made by a later version of corvel-check");
            } else if (!skip()) {
                return false;
            }
        }
        if (reader_.next() != JsonReader::Token::End)
            return fail("");
        return found || fail("no \"dictionaries\" member: not a corvel-check JSON report");
    }

    const std::string& error() const { return error_; }

private:
    bool fail(const std::string& what)
    {
        error_ = reader_.syntaxError()      ? "not JSON: " + reader_.error()
                 : !reader_.error().empty() ? reader_.error()
                 : what.empty()             ? "not a corvel-check JSON report"
                                            : what;
        return false;
    }

    bool skip() { return reader_.skipValue(reader_.next()) != JsonReader::Token::Error; }

    // An array of objects, each read by `read`; `name` and `item` for the
    // messages.
    template <typename Read>
    bool readObjects(const char* name, const char* item, Read read)
    {
        if (reader_.next() != JsonReader::Token::BeginArray)
            return fail(std::string("\"") + name + "\" is not an array");
        for (;;) {
            JsonReader::Token t = reader_.next();
            if (t == JsonReader::Token::EndArray)
                return true;
            if (t != JsonReader::Token::BeginObject)
                return fail(std::string("a ") + item + " is not an object");
            if (!read())
                return false;
        }
    }

    bool readDictionaries(std::vector<Dictionary>& out)
    {
        return readObjects("dictionaries", "dictionary",
                           [&] { return readDictionary(out.emplace_back()); });
    }

    bool readDictionary(Dictionary& dictionary)
    {
        for (;;) {
            JsonReader::Token t = reader_.next();
            if (t == JsonReader::Token::EndObject)
                return true;
            if (t != JsonReader::Token::Key)
                return fail("");
            if (reader_.text() == "path") {
                if (reader_.next() != JsonReader::Token::String)
                    return fail("a dictionary's \"path\" is not a string");
                dictionary.path = normalisedPath(reader_.text());
            } else if (reader_.text() == "findings") {
                if (!readFindings(dictionary.findings))
                    return false;
            } else if (!skip()) {
                return false;
            }
        }
    }

    bool readFindings(Counts& findings)
    {
        return readObjects("findings", "finding", [&] {
            FindingKey found;
            if (!readFinding(found))
                return false;
            ++findings[keyOfDigests(found.rule, found.source, found.translation, found.column)];
            return true;
        });
    }

    // What a finding's fingerprint is made of; its texts only as digests,
    // so a text of any length costs no memory.
    struct FindingKey {
        std::string rule;
        std::uint64_t source = textFingerprint("");
        std::uint64_t translation = textFingerprint("");
        std::optional<std::int32_t> column;
    };

    bool readFinding(FindingKey& found)
    {
        for (;;) {
            JsonReader::Token t = reader_.next();
            if (t == JsonReader::Token::EndObject)
                return !found.rule.empty() || fail("a finding without \"rule\"");
            if (t != JsonReader::Token::Key)
                return fail("");
            const std::string name = reader_.text();
            if (name == "rule") {
                if (reader_.next() != JsonReader::Token::String)
                    return fail("a finding's rule is not a string");
                found.rule = reader_.text();
                continue;
            }
            if (name == "column") {
                if (reader_.next() != JsonReader::Token::Number)
                    return fail("a finding's column is not a number");
                found.column = parseColumn(reader_.text());
                continue;
            }
            reader_.digestStrings(true);
            std::uint64_t* digest = name == "source"        ? &found.source
                                    : name == "translation" ? &found.translation
                                                            : nullptr;
            bool ok = digest == nullptr ? skip() : reader_.next() == JsonReader::Token::String;
            reader_.digestStrings(false);
            if (!ok)
                return digest == nullptr ? false : fail("a finding's text is not a string");
            if (digest != nullptr)
                *digest = reader_.digest();
        }
    }

    static std::optional<std::int32_t> parseColumn(const std::string& text)
    {
        std::int64_t value = 0;
        for (char c : text) {
            if (c < '0' || c > '9' || value > 1'000'000'000)
                return std::nullopt;
            value = value * 10 + (c - '0');
        }
        return static_cast<std::int32_t>(value);
    }

    JsonReader& reader_;
    std::string error_;
};

Baseline Baseline::read(JsonReader& reader, std::string& error)
{
    Baseline baseline;
    Loader loader(reader);
    if (!loader.read(baseline.dictionaries_)) {
        error = loader.error();
        return Baseline();
    }
    error.clear();
    return baseline;
}

Baseline Baseline::load(const std::filesystem::path& path, std::string& error)
{
    Error openError;
    File file = File::open(path, File::Access::Read, openError);
    if (openError) {
        error = openError.describe();
        return Baseline();
    }
    JsonReader reader(std::move(file));
    Baseline baseline = read(reader, error);
    if (!error.empty())
        error = displayPath(path) + ": " + error;
    return baseline;
}

Baseline Baseline::parse(std::string text, std::string& error)
{
    JsonReader reader(std::move(text));
    return read(reader, error);
}

Baseline::Counts Baseline::forDictionary(std::string_view path) const
{
    std::string wanted = normalisedPath(path);
    for (const Dictionary& d : dictionaries_)
        if (d.path == wanted)
            return d.findings;
    const Dictionary* sameName = nullptr;
    for (const Dictionary& d : dictionaries_) {
        if (fileName(d.path) != fileName(wanted))
            continue;
        if (sameName != nullptr)
            return {};  // two of that name: neither is meant more than the other
        sameName = &d;
    }
    return sameName != nullptr ? sameName->findings : Counts {};
}

bool BaselineMarker::add(Finding finding)
{
    auto it = remaining_.find(
        Baseline::key(ruleInfo(finding.rule).name, finding.source, finding.translation,
                      finding.column));
    if (it != remaining_.end() && it->second > 0) {
        --it->second;
        finding.baseline = true;
    }
    return next_.add(std::move(finding));
}

}  // namespace corvel::report
