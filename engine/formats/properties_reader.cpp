#include "properties_reader.h"

#include "line_source.h"
#include "text_form.h"
#include "utf8.h"

#include <string>

namespace corvel::formats {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\f';
}

bool validUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        auto b = static_cast<std::uint8_t>(text[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        utf8::Lead lead = utf8::leadOf(b);
        if (lead.length == 0 || i + lead.length > text.size())
            return false;
        auto second = static_cast<std::uint8_t>(text[i + 1]);
        if (second < lead.low || second > lead.high)
            return false;
        for (std::size_t k = 2; k < lead.length; ++k)
            if (!utf8::isContinuation(static_cast<std::uint8_t>(text[i + k])))
                return false;
        i += lead.length;
    }
    return true;
}

// ISO-8859-1 bytes as UTF-8.
std::string latin1ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) {
        auto b = static_cast<std::uint8_t>(c);
        if (b < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (b >> 6));
            out += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return out;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void appendCodePoint(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Whether the logical line goes on: an odd number of backslashes ends it.
bool continues(std::string_view line)
{
    std::size_t n = 0;
    while (n < line.size() && line[line.size() - 1 - n] == '\\')
        ++n;
    return n % 2 == 1;
}

class PropertiesParser {
public:
    explicit PropertiesParser(EntrySink& sink) : sink_(sink) {}

    // A physical line; false when the sink stopped or the file breaks the format.
    bool line(std::string_view raw, std::int32_t number);
    bool end(std::int32_t lastLine);
    const std::optional<ParseFailure>& failure() const { return failure_; }

private:
    bool emit();
    // Decodes `text` (escapes of the format) onto `out`; false at a
    // broken \u escape (at its byte offset in `at`).
    bool unescape(std::string_view text, std::string& out, std::size_t& at) const;

    EntrySink& sink_;
    std::optional<ParseFailure> failure_;
    std::string logical_;       // the logical line read so far, UTF-8
    std::int32_t firstLine_ = 0;
    bool open_ = false;         // a logical line continues on the next
    std::string firstText_;     // the first physical line, to place the value
};

bool PropertiesParser::unescape(std::string_view text, std::string& out, std::size_t& at) const
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\\' || i + 1 >= text.size()) {
            out += c;
            continue;
        }
        char e = text[++i];
        switch (e) {
        case 'n': out += "\\n"; break;
        case 't': out += "\\t"; break;
        case 'r': out += "\\r"; break;
        case 'f': out += "\\f"; break;
        case '\\': out += "\\\\"; break;
        case 'u': {
            char32_t code = 0;
            for (int k = 1; k <= 4; ++k) {
                int v = i + k < text.size() ? hexValue(text[i + k]) : -1;
                if (v < 0) {
                    at = i - 1;
                    return false;
                }
                code = code * 16 + static_cast<char32_t>(v);
            }
            i += 4;
            // A surrogate pair written as two escapes.
            if (code >= 0xD800 && code <= 0xDBFF && i + 6 < text.size() + 0 &&
                text[i + 1] == '\\' && text[i + 2] == 'u') {
                char32_t low = 0;
                bool good = true;
                for (int k = 3; k <= 6 && good; ++k) {
                    int v = hexValue(text[i + k]);
                    good = v >= 0;
                    low = low * 16 + static_cast<char32_t>(v);
                }
                if (good && low >= 0xDC00 && low <= 0xDFFF) {
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                    i += 6;
                }
            }
            if (code >= 0xD800 && code <= 0xDFFF)
                code = 0xFFFD;  // a lone surrogate stands for nothing
            appendCodePoint(out, code);
            break;
        }
        default: out += e; break;  // \= \: \# \! \  and the rest stand for themselves
        }
    }
    return true;
}

bool PropertiesParser::line(std::string_view raw, std::int32_t number)
{
    std::string text = validUtf8(raw) ? std::string(raw) : latin1ToUtf8(raw);
    std::string_view view = text;
    if (!open_) {
        std::size_t start = 0;
        while (start < view.size() && isBlank(view[start]))
            ++start;
        if (start == view.size() || view[start] == '#' || view[start] == '!')
            return true;  // blank or a comment
        logical_.clear();
        firstLine_ = number;
        firstText_ = text;
        logical_.assign(view);
    } else {
        std::size_t start = 0;
        while (start < view.size() && isBlank(view[start]))
            ++start;
        logical_.append(view.substr(start));
    }
    open_ = continues(logical_);
    if (open_) {
        logical_.pop_back();  // the backslash that continues it
        if (logical_.size() > LineSource::kLongestLine) {
            failure_ = ParseFailure {{number, 1, 0}, "expected a value shorter than 16 MiB"};
            return false;
        }
        return true;
    }
    return emit();
}

bool PropertiesParser::emit()
{
    std::string_view line = logical_;
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    const std::size_t keyStart = i;
    for (; i < line.size(); ++i) {
        char c = line[i];
        if (c == '\\') {
            ++i;
            continue;
        }
        if (c == '=' || c == ':' || isBlank(c))
            break;
    }
    const std::size_t keyEnd = std::min(i, line.size());
    while (i < line.size() && isBlank(line[i]))
        ++i;
    if (i < line.size() && (line[i] == '=' || line[i] == ':'))
        ++i;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    Entry entry;
    std::size_t broken = 0;
    if (!unescape(line.substr(keyStart, keyEnd - keyStart), entry.key, broken) ||
        !unescape(line.substr(i), entry.target, broken)) {
        failure_ = ParseFailure {{firstLine_, 1, 0}, "expected four hexadecimal digits after \\u"};
        return false;
    }
    // The value's place: on the key's line when it starts there.
    const std::size_t valueAt = std::min(i, firstText_.size());
    entry.targetPlace = {firstLine_, static_cast<std::int32_t>(valueAt + 1),
                         characterColumnOf(firstText_, valueAt)};
    entry.sourcePlace = entry.targetPlace;
    // As the file holds it: on the key's line, no escape decoded.
    entry.targetVerbatim = line.substr(i) == entry.target && i + entry.target.size() <= firstText_.size();
    return sink_.entry(std::move(entry));
}

bool PropertiesParser::end(std::int32_t)
{
    if (open_) {
        open_ = false;
        return emit();  // a last line ending in a backslash: the value ends there
    }
    return true;
}

}  // namespace

ReadOutcome readProperties(const std::filesystem::path& path, EntrySink& sink)
{
    PropertiesParser parser(sink);
    return readLines(path, parser);
}

}  // namespace corvel::formats
