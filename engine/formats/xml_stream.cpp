#include "formats/xml_stream.h"

#include "platform.h"
#include "gbk_table.h"

#include <expat.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace corvel::formats {

std::optional<std::string_view> XmlAttributes::find(std::string_view name) const
{
    for (const char** p = pairs_; p != nullptr && *p != nullptr; p += 2) {
        if (localName(p[0]) == name)
            return std::string_view(p[1]);
    }
    return std::nullopt;
}

std::string_view localName(std::string_view name)
{
    std::size_t colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

bool XmlHandler::fail(TextPlace place, std::string expected)
{
    if (!failure_)
        failure_ = ParseFailure {place, std::move(expected)};
    return false;
}

bool XmlHandler::append(std::string& to, std::string_view piece, TextPlace place)
{
    if (to.size() + piece.size() > limits_.maxTextBytes)
        return fail(place, "a text of at most " + std::to_string(limits_.maxTextBytes) + " bytes");
    to.append(piece);
    return true;
}

namespace {

constexpr std::size_t kPiece = 64 * 1024;

bool equalsAsciiCaseBlind(const char* a, std::string_view b)
{
    std::size_t n = std::strlen(a);
    if (n != b.size())
        return false;
    for (std::size_t i = 0; i < n; ++i) {
        char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 'a' + 'A') : a[i];
        if (x != b[i])
            return false;
    }
    return true;
}

// GBK through the engine's own table: expat knows only UTF-8, UTF-16,
// ISO-8859-1 and US-ASCII. A GB18030 four-byte sequence is not GBK and
// fails as an invalid character.
int convertGbk(void*, const char* s)
{
    auto lead = static_cast<unsigned char>(s[0]);
    auto trail = static_cast<unsigned char>(s[1]);
    if (trail < 0x40 || trail > 0xFE || trail == 0x7F)
        return -1;
    char32_t code = report::GbkTable::instance().pair(lead, trail);
    return code == 0 ? -1 : static_cast<int>(code);
}

int XMLCALL unknownEncoding(void*, const XML_Char* name, XML_Encoding* info)
{
    constexpr std::array<std::string_view, 5> kGbkNames {"GBK", "GB2312", "GB18030", "CP936",
                                                         "WINDOWS-936"};
    bool gbk = std::any_of(kGbkNames.begin(), kGbkNames.end(),
                           [&](std::string_view n) { return equalsAsciiCaseBlind(name, n); });
    if (!gbk)
        return XML_STATUS_ERROR;
    for (int b = 0; b < 0x80; ++b)
        info->map[b] = b;
    const report::GbkTable& table = report::GbkTable::instance();
    for (int b = 0x80; b < 0x100; ++b) {
        if (b >= 0x81 && b <= 0xFE) {
            info->map[b] = -2;
        } else {
            char32_t single = table.single(static_cast<unsigned char>(b));
            info->map[b] = single == 0 ? -1 : static_cast<int>(single);
        }
    }
    info->data = nullptr;
    info->convert = convertGbk;
    info->release = nullptr;
    return XML_STATUS_OK;
}

struct ParserFree {
    void operator()(XML_ParserStruct* p) const { XML_ParserFree(p); }
};

class XmlRun {
public:
    XmlRun(XmlHandler& handler, const ReadLimits& limits) : handler_(handler), limits_(limits)
    {
        handler_.setLimits(limits);
        parser_.reset(XML_ParserCreate(nullptr));
        if (!parser_)
            throw std::bad_alloc();
        XML_Parser p = parser_.get();
        XML_SetUserData(p, this);
        XML_SetElementHandler(p, onStart, onEnd);
        XML_SetCharacterDataHandler(p, onText);
        XML_SetCommentHandler(p, onComment);
        XML_SetProcessingInstructionHandler(p, onInstruction);
        XML_SetEntityDeclHandler(p, onEntityDecl);
        XML_SetStartDoctypeDeclHandler(p, onDoctype);
        XML_SetUnknownEncodingHandler(p, unknownEncoding, nullptr);
        // No external DTD or parameter entity is ever read; with no handler
        // of external entity references, none is ever opened either.
        XML_SetParamEntityParsing(p, XML_PARAM_ENTITY_PARSING_NEVER);
    }

    // Hands the next `size` bytes, already in the parser's buffer, on;
    // false once the reading has stopped or failed.
    bool parse(std::size_t size, bool last)
    {
        if (!sawFirstBytes_ && size >= 2) {
            judgeWidth(static_cast<const unsigned char*>(buffer_));
            sawFirstBytes_ = true;
        }
        fed_ += size;
        XML_Status status = XML_ParseBuffer(parser_.get(), static_cast<int>(size), last);
        if (status != XML_STATUS_OK || handler_.failure() || stopped_)
            return false;
        // A token that has not ended after this many bytes (a tag, an
        // attribute value, a comment) would be held whole by the parser.
        if (fed_ - lastEvent_ > limits_.maxTextBytes + kPiece)
            return refuse("a tag, attribute or comment of at most " +
                          std::to_string(limits_.maxTextBytes) + " bytes");
        return true;
    }

    void* buffer(std::size_t size)
    {
        buffer_ = XML_GetBuffer(parser_.get(), static_cast<int>(size));
        if (buffer_ == nullptr)
            throw std::bad_alloc();
        return buffer_;
    }

    ReadOutcome outcome()
    {
        ReadOutcome out;
        if (handler_.failure()) {
            out.parse = handler_.failure();
        } else if (XML_GetErrorCode(parser_.get()) != XML_ERROR_NONE &&
                   XML_GetErrorCode(parser_.get()) != XML_ERROR_ABORTED) {
            out.parse = ParseFailure {here(), expectedAfterError()};
        } else if (!stopped_ && !ended_) {
            handler_.end();
            if (handler_.failure())
                out.parse = handler_.failure();
        }
        return out;
    }

    // Stopped by the sink (not a failure).
    bool stopped() const { return stopped_; }

private:
    static XmlRun& of(void* data) { return *static_cast<XmlRun*>(data); }

    // UTF-16 files: the column counts characters, since a line's bytes
    // cannot be looked back on as bytes of text.
    void judgeWidth(const unsigned char* b)
    {
        wide_ = (b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF) ||
                (b[0] == '<' && b[1] == 0) || (b[0] == 0 && b[1] == '<');
    }

    TextPlace here() const
    {
        XML_Parser p = parser_.get();
        TextPlace place;
        place.line = static_cast<std::int32_t>(XML_GetCurrentLineNumber(p));
        place.column = static_cast<std::int32_t>(XML_GetCurrentColumnNumber(p)) + 1;
        if (wide_)
            return place;
        int offset = 0;
        int size = 0;
        const char* context = XML_GetInputContext(p, &offset, &size);
        if (context == nullptr || offset < 0 || offset > size)
            return place;
        // Bytes back to the line's start, when the kept context reaches it;
        // expat's own column counts characters.
        const std::int32_t characters = place.column;
        int lineStart = -1;
        for (int i = offset - 1; i >= 0; --i) {
            if (context[i] == '\n') {
                lineStart = i + 1;
                break;
            }
        }
        if (lineStart >= 0)
            place.column = offset - lineStart + 1;
        else if (XML_GetCurrentByteIndex(p) == offset)  // the context starts the file
            place.column = offset + 1;
        if (place.column != characters)
            place.characterColumn = characters;
        return place;
    }

    bool refuse(std::string expected)
    {
        handler_.fail(here(), std::move(expected));
        XML_StopParser(parser_.get(), XML_FALSE);
        return false;
    }

    void check(bool goOn)
    {
        if (!goOn) {
            if (!handler_.failure())
                stopped_ = true;
            XML_StopParser(parser_.get(), XML_FALSE);
        }
    }

    std::string expectedAfterError() const
    {
        XML_Error code = XML_GetErrorCode(parser_.get());
        std::string what = XML_ErrorString(code);
        if (code == XML_ERROR_TAG_MISMATCH && !open_.empty())
            return "</" + open_.back() + "> (" + what + ")";
        if (code == XML_ERROR_NO_ELEMENTS && !open_.empty())
            return "</" + open_.back() + "> before the end of the file";
        if (code == XML_ERROR_NO_ELEMENTS)
            return "an element before the end of the file";
        return "well-formed XML (" + what + ")";
    }

    bool halted() const { return stopped_ || handler_.failure().has_value(); }

    static void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes)
    {
        XmlRun& run = of(data);
        if (run.halted())
            return;
        run.lastEvent_ = run.fed_;
        if (run.open_.size() >= run.limits_.maxDepth) {
            run.refuse("elements nested at most " + std::to_string(run.limits_.maxDepth) + " deep");
            return;
        }
        run.open_.emplace_back(name);
        run.check(run.handler_.startElement(name, XmlAttributes(attributes), run.here()));
    }

    static void XMLCALL onEnd(void* data, const XML_Char* name)
    {
        XmlRun& run = of(data);
        if (run.halted())
            return;
        run.lastEvent_ = run.fed_;
        if (!run.open_.empty())
            run.open_.pop_back();
        run.check(run.handler_.endElement(name, run.here()));
        if (run.open_.empty() && !run.stopped_ && !run.handler_.failure()) {
            run.ended_ = true;
            run.check(run.handler_.end());
        }
    }

    static void XMLCALL onText(void* data, const XML_Char* text, int length)
    {
        XmlRun& run = of(data);
        if (run.halted())
            return;
        run.lastEvent_ = run.fed_;
        run.check(run.handler_.text(std::string_view(text, static_cast<std::size_t>(length)),
                                    run.here()));
    }

    static void XMLCALL onComment(void* data, const XML_Char*) { of(data).lastEvent_ = of(data).fed_; }
    static void XMLCALL onInstruction(void* data, const XML_Char*, const XML_Char*)
    {
        of(data).lastEvent_ = of(data).fed_;
    }
    static void XMLCALL onDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int)
    {
        of(data).lastEvent_ = of(data).fed_;
    }

    // Entities declared by the document itself are where entity bombs and
    // references to outside files live; translation files need none.
    static void XMLCALL onEntityDecl(void* data, const XML_Char*, int, const XML_Char*, int,
                                     const XML_Char*, const XML_Char*, const XML_Char*,
                                     const XML_Char*)
    {
        if (!of(data).halted())
            of(data).refuse("no entity declarations in the document type");
    }

    XmlHandler& handler_;
    ReadLimits limits_;
    std::unique_ptr<XML_ParserStruct, ParserFree> parser_;
    void* buffer_ = nullptr;
    std::vector<std::string> open_;  // names of the open elements
    std::uint64_t fed_ = 0;
    std::uint64_t lastEvent_ = 0;
    bool sawFirstBytes_ = false;
    bool wide_ = false;
    bool stopped_ = false;
    bool ended_ = false;
};

template <class Fill>
ReadOutcome run(XmlHandler& handler, const ReadLimits& limits, std::size_t pieceSize, Fill fill)
{
    XmlRun xml(handler, limits);
    for (;;) {
        void* buffer = xml.buffer(pieceSize);
        Error error;
        std::size_t got = fill(static_cast<char*>(buffer), pieceSize, error);
        if (error) {
            ReadOutcome out;
            out.io = std::move(error);
            return out;
        }
        if (!xml.parse(got, got == 0) || got == 0)
            break;
    }
    return xml.outcome();
}

}  // namespace

ReadOutcome readXml(const std::filesystem::path& path, XmlHandler& handler, const ReadLimits& limits)
{
    Error error;
    File file = File::open(path, File::Access::Read, error);
    if (error) {
        ReadOutcome out;
        out.io = std::move(error);
        return out;
    }
    return run(handler, limits, kPiece,
               [&](char* data, std::size_t size, Error& e) { return file.read(data, size, e); });
}

ReadOutcome readXmlBytes(std::string_view bytes, XmlHandler& handler, const ReadLimits& limits,
                         std::size_t pieceSize)
{
    std::size_t at = 0;
    return run(handler, limits, std::max<std::size_t>(pieceSize, 1),
               [&](char* data, std::size_t size, Error&) {
                   std::size_t n = std::min(size, bytes.size() - at);
                   std::memcpy(data, bytes.data() + at, n);
                   at += n;
                   return n;
               });
}

}  // namespace corvel::formats
