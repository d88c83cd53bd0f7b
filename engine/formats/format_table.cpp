#include "format_table.h"

#include "android_reader.h"
#include "json_locale_reader.h"
#include "platform.h"
#include "po_reader.h"
#include "properties_reader.h"
#include "ts_reader.h"
#include "xliff_reader.h"

#include <algorithm>
#include <iterator>

namespace corvel::formats {

namespace {

// The one list of formats.
constexpr FormatInfo kFormats[] = {
    {FileFormat::Po, "po", {".po", ".pot", ""}, Content::Po, false, readPo},
    {FileFormat::Ts, "ts", {".ts", "", ""}, Content::XmlTs, false, readTs},
    {FileFormat::Xliff, "xliff", {".xlf", ".xliff", ""}, Content::XmlXliff, false, readXliff},
    {FileFormat::Android, "android", {"strings.xml", "", ""}, Content::XmlResources, true,
     readAndroidStrings},
    {FileFormat::Json, "json", {".json", "", ""}, Content::JsonObject, true, readJsonLocale},
    {FileFormat::Properties, "properties", {".properties", "", ""}, Content::Unknown, true,
     readProperties},
};

constexpr bool inEnumOrder()
{
    for (std::size_t i = 0; i < std::size(kFormats); ++i)
        if (static_cast<std::size_t>(kFormats[i].format) != i)
            return false;
    return true;
}
static_assert(inEnumOrder(), "formatInfo() finds a format at its enum value");

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool endsWithIgnoringCase(std::string_view text, std::string_view ending)
{
    if (ending.empty() || text.size() < ending.size())
        return false;
    text = text.substr(text.size() - ending.size());
    for (std::size_t i = 0; i < ending.size(); ++i)
        if (lower(text[i]) != ending[i])
            return false;
    return true;
}

std::string_view skipSpace(std::string_view text)
{
    while (!text.empty() &&
           (text.front() == ' ' || text.front() == '\t' || text.front() == '\r' ||
            text.front() == '\n'))
        text.remove_prefix(1);
    return text;
}

// Past the XML declaration, comments, processing instructions and the
// document type: the name of the root element, or empty.
std::string_view xmlRoot(std::string_view text)
{
    for (;;) {
        text = skipSpace(text);
        if (text.substr(0, 4) == "<!--") {
            std::size_t end = text.find("-->");
            if (end == std::string_view::npos)
                return {};
            text.remove_prefix(end + 3);
        } else if (text.substr(0, 2) == "<?" || text.substr(0, 2) == "<!") {
            std::size_t end = text.find('>');
            if (end == std::string_view::npos)
                return {};
            text.remove_prefix(end + 1);
        } else if (text.substr(0, 1) == "<") {
            std::size_t end = text.find_first_of(" \t\r\n/>", 1);
            if (end == std::string_view::npos)
                return {};
            std::string_view name = text.substr(1, end - 1);
            std::size_t colon = name.find(':');  // a prefixed root: its local name
            return colon == std::string_view::npos ? name : name.substr(colon + 1);
        } else {
            return {};
        }
    }
}

// Past comments and blank lines, the first two lines are a gettext header.
bool poHeader(std::string_view text)
{
    for (;;) {
        text = skipSpace(text);
        if (text.substr(0, 1) != "#")
            break;
        std::size_t end = text.find('\n');
        if (end == std::string_view::npos)
            return false;
        text.remove_prefix(end + 1);
    }
    if (text.substr(0, 8) != "msgid \"\"")
        return false;
    text = skipSpace(text.substr(8));
    return text.substr(0, 9) == "msgstr \"\"";
}

}  // namespace

std::span<const FormatInfo> formatTable()
{
    return kFormats;
}

const FormatInfo& formatInfo(FileFormat format)
{
    return kFormats[static_cast<std::size_t>(format)];
}

Content contentOf(std::string_view head)
{
    if (head.substr(0, 3) == "\xEF\xBB\xBF")
        head.remove_prefix(3);
    if (poHeader(head))
        return Content::Po;
    std::string_view start = skipSpace(head);
    if (start.substr(0, 1) == "{")
        return Content::JsonObject;
    if (start.substr(0, 1) != "<")
        return Content::Unknown;
    std::string_view root = xmlRoot(start);
    if (root == "TS")
        return Content::XmlTs;
    if (root == "xliff")
        return Content::XmlXliff;
    if (root == "resources")
        return Content::XmlResources;
    return start.substr(0, 5) == "<?xml" ? Content::XmlOther : Content::Unknown;
}

std::optional<FileFormat> recogniseFormat(std::string_view name, std::string_view head)
{
    const Content content = contentOf(head);
    for (const FormatInfo& info : kFormats) {
        const bool named = std::any_of(info.endings.begin(), info.endings.end(),
                                       [&](std::string_view e) { return endsWithIgnoringCase(name, e); });
        if (!named)
            continue;
        // A name shared with other files (TypeScript's .ts, a dictionary
        // named .json) needs the content too.
        if ((info.format == FileFormat::Ts || info.format == FileFormat::Json) &&
            content != info.content)
            continue;
        return info.format;
    }
    // Any other name: the content alone, where it cannot be a dictionary's
    // (a dictionary may well start with "{0}").
    for (const FormatInfo& info : kFormats)
        if (info.content != Content::Unknown && info.content != Content::JsonObject &&
            info.content == content)
            return info.format;
    return std::nullopt;
}

}  // namespace corvel::formats

namespace corvel {

std::string_view formatName(FileFormat format)
{
    return formats::formatInfo(format).name;
}

std::optional<FileFormat> parseFormatName(std::string_view name)
{
    for (const formats::FormatInfo& info : formats::formatTable())
        if (info.name == name)
            return info.format;
    return std::nullopt;
}

std::string formatNames()
{
    std::string out;
    auto table = formats::formatTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (i > 0)
            out += i + 1 == table.size() ? " or " : ", ";
        out += table[i].name;
    }
    return out;
}

bool needsSource(FileFormat format)
{
    return formats::formatInfo(format).needsSource;
}

bool formatBuilt(FileFormat format)
{
    return formats::formatInfo(format).reader != nullptr;
}

std::optional<FileFormat> recogniseFormat(const std::filesystem::path& path)
{
    constexpr std::size_t kHead = 4096;
    std::string head;
    // Only a file is looked into: a pipe would lose what is read (or wait
    // for a writer); it goes by its name.
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) {
        Error error;
        File file = File::open(path, File::Access::Read, error);
        if (error)
            return std::nullopt;
        head.assign(kHead, '\0');
        std::size_t got = file.read(head.data(), kHead, error);
        head.resize(error ? 0 : got);
    }
    const std::u8string name = path.filename().u8string();
    return formats::recogniseFormat(std::string_view(reinterpret_cast<const char*>(name.data()), name.size()), head);
}

}  // namespace corvel
