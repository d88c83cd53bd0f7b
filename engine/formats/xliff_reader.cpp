#include "formats/xliff_reader.h"

#include "formats/text_form.h"
#include "formats/xml_stream.h"
#include "utf8.h"

#include <array>
#include <charconv>
#include <string>
#include <vector>

namespace corvel::formats {

namespace {

enum class Version : std::uint8_t { Unknown, V1, V2 };

// How an inline element is kept in the text.
enum class Inline : std::uint8_t {
    Empty,     // <x id="1"/>: an empty element, kept as one tag
    Code,      // <ph id="1">native code</ph>: one tag, the code left out
    Paired,    // <g id="1">text</g>: both tags, the text between kept
    Content,   // <mrk>text</mrk>: the text only
    Dropped,   // <sm/>, <em/>: nothing
    CodePoint, // <cp hex="0007"/>: the character
};

struct InlineKind {
    std::string_view name;
    Inline kind;
};

constexpr std::array<InlineKind, 9> kInline1 {{
    {"x", Inline::Empty}, {"bx", Inline::Empty}, {"ex", Inline::Empty},
    {"g", Inline::Paired}, {"ph", Inline::Code}, {"bpt", Inline::Code},
    {"ept", Inline::Code}, {"it", Inline::Code}, {"mrk", Inline::Content},
}};
constexpr std::array<InlineKind, 8> kInline2 {{
    {"ph", Inline::Empty}, {"sc", Inline::Empty}, {"ec", Inline::Empty},
    {"pc", Inline::Paired}, {"mrk", Inline::Content}, {"sm", Inline::Dropped},
    {"em", Inline::Dropped}, {"cp", Inline::CodePoint},
}};

template <std::size_t N>
Inline kindOf(const std::array<InlineKind, N>& table, std::string_view name)
{
    for (const InlineKind& k : table)
        if (k.name == name)
            return k.kind;
    return Inline::Content;  // unknown markup: its text counts
}

struct Text {
    std::string text;
    TextPlace place;
    bool placed = false;  // place is that of the first content
    bool present = false;
};

struct Segment {
    std::string id;
    Text source;
    Text target;
    std::optional<std::string> state;
};

EntryState stateOf(Version version, const Segment& segment)
{
    const std::string empty;
    const std::string& state = segment.state ? *segment.state : empty;
    if (!segment.target.present)
        return EntryState::Unfinished;
    if (version == Version::V2) {
        if (state == "initial")
            return EntryState::Unfinished;
    } else {
        if (state == "new" || state == "needs-translation")
            return EntryState::Unfinished;
        if (state.rfind("needs-review-", 0) == 0)
            return EntryState::Fuzzy;
    }
    if (state.empty() && segment.target.text.empty())
        return EntryState::Unfinished;
    return EntryState::Translated;
}

class XliffHandler final : public XmlHandler {
public:
    explicit XliffHandler(EntrySink& sink) : sink_(sink) {}

    bool startElement(std::string_view name, const XmlAttributes& attributes,
                      TextPlace place) override
    {
        ++depth_;
        std::optional<std::string_view> translate = attributes.find("translate");
        bool noTranslate = translate ? *translate == "no" : (!noTranslate_.empty() && noTranslate_.back());
        noTranslate_.push_back(noTranslate);
        std::string_view local = localName(name);
        if (text_ != nullptr)
            return inlineStart(local, attributes, place);
        if (local == "xliff") {
            std::optional<std::string_view> v = attributes.find("version");
            version_ = v && !v->empty() && (*v)[0] == '2' ? Version::V2 : Version::V1;
            return true;
        }
        if (version_ == Version::Unknown)
            return fail(place, "<xliff> as the root element");
        bool v1 = version_ == Version::V1;
        if (local == (v1 ? "trans-unit" : "unit") && unitDepth_ == 0) {
            unitDepth_ = depth_;
            unitId_ = std::string(attributes.find("id").value_or(""));
            unitNoTranslate_ = noTranslate;
            segments_.clear();
            if (v1)
                segments_.emplace_back();  // a 1.2 unit is its one segment
            return true;
        }
        if (!v1 && local == "segment" && unitDepth_ != 0 && depth_ == unitDepth_ + 1) {
            Segment& s = segments_.emplace_back();
            s.id = std::string(attributes.find("id").value_or(""));
            if (auto state = attributes.find("state"))
                s.state = std::string(*state);
            segmentDepth_ = depth_;
            return true;
        }
        if ((local == "source" || local == "target") && !segments_.empty() &&
            depth_ == (v1 ? unitDepth_ : segmentDepth_) + 1 && (v1 || segmentDepth_ != 0)) {
            Segment& s = segments_.back();
            Text& t = local == "source" ? s.source : s.target;
            t = Text {};
            t.present = true;
            t.place = place;
            text_ = &t;
            textDepth_ = depth_;
            if (v1 && local == "target") {
                if (auto state = attributes.find("state"))
                    s.state = std::string(*state);
            }
        }
        return true;
    }

    bool endElement(std::string_view name, TextPlace) override
    {
        std::string_view local = localName(name);
        bool ok = true;
        if (text_ != nullptr) {
            if (depth_ == textDepth_)
                text_ = nullptr;
            else
                ok = inlineEnd(local);
        } else if (depth_ == segmentDepth_) {
            segmentDepth_ = 0;
        } else if (depth_ == unitDepth_) {
            unitDepth_ = 0;
            ok = emitUnit();
        }
        noTranslate_.pop_back();
        --depth_;
        return ok;
    }

    bool text(std::string_view piece, TextPlace place) override
    {
        if (text_ == nullptr || codeDepth_ != 0)
            return true;
        mark(place);
        std::string form;
        appendRuleText(form, piece);
        return append(text_->text, form, place);
    }

private:
    void mark(TextPlace place)
    {
        if (!text_->placed) {
            text_->place = place;
            text_->placed = true;
        }
    }

    bool inlineStart(std::string_view local, const XmlAttributes& attributes, TextPlace place)
    {
        if (codeDepth_ != 0)
            return true;
        Inline kind = version_ == Version::V2 ? kindOf(kInline2, local) : kindOf(kInline1, local);
        switch (kind) {
        case Inline::Empty:
        case Inline::Code:
        case Inline::Paired: {
            mark(place);
            std::string_view idName = local == "ec" && attributes.find("startRef") ? "startRef" : "id";
            std::string tag(1, '<');
            tag.append(local);
            if (auto id = attributes.find(idName))
                tag.append(" ").append(idName).append("=\"").append(*id).append("\"");
            tag += kind == Inline::Paired ? ">" : "/>";
            if (kind == Inline::Code)
                codeDepth_ = depth_;
            return append(text_->text, tag, place);
        }
        case Inline::CodePoint: {
            std::string_view hex = attributes.find("hex").value_or("");
            std::uint32_t code = 0;
            auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), code, 16);
            if (error != std::errc() || end != hex.data() + hex.size() || code > 0x10FFFF ||
                (code >= 0xD800 && code <= 0xDFFF))
                return fail(place, "a code point in hexadecimal in <cp hex=\"...\"/>");
            mark(place);
            std::string character;
            utf8::appendCodePoint(character, code);
            return append(text_->text, character, place);
        }
        case Inline::Content:
        case Inline::Dropped: return true;
        }
        return true;
    }

    bool inlineEnd(std::string_view local)
    {
        if (codeDepth_ != 0) {
            if (depth_ == codeDepth_)
                codeDepth_ = 0;
            return true;
        }
        Inline kind = version_ == Version::V2 ? kindOf(kInline2, local) : kindOf(kInline1, local);
        if (kind == Inline::Paired)
            return append(text_->text, std::string("</").append(local).append(">"), TextPlace {});
        return true;
    }

    bool emitUnit()
    {
        int number = 0;
        for (Segment& s : segments_) {
            ++number;
            Entry entry;
            entry.key = unitId_;
            if (segments_.size() > 1)
                entry.key.append("#").append(s.id.empty() ? std::to_string(number) : s.id);
            entry.state = unitNoTranslate_ ? EntryState::NotTranslatable : stateOf(version_, s);
            entry.source = std::move(s.source.text);
            entry.sourcePlace = s.source.place;
            entry.target = std::move(s.target.text);
            entry.targetPlace = s.target.present ? s.target.place : TextPlace {};
            if (!sink_.entry(std::move(entry)))
                return false;
        }
        segments_.clear();
        return true;
    }

    EntrySink& sink_;
    Version version_ = Version::Unknown;
    std::size_t depth_ = 0;
    std::vector<bool> noTranslate_;  // translate="no" in force, by depth
    std::size_t unitDepth_ = 0;      // 0: outside a unit
    std::size_t segmentDepth_ = 0;
    std::string unitId_;
    bool unitNoTranslate_ = false;
    std::vector<Segment> segments_;
    Text* text_ = nullptr;  // the source or target being read
    std::size_t textDepth_ = 0;
    std::size_t codeDepth_ = 0;  // inside a native code left out
};

}  // namespace

ReadOutcome readXliff(const std::filesystem::path& path, EntrySink& sink)
{
    XliffHandler handler(sink);
    return readXml(path, handler);
}

ReadOutcome readXliffBytes(std::string_view bytes, EntrySink& sink, const ReadLimits& limits,
                           std::size_t pieceSize)
{
    XliffHandler handler(sink);
    return readXmlBytes(bytes, handler, limits, pieceSize);
}

}  // namespace corvel::formats
