// Every translation format in one table: its name, the file names it is
// recognised by, what its content starts with, whether it is checked
// against a source file, and its reader. A format is one line here plus
// its reader's file.
#pragma once

#include "corvel/file_format.h"
#include "entry.h"

#include <array>
#include <span>
#include <string_view>

namespace corvel::formats {

// What the first bytes of a file say it is.
enum class Content : std::uint8_t {
    Unknown,
    Po,             // a gettext header: msgid "" then msgstr ""
    XmlTs,          // XML whose root element is TS
    XmlXliff,       // ... xliff
    XmlResources,   // ... resources (Android)
    XmlOther,       // any other XML
    JsonObject,     // a JSON object: "{" first
};

struct FormatInfo {
    FileFormat format;
    std::string_view name;
    // The endings of its file names, lower case (a name may end in any case).
    std::array<std::string_view, 3> endings;
    Content content;  // what its content starts with (Unknown: the name decides alone)
    bool needsSource;
    Reader reader;  // null: this build does not read the format
};

std::span<const FormatInfo> formatTable();
const FormatInfo& formatInfo(FileFormat format);

// What `head` (the first bytes of a file) starts with.
Content contentOf(std::string_view head);

// The format of a file named `name` whose first bytes are `head`.
std::optional<FileFormat> recogniseFormat(std::string_view name, std::string_view head);

}  // namespace corvel::formats
