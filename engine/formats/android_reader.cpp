#include "formats/android_reader.h"

#include "formats/text_form.h"
#include "formats/xml_stream.h"
#include "utf8.h"

#include <charconv>
#include <string>
#include <vector>

namespace corvel::formats {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// A text as the file holds it: pieces of character data, and markup kept
// whole between them.
struct RawPiece {
    bool markup;
    std::string bytes;
};

// Android's reading of a text: escapes, quotes and whitespace.
class Unescaper {
public:
    // False with `expected` set for a broken \u escape.
    bool run(const std::vector<RawPiece>& pieces, std::string& out, std::string& expected)
    {
        for (const RawPiece& piece : pieces) {
            if (piece.markup) {
                put(out, piece.bytes);
                continue;
            }
            const std::string& s = piece.bytes;
            for (std::size_t i = 0; i < s.size(); ++i) {
                char c = s[i];
                if (c == '\\' && i + 1 < s.size()) {
                    char e = s[++i];
                    switch (e) {
                    case 'n': put(out, "\\n"); break;
                    case 't': put(out, "\\t"); break;
                    case 'u': {
                        std::uint32_t code = 0;
                        const char* begin = s.data() + i + 1;
                        auto [end, error] = std::from_chars(begin, begin + std::min<std::size_t>(4, s.size() - i - 1),
                                                            code, 16);
                        if (error != std::errc() || end != begin + 4) {
                            expected = "four hexadecimal digits after \\u";
                            return false;
                        }
                        i += 4;
                        // A surrogate pair written as two escapes is one character.
                        if (code >= 0xD800 && code <= 0xDBFF && i + 6 < s.size() &&
                            s[i + 1] == '\\' && s[i + 2] == 'u') {
                            std::uint32_t low = 0;
                            const char* at = s.data() + i + 3;
                            auto [lowEnd, lowError] = std::from_chars(at, at + 4, low, 16);
                            if (lowError == std::errc() && lowEnd == at + 4 && low >= 0xDC00 &&
                                low <= 0xDFFF) {
                                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                                i += 6;
                            }
                        }
                        if (code >= 0xD800 && code <= 0xDFFF)
                            code = 0xFFFD;  // half a pair
                        std::string character;
                        utf8::appendCodePoint(character, code);
                        std::string form;
                        appendRuleText(form, character);
                        put(out, form);
                        break;
                    }
                    default: put(out, std::string(1, e));  // \' \" \\ \@ \? and any other
                    }
                } else if (c == '\\') {
                    continue;  // a lone backslash at the end: nothing to escape
                } else if (c == '"') {
                    quoted_ = !quoted_;
                } else if (!quoted_ && isSpace(c)) {
                    pendingSpace_ = true;
                } else if (c == '\n' || c == '\t' || c == '\r') {
                    std::string form;
                    appendRuleText(form, std::string_view(&c, 1));
                    put(out, form);
                } else {
                    put(out, std::string_view(&c, 1));
                }
            }
        }
        return true;
    }

private:
    void put(std::string& out, std::string_view bytes)
    {
        if (pendingSpace_ && !out.empty())
            out += ' ';
        pendingSpace_ = false;
        out.append(bytes);
    }

    bool quoted_ = false;
    bool pendingSpace_ = false;
};

// Where the first byte that is not whitespace lies, from the place of the
// piece that holds it.
TextPlace firstVisible(std::string_view piece, TextPlace place)
{
    for (char c : piece) {
        if (!isSpace(c))
            break;
        if (c == '\n') {
            ++place.line;
            place.column = 1;
        } else if (place.column != 0) {
            ++place.column;
        }
    }
    return place;
}

class AndroidHandler final : public XmlHandler {
public:
    explicit AndroidHandler(EntrySink& sink) : sink_(sink) {}

    bool startElement(std::string_view name, const XmlAttributes& attributes,
                      TextPlace place) override
    {
        ++depth_;
        if (depth_ == 1)
            return name == "resources" || fail(place, "<resources> as the root element");
        if (capturing_) {
            std::string_view local = localName(name);
            if (name.find(':') != std::string_view::npos || local == "annotation")
                return true;  // <xliff:g>, <annotation>: their text only
            std::string tag(1, '<');
            tag.append(name);
            attributes.forEach([&](std::string_view n, std::string_view v) {
                tag.append(" ").append(n).append("=\"").append(v).append("\"");
            });
            tag += '>';
            return markup(tag, place);
        }
        if (depth_ == 2) {
            group_ = Group::None;
            std::string_view local = localName(name);
            std::optional<std::string_view> key = attributes.find("name");
            std::optional<std::string_view> translatable = attributes.find("translatable");
            groupNotTranslatable_ = translatable && *translatable == "false";
            if (key)
                name_ = std::string(*key);
            if (local == "string" && key)
                begin(name_, place);
            else if (local == "plurals" && key)
                group_ = Group::Plurals;
            else if (local == "string-array" && key)
                group_ = Group::Array;
            index_ = 0;
            return true;
        }
        if (depth_ == 3 && group_ != Group::None && localName(name) == "item") {
            if (group_ == Group::Plurals) {
                std::string quantity(attributes.find("quantity").value_or(""));
                begin(name_ + "#" + quantity, place);
                current_.pluralForm = index_++;
            } else {
                begin(name_ + "[" + std::to_string(index_++) + "]", place);
            }
        }
        return true;
    }

    bool endElement(std::string_view name, TextPlace place) override
    {
        bool ok = true;
        if (capturing_ && depth_ == captureDepth_)
            ok = finish(place);
        else if (capturing_ && name.find(':') == std::string_view::npos &&
                 localName(name) != "annotation")
            ok = markup(std::string("</").append(name).append(">"), place);
        --depth_;
        return ok;
    }

    bool text(std::string_view piece, TextPlace place) override
    {
        if (!capturing_)
            return true;
        if (!placed_ && piece.find_first_not_of(" \t\r\n") != std::string_view::npos) {
            current_.targetPlace = firstVisible(piece, place);
            placed_ = true;
        }
        size_ += piece.size();
        if (size_ > limits().maxTextBytes)
            return fail(place, "a text of at most " + std::to_string(limits().maxTextBytes) + " bytes");
        if (raw_.empty() || raw_.back().markup)
            raw_.push_back(RawPiece {false, {}});
        raw_.back().bytes.append(piece);
        return true;
    }

private:
    enum class Group : std::uint8_t { None, Plurals, Array };

    void begin(std::string key, TextPlace place)
    {
        current_ = Entry {};
        current_.key = std::move(key);
        current_.targetPlace = place;
        current_.state = groupNotTranslatable_ ? EntryState::NotTranslatable : EntryState::Translated;
        raw_.clear();
        size_ = 0;
        placed_ = false;
        capturing_ = true;
        captureDepth_ = depth_;
    }

    bool markup(std::string tag, TextPlace place)
    {
        if (!placed_) {
            current_.targetPlace = place;
            placed_ = true;
        }
        size_ += tag.size();
        if (size_ > limits().maxTextBytes)
            return fail(place, "a text of at most " + std::to_string(limits().maxTextBytes) + " bytes");
        raw_.push_back(RawPiece {true, std::move(tag)});
        return true;
    }

    bool finish(TextPlace place)
    {
        capturing_ = false;
        Unescaper unescaper;
        std::string expected;
        if (!unescaper.run(raw_, current_.target, expected))
            return fail(current_.targetPlace.line != 0 ? current_.targetPlace : place, expected);
        raw_.clear();
        return sink_.entry(std::move(current_));
    }

    EntrySink& sink_;
    std::size_t depth_ = 0;
    Group group_ = Group::None;
    bool groupNotTranslatable_ = false;
    std::string name_;
    std::int32_t index_ = 0;
    bool capturing_ = false;
    std::size_t captureDepth_ = 0;
    bool placed_ = false;
    std::size_t size_ = 0;
    std::vector<RawPiece> raw_;
    Entry current_;
};

}  // namespace

ReadOutcome readAndroidStrings(const std::filesystem::path& path, EntrySink& sink)
{
    AndroidHandler handler(sink);
    return readXml(path, handler);
}

ReadOutcome readAndroidStringsBytes(std::string_view bytes, EntrySink& sink,
                                    const ReadLimits& limits, std::size_t pieceSize)
{
    AndroidHandler handler(sink);
    return readXmlBytes(bytes, handler, limits, pieceSize);
}

}  // namespace corvel::formats
