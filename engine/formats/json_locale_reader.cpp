#include "formats/json_locale_reader.h"

#include "formats/json_stream.h"
#include "formats/text_form.h"

#include <string>
#include <vector>

namespace corvel::formats {

namespace {

class LocaleHandler final : public JsonHandler {
public:
    explicit LocaleHandler(EntrySink& sink) : sink_(sink) {}

    bool beginObject() override { return open(false); }
    bool beginArray() override { return open(true); }
    bool endObject() override { return close(); }
    bool endArray() override { return close(); }

    bool key(std::string&& name) override
    {
        path_.resize(frames_.back().base);
        if (!path_.empty())
            path_ += '.';
        path_ += name;
        return true;
    }

    bool string(std::string&& text, TextPlace place) override
    {
        valuePath();
        Entry entry;
        entry.key = path_;
        appendRuleText(entry.target, text);
        entry.targetPlace = place;
        return sink_.entry(std::move(entry));
    }

    bool scalar(JsonScalar, std::string_view) override
    {
        valuePath();
        return true;
    }

private:
    struct Frame {
        std::size_t base;  // length of the container's own path
        bool array;
        std::size_t next = 0;  // index of the next array item
    };

    // Inside an array a value's path is the array's path and its index;
    // inside an object, key() has set it.
    void valuePath()
    {
        if (frames_.empty() || !frames_.back().array)
            return;
        Frame& frame = frames_.back();
        path_.resize(frame.base);
        path_ += '[';
        path_ += std::to_string(frame.next++);
        path_ += ']';
    }

    bool open(bool array)
    {
        valuePath();
        frames_.push_back(Frame {path_.size(), array});
        return true;
    }

    bool close()
    {
        frames_.pop_back();
        return true;
    }

    EntrySink& sink_;
    std::vector<Frame> frames_;
    std::string path_;
};

}  // namespace

ReadOutcome readJsonLocale(const std::filesystem::path& path, EntrySink& sink)
{
    LocaleHandler handler(sink);
    return readJson(path, handler);
}

ReadOutcome readJsonLocaleBytes(std::string_view bytes, EntrySink& sink, const ReadLimits& limits)
{
    LocaleHandler handler(sink);
    return readJsonBytes(bytes, handler, limits);
}

}  // namespace corvel::formats
