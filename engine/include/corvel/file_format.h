// The translation files a project keeps, besides Corvel's own two
// dictionary layouts: what each is called, how it is recognised and
// whether it is checked against a source file of its own.
#pragma once

#include "corvel/error.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace corvel {

enum class FileFormat : std::uint8_t {
    Po,          // gettext catalogue: both texts
    Ts,          // Qt Linguist source: both texts
    Xliff,       // XLIFF 1.2 and 2.x: both texts
    Android,     // Android strings.xml: one language, against a source file
    Json,        // a JSON object of texts: one language, against a source file
    Properties,  // Java .properties: one language, against a source file
};

// "po", "ts", "xliff", "android", "json", "properties": the values of
// --input and of the report's layout.
std::string_view formatName(FileFormat format);
std::optional<FileFormat> parseFormatName(std::string_view name);
// Every name as a sentence: "po, ts, xliff, android, json or properties".
std::string formatNames();

// Whether a file of this format holds one language only, so that it is
// checked against its source (--source SOURCE TRANSLATION).
bool needsSource(FileFormat format);
// Whether this build reads the format.
bool formatBuilt(FileFormat format);

// What the file at `path` is, from its name and its first bytes: a
// translation format, or none (a dictionary of the two layouts). A file
// that cannot be read is none; its run reports why.
std::optional<FileFormat> recogniseFormat(const std::filesystem::path& path);

}  // namespace corvel
