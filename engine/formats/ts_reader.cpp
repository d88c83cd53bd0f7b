#include "formats/ts_reader.h"

#include "formats/text_form.h"
#include "formats/xml_stream.h"

#include <string>
#include <vector>

namespace corvel::formats {

namespace {

struct Text {
    std::string text;  // as read: line breaks still characters
    TextPlace place;
    bool placed = false;
};

class TsHandler final : public XmlHandler {
public:
    explicit TsHandler(EntrySink& sink) : sink_(sink) {}

    bool startElement(std::string_view name, const XmlAttributes& attributes,
                      TextPlace place) override
    {
        ++depth_;
        if (depth_ == 1) {
            if (name != "TS")
                return fail(place, "<TS> as the root element");
            return true;
        }
        if (name == "context" && depth_ == 2) {
            context_.clear();
            return true;
        }
        if (name == "name" && depth_ == 3) {
            text_ = &contextName_;
            contextName_ = Text {};
            return true;
        }
        if (name == "message" && depth_ == 3) {
            inMessage_ = true;
            source_ = Text {};
            forms_.clear();
            state_ = EntryState::Translated;
            hasTranslation_ = false;
            return true;
        }
        if (!inMessage_)
            return true;
        if (name == "source" && depth_ == 4) {
            text_ = &source_;
        } else if (name == "translation" && depth_ == 4) {
            hasTranslation_ = true;
            const std::string_view type = attributes.find("type").value_or("");
            if (type == "unfinished")
                state_ = EntryState::Unfinished;
            else if (type == "vanished" || type == "obsolete")
                state_ = EntryState::Obsolete;
            forms_.emplace_back();
            forms_.back().place = place;
            text_ = &forms_.back();
            translationDepth_ = depth_;
        } else if ((name == "numerusform" || name == "lengthvariant") &&
                   depth_ == translationDepth_ + 1 && hasTranslation_) {
            // The translation's own text gives way to its forms; of length
            // variants only the first is weighed.
            if (name == "lengthvariant" && variants_++ > 0) {
                text_ = nullptr;
                return true;
            }
            if (forms_.size() == 1 && forms_.front().text.find_first_not_of(" \t\r\n") ==
                                          std::string::npos && !numerusStarted_)
                forms_.clear();
            numerusStarted_ = true;
            forms_.emplace_back();
            forms_.back().place = place;
            text_ = &forms_.back();
        } else {
            text_ = nullptr;  // comments, locations and the like
        }
        return true;
    }

    bool endElement(std::string_view name, TextPlace) override
    {
        --depth_;
        if (name == "name" && depth_ == 2) {
            context_ = contextName_.text;
            text_ = nullptr;
        } else if (name == "message" && depth_ == 2 && inMessage_) {
            inMessage_ = false;
            return emit();
        } else if (name == "translation" && depth_ == 3) {
            text_ = nullptr;
            translationDepth_ = 0;
            numerusStarted_ = false;
            variants_ = 0;
        } else if (depth_ < 4 || name == "numerusform" || name == "lengthvariant") {
            // Back in the translation: text between forms is layout.
            text_ = nullptr;
        }
        return true;
    }

    bool text(std::string_view piece, TextPlace place) override
    {
        if (text_ == nullptr)
            return true;
        if (!text_->placed && piece.find_first_not_of(" \t\r\n") != std::string_view::npos) {
            text_->place = place;
            text_->placed = true;
        }
        return append(text_->text, piece, place);
    }

private:
    bool emit()
    {
        std::string source;
        appendRuleText(source, source_.text);
        std::string key;
        appendRuleText(key, context_);
        key += "::";
        key += source;
        if (forms_.empty())
            forms_.emplace_back();  // a message without a translation: untranslated
        for (std::size_t n = 0; n < forms_.size(); ++n) {
            Entry entry;
            entry.key = key;
            entry.source = source;
            appendRuleText(entry.target, forms_[n].text);
            entry.sourcePlace = source_.place;
            entry.targetPlace = forms_[n].place;
            entry.state = hasTranslation_ ? state_ : EntryState::Unfinished;
            entry.pluralForm = static_cast<std::int32_t>(n);
            if (!sink_.entry(std::move(entry)))
                return false;
        }
        return true;
    }

    EntrySink& sink_;
    int depth_ = 0;
    std::string context_;
    Text contextName_;
    bool inMessage_ = false;
    Text source_;
    std::vector<Text> forms_;
    EntryState state_ = EntryState::Translated;
    bool hasTranslation_ = false;
    bool numerusStarted_ = false;
    int translationDepth_ = 0;
    int variants_ = 0;
    Text* text_ = nullptr;
};

}  // namespace

ReadOutcome readTs(const std::filesystem::path& path, EntrySink& sink)
{
    TsHandler handler(sink);
    return readXml(path, handler);
}

ReadOutcome readTsBytes(std::string_view bytes, EntrySink& sink, const ReadLimits& limits)
{
    TsHandler handler(sink);
    return readXmlBytes(bytes, handler, limits);
}

}  // namespace corvel::formats
