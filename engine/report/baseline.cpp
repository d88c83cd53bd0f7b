#include "corvel/report/baseline.h"
#include "corvel/report/rule_catalogue.h"

#include "formats/json_stream.h"
#include "platform.h"
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

// Walks the report as it is read: {"dictionaries": [{"path": ..., "findings":
// [{"rule": ..., "source": ..., "translation": ..., "column": ...}, ...]},
// ...], ...}; every other member is passed over.
class Baseline::Loader final : public formats::JsonHandler {
public:
    bool beginObject() override { return open(Want::Object); }
    bool beginArray() override { return open(Want::Array); }
    bool endObject() override { return close(); }
    bool endArray() override { return close(); }
    bool key(std::string&& name) override
    {
        key_ = std::move(name);
        return true;
    }

    bool string(std::string&& text, formats::TextPlace) override
    {
        if (!expect(Want::String))
            return false;
        if (skipping())
            return true;
        if (frames_.back() == Frame::Dictionary && key_ == "path")
            dictionaries_.back().path = normalisedPath(text);
        else if (frames_.back() == Frame::Finding && key_ == "rule")
            finding_.rule = std::move(text);
        else if (frames_.back() == Frame::Finding && key_ == "source")
            finding_.source = textFingerprint(text);
        else if (frames_.back() == Frame::Finding && key_ == "translation")
            finding_.translation = textFingerprint(text);
        return true;
    }

    bool scalar(formats::JsonScalar kind, std::string_view number) override
    {
        if (!expect(kind == formats::JsonScalar::Number ? Want::Number : Want::Other))
            return false;
        if (!skipping() && frames_.back() == Frame::Finding && key_ == "column")
            finding_.column = parseColumn(number);
        if (!frames_.empty() && frames_.back() == Frame::Root && key_ == "version") {
            // Findings were fingerprinted otherwise before: an earlier
            // report would match none of them and pass them all as new.
            const auto version = parseColumn(number);
            message_ = !version                          ? "\"version\" is not a whole number"
                       : *version < kReportFormatVersion ? "this baseline was made by an earlier "
                                                           "version; make it again"
                       : *version > kReportFormatVersion
                           ? "this baseline was made by a later version of corvel-check"
                           : "";
            if (!message_.empty())
                return fail(message_);
        }
        return true;
    }

    // After the whole document: the error, if any.
    std::string error(const formats::ReadOutcome& outcome) const
    {
        if (outcome.io)
            return outcome.io.describe();
        if (outcome.parse) {
            if (!message_.empty())
                return message_;
            return "not JSON: line " + std::to_string(outcome.parse->place.line) + ", column " +
                   std::to_string(outcome.parse->place.column) + ": expected " +
                   outcome.parse->expected;
        }
        if (!found_)
            return "no \"dictionaries\" member: not a corvel-check JSON report";
        return {};
    }

    std::vector<Dictionary>& dictionaries() { return dictionaries_; }

private:
    enum class Frame { Root, Dictionaries, Dictionary, Findings, Finding, Skipped };
    enum class Want { Object, Array, String, Number, Other, Any };

    // What the value at the current place must be, and the message when it
    // is not.
    std::pair<Want, const char*> wanted() const
    {
        if (frames_.empty())
            return {Want::Object, "not a JSON object"};
        switch (frames_.back()) {
        case Frame::Root:
            if (key_ == "dictionaries")
                return {Want::Array, "\"dictionaries\" is not an array"};
            if (key_ == "version")
                return {Want::Number, "\"version\" is not a whole number"};
            break;
        case Frame::Dictionaries: return {Want::Object, "a dictionary is not an object"};
        case Frame::Dictionary:
            if (key_ == "path")
                return {Want::String, "a dictionary's \"path\" is not a string"};
            if (key_ == "findings")
                return {Want::Array, "\"findings\" is not an array"};
            break;
        case Frame::Findings: return {Want::Object, "a finding is not an object"};
        case Frame::Finding:
            if (key_ == "rule")
                return {Want::String, "a finding's rule is not a string"};
            if (key_ == "column")
                return {Want::Number, "a finding's column is not a number"};
            if (key_ == "source" || key_ == "translation")
                return {Want::String, "a finding's text is not a string"};
            break;
        case Frame::Skipped: break;
        }
        return {Want::Any, ""};
    }

    bool expect(Want got)
    {
        auto [want, message] = wanted();
        if (want == Want::Any || want == got)
            return true;
        message_ = message;
        return fail(message);
    }

    bool skipping() const { return frames_.empty() || wanted().first == Want::Any; }

    bool open(Want kind)
    {
        if (!expect(kind))
            return false;
        if (frames_.empty()) {
            frames_.push_back(Frame::Root);
            return true;
        }
        if (skipping()) {
            frames_.push_back(Frame::Skipped);
            return true;
        }
        switch (frames_.back()) {
        case Frame::Root:
            found_ = true;
            frames_.push_back(Frame::Dictionaries);
            break;
        case Frame::Dictionaries:
            dictionaries_.emplace_back();
            frames_.push_back(Frame::Dictionary);
            break;
        case Frame::Dictionary: frames_.push_back(Frame::Findings); break;
        case Frame::Findings:
            finding_ = FindingKey {};
            frames_.push_back(Frame::Finding);
            break;
        case Frame::Finding:
        case Frame::Skipped: frames_.push_back(Frame::Skipped); break;
        }
        key_.clear();
        return true;
    }

    bool close()
    {
        Frame closed = frames_.back();
        frames_.pop_back();
        key_.clear();
        if (closed != Frame::Finding)
            return true;
        if (finding_.rule.empty()) {
            message_ = "a finding without \"rule\"";
            return fail(message_);
        }
        ++dictionaries_.back().findings[keyOfDigests(finding_.rule, finding_.source,
                                                     finding_.translation, finding_.column)];
        return true;
    }

    static std::optional<std::int32_t> parseColumn(std::string_view text)
    {
        std::int64_t value = 0;
        for (char c : text) {
            if (c < '0' || c > '9' || value > 1'000'000'000)
                return std::nullopt;
            value = value * 10 + (c - '0');
        }
        return static_cast<std::int32_t>(value);
    }

    // What a finding's fingerprint is made of; its texts only as digests.
    struct FindingKey {
        std::string rule;
        std::uint64_t source = textFingerprint("");
        std::uint64_t translation = textFingerprint("");
        std::optional<std::int32_t> column;
    };

    std::vector<Frame> frames_;
    std::string key_;
    FindingKey finding_;
    std::vector<Dictionary> dictionaries_;
    bool found_ = false;
    std::string message_;  // a report's fault in words of its own
};

Baseline Baseline::load(const std::filesystem::path& path, std::string& error)
{
    Loader loader;
    formats::ReadOutcome outcome = formats::readJson(path, loader);
    std::string cause = loader.error(outcome);
    if (!cause.empty()) {
        // A failure to read names the file already.
        error = outcome.io ? cause : displayPath(path) + ": " + cause;
        return Baseline();
    }
    error.clear();
    Baseline baseline;
    baseline.dictionaries_ = std::move(loader.dictionaries());
    return baseline;
}

Baseline Baseline::parse(std::string text, std::string& error)
{
    Loader loader;
    error = loader.error(formats::readJsonBytes(text, loader));
    if (!error.empty())
        return Baseline();
    Baseline baseline;
    baseline.dictionaries_ = std::move(loader.dictionaries());
    return baseline;
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
