// Streams an XML file through expat, a piece at a time, into a handler of
// elements and text: the common ground of the readers of XML translation
// files. The file is read with no DTD loading, no external entities and no
// network; a document that declares entities of its own is refused, and the
// nesting depth and the length of any one token are bounded.
#pragma once

#include "formats/entry.h"
#include "formats/read_limits.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace corvel::formats {

// The attributes of a start tag, as expat hands them.
class XmlAttributes {
public:
    explicit XmlAttributes(const char** pairs) : pairs_(pairs) {}
    // The value of the attribute whose local name is `name` (a prefix such as
    // xml: in xml:space is ignored).
    std::optional<std::string_view> find(std::string_view name) const;
    // Calls f(name, value) for each attribute in document order.
    template <class F>
    void forEach(F f) const
    {
        for (const char** p = pairs_; p != nullptr && *p != nullptr; p += 2)
            f(std::string_view(p[0]), std::string_view(p[1]));
    }

private:
    const char** pairs_;
};

// The name without its namespace prefix: "xliff:g" gives "g".
std::string_view localName(std::string_view name);

class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    // Each returns false to stop the reading: the sink stopped it, or the
    // file is not what the handler reads (then it has called fail()).
    // `place` is where the tag or the piece of text starts.
    virtual bool startElement(std::string_view name, const XmlAttributes& attributes,
                              TextPlace place) = 0;
    virtual bool endElement(std::string_view name, TextPlace place) = 0;
    // Character data, CDATA sections included, in pieces of any length.
    virtual bool text(std::string_view text, TextPlace place) = 0;
    // After the root element has closed.
    virtual bool end() { return true; }

    // Records why the file cannot be read; returns false for the caller.
    bool fail(TextPlace place, std::string expected);
    // Appends a piece of text to `to` within the limit of one text.
    bool append(std::string& to, std::string_view piece, TextPlace place);

    const std::optional<ParseFailure>& failure() const { return failure_; }
    void setLimits(const ReadLimits& limits) { limits_ = limits; }
    const ReadLimits& limits() const { return limits_; }

private:
    std::optional<ParseFailure> failure_;
    ReadLimits limits_;
};

// Reads the XML file at `path` into `handler`. A file that is not well
// formed, or that a handler refuses, gives a ParseFailure.
ReadOutcome readXml(const std::filesystem::path& path, XmlHandler& handler,
                    const ReadLimits& limits = {});
// The same for a document in memory (tests and fuzzing); `pieceSize` is
// the size of the pieces it is handed to the parser in.
ReadOutcome readXmlBytes(std::string_view bytes, XmlHandler& handler, const ReadLimits& limits = {},
                         std::size_t pieceSize = 64 * 1024);

}  // namespace corvel::formats
