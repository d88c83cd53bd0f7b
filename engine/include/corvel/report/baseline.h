// --baseline: the findings of an earlier JSON report. A finding of the
// same rule with the same source and translation text (wherever its line
// has moved to) is marked as a baseline finding and does not count toward
// the exit status; each finding of the earlier report marks at most one.
// Only fingerprints of the findings are kept.
#pragma once

#include "corvel/report/finding.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvel::report {

// The version of the JSON report's format, its "version" member. It grows
// when a finding of an earlier report would no longer match the same
// finding, so that such a report is refused as a baseline.
inline constexpr int kReportFormatVersion = 2;

class Baseline {
public:
    using Counts = std::unordered_map<std::uint64_t, std::uint32_t>;

    // Reads the report at `path`; on failure `error` says why (naming the
    // file) and the baseline is empty.
    static Baseline load(const std::filesystem::path& path, std::string& error);
    // The same from the report's text.
    static Baseline parse(std::string text, std::string& error);

    // The findings of the earlier report about the dictionary `path` (as
    // named on the command line): the one of the same path (after removing
    // "." and ".." steps), else the only one of the same file name, else none.
    Counts forDictionary(std::string_view path) const;

    std::size_t dictionaries() const { return dictionaries_.size(); }

    // A finding's fingerprint: its rule, the textFingerprint() of its source
    // and translation and, where it has one, its column (the place of a
    // byte within the line's texts, which tells apart two encoding
    // findings of one line).
    static std::uint64_t key(std::string_view rule, std::string_view source,
                             std::string_view translation,
                             std::optional<std::int32_t> column = std::nullopt);
    static std::uint64_t keyOfDigests(std::string_view rule, std::uint64_t source,
                                      std::uint64_t translation,
                                      std::optional<std::int32_t> column);

private:
    struct Dictionary {
        std::string path;  // normalised
        Counts findings;
    };
    class Loader;

    std::vector<Dictionary> dictionaries_;
};

// Marks the findings the baseline holds and passes every finding on.
class BaselineMarker : public FindingSink {
public:
    BaselineMarker(Baseline::Counts remaining, FindingSink& next)
        : remaining_(std::move(remaining)), next_(next) {}

    bool add(Finding finding) override;

private:
    Baseline::Counts remaining_;
    FindingSink& next_;
};

}  // namespace corvel::report
