// What the reader tests share: a sink that keeps every entry, and an entry
// written as one line that a table can hold.
#pragma once

#include "formats/entry.h"

#include <string>
#include <vector>

namespace corvel::test {

class KeepEntries : public formats::EntrySink {
public:
    // Stops the reading after `limit` entries (0: never).
    explicit KeepEntries(std::size_t limit = 0) : limit_(limit) {}
    bool entry(formats::Entry&& entry) override
    {
        entries.push_back(std::move(entry));
        return limit_ == 0 || entries.size() < limit_;
    }
    std::vector<formats::Entry> entries;

private:
    std::size_t limit_;
};

inline const char* stateName(formats::EntryState state)
{
    switch (state) {
    case formats::EntryState::Translated: return "";
    case formats::EntryState::Fuzzy: return " fuzzy";
    case formats::EntryState::Unfinished: return " unfinished";
    case formats::EntryState::Obsolete: return " obsolete";
    case formats::EntryState::NotTranslatable: return " no";
    }
    return " ?";
}

// "key: source => target @line:column state", the source part only where
// there is one; "@line:column/characters" where the two columns differ.
inline std::string brief(const formats::Entry& e)
{
    std::string out = e.key;
    out.append(": ");
    if (!e.source.empty())
        out.append(e.source).append(" => ");
    out.append(e.target).append(" @").append(std::to_string(e.targetPlace.line));
    out.append(":").append(std::to_string(e.targetPlace.column));
    if (e.targetPlace.characterColumn != 0)
        out.append("/").append(std::to_string(e.targetPlace.characterColumn));
    return out.append(stateName(e.state));
}

inline std::vector<std::string> briefs(const std::vector<formats::Entry>& entries)
{
    std::vector<std::string> out;
    for (const formats::Entry& e : entries)
        out.push_back(brief(e));
    return out;
}

// Writes each "@{needle}" of `expected` as the place where `needle` first
// occurs in `document`: "@line:column", and "/characters" after it where
// the line's bytes before it are not all ASCII. "@{needle#2}" is the second
// occurrence.
inline std::string placed(std::string expected, std::string_view document)
{
    for (std::size_t at = expected.find("@{"); at != std::string::npos; at = expected.find("@{", at)) {
        std::size_t close = expected.find('}', at);
        std::string needle = expected.substr(at + 2, close - at - 2);
        int nth = 1;
        if (std::size_t hash = needle.rfind('#'); hash != std::string::npos && hash + 2 == needle.size() &&
                                                  needle[hash + 1] >= '1' && needle[hash + 1] <= '9') {
            nth = needle[hash + 1] - '0';
            needle.resize(hash);
        }
        std::size_t offset = document.find(needle);
        while (--nth > 0 && offset != std::string::npos)
            offset = document.find(needle, offset + 1);
        if (offset == std::string::npos) {
            expected.replace(at, close - at + 1, "@(not in the document: " + needle + ")");
            continue;
        }
        std::size_t lineStart = document.rfind('\n', offset == 0 ? 0 : offset - 1);
        lineStart = offset == 0 || lineStart == std::string::npos ? 0 : lineStart + 1;
        int line = 1;
        for (std::size_t i = 0; i < lineStart; ++i)
            line += document[i] == '\n' ? 1 : 0;
        int characters = 1;
        for (std::size_t i = lineStart; i < offset; ++i)
            characters += (static_cast<unsigned char>(document[i]) & 0xC0) != 0x80 ? 1 : 0;
        std::string place = "@" + std::to_string(line) + ":" + std::to_string(offset - lineStart + 1);
        if (characters != static_cast<int>(offset - lineStart + 1))
            place += "/" + std::to_string(characters);
        expected.replace(at, close - at + 1, place);
    }
    return expected;
}

// "line:column[/characters]: expected ..." of a parse failure, or "" when there is none.
inline std::string failureOf(const formats::ReadOutcome& outcome)
{
    if (!outcome.parse)
        return "";
    std::string out = std::to_string(outcome.parse->place.line);
    out.append(":").append(std::to_string(outcome.parse->place.column));
    if (outcome.parse->place.characterColumn != 0)
        out.append("/").append(std::to_string(outcome.parse->place.characterColumn));
    return out.append(": ").append(outcome.parse->expected);
}

}  // namespace corvel::test
