// Streams a JSON document into a handler of its events, as they are read:
// memory holds one string at a time, whatever the size of the document.
// The one JSON parser of the engine (nlohmann/json's event interface), for
// the locale files projects keep and for the report's own baseline. Nesting
// and the length of a string or number are bounded.
#pragma once

#include "formats/entry.h"
#include "formats/read_limits.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace corvel::formats {

enum class JsonScalar : std::uint8_t { Number, True, False, Null };

class JsonHandler {
public:
    virtual ~JsonHandler() = default;
    // Each returns false to stop the reading: the sink stopped it, or the
    // document is not what the handler reads (then it has called fail()).
    virtual bool beginObject() = 0;
    virtual bool endObject() = 0;
    virtual bool beginArray() = 0;
    virtual bool endArray() = 0;
    virtual bool key(std::string&& name) = 0;
    // A string value (unescaped, UTF-8); `place` is where its text starts,
    // after the opening quote.
    virtual bool string(std::string&& text, TextPlace place) = 0;
    // A number as written (integers in decimal), or true, false, null.
    virtual bool scalar(JsonScalar kind, std::string_view number) = 0;

    // Records why the document cannot be read; returns false for the caller.
    bool fail(std::string expected);
    const std::optional<ParseFailure>& failure() const { return failure_; }
    // Where the reading is now (after the latest token).
    TextPlace place() const { return place_; }

private:
    friend class JsonRun;
    std::optional<ParseFailure> failure_;
    TextPlace place_;
};

ReadOutcome readJson(const std::filesystem::path& path, JsonHandler& handler,
                     const ReadLimits& limits = {});
// The same for a document in memory (tests, fuzzing, the baseline of a test).
ReadOutcome readJsonBytes(std::string_view bytes, JsonHandler& handler,
                          const ReadLimits& limits = {});

}  // namespace corvel::formats
