#include "formats/json_stream.h"

#include "platform.h"

#include <nlohmann/json.hpp>

#include <iterator>
#include <vector>

namespace corvel::formats {

bool JsonHandler::fail(std::string expected)
{
    if (!failure_)
        failure_ = ParseFailure {place_, std::move(expected)};
    return false;
}

namespace {

constexpr std::size_t kPiece = 64 * 1024;

// The bytes of the document, from a file in pieces or from memory, with the
// place of each byte and of the latest string's first byte. A string or
// number longer than the limit ends the input early, so that the parser
// never holds it.
class JsonInput {
public:
    JsonInput(File* file, std::string_view bytes, std::size_t maxToken)
        : file_(file), data_(bytes.data()), end_(bytes.size()), maxToken_(maxToken)
    {
        if (file_ != nullptr) {
            buffer_.resize(kPiece);
            data_ = buffer_.data();
            end_ = 0;
        }
    }

    bool atEnd()
    {
        if (pos_ < end_)
            return tooLong_;
        if (file_ == nullptr || ended_)
            return sawEnd_ = true;
        pos_ = 0;
        end_ = file_->read(buffer_.data(), buffer_.size(), error_);
        if (error_ || end_ == 0) {
            end_ = 0;
            ended_ = true;
            return sawEnd_ = true;
        }
        return tooLong_;
    }

    char peek() const { return data_[pos_]; }

    void advance()
    {
        previous_ = here();
        char c = data_[pos_++];
        if (inString_) {
            ++run_;
            if (escaped_)
                escaped_ = false;
            else if (c == '\\')
                escaped_ = true;
            else if (c == '"')
                inString_ = false;
        } else if (c == '"') {
            inString_ = true;
            stringStart_ = place(column_ + 1, characters_ + 1);
            run_ = 0;
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',' || c == ':' ||
                   c == '[' || c == ']' || c == '{' || c == '}') {
            run_ = 0;
        } else {
            ++run_;
        }
        if (run_ > maxToken_)
            tooLong_ = true;
        if (c == '\n') {
            ++line_;
            column_ = 1;
            characters_ = 1;
        } else {
            ++column_;
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
                ++characters_;
        }
    }

    TextPlace here() const { return place(column_, characters_); }
    TextPlace stringStart() const { return stringStart_; }
    // The place of the latest byte read.
    TextPlace previous() const { return previous_; }
    bool tooLong() const { return tooLong_; }
    // Whether the parser has looked past the last byte.
    bool sawEnd() const { return sawEnd_; }

    TextPlace place(std::int32_t column, std::int32_t characters) const
    {
        TextPlace p {line_, column};
        if (characters != column)
            p.characterColumn = characters;
        return p;
    }
    Error& error() { return error_; }

private:
    File* file_;
    std::vector<char> buffer_;
    const char* data_;
    std::size_t pos_ = 0;
    std::size_t end_;
    std::size_t maxToken_;
    std::size_t run_ = 0;
    std::int32_t line_ = 1;
    std::int32_t column_ = 1;
    std::int32_t characters_ = 1;  // the same column counted in characters
    TextPlace stringStart_;
    TextPlace previous_;
    bool inString_ = false;
    bool escaped_ = false;
    bool tooLong_ = false;
    bool ended_ = false;
    bool sawEnd_ = false;
    Error error_;
};

// What the parser reads through: an input iterator over JsonInput.
class JsonInputIterator {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = char;

    JsonInputIterator() = default;
    explicit JsonInputIterator(JsonInput* input) : input_(input) {}

    char operator*() const { return input_->peek(); }
    JsonInputIterator& operator++()
    {
        input_->advance();
        return *this;
    }
    JsonInputIterator operator++(int)
    {
        JsonInputIterator before = *this;
        input_->advance();
        return before;
    }
    bool operator==(const JsonInputIterator& other) const { return done() == other.done(); }
    bool operator!=(const JsonInputIterator& other) const { return !(*this == other); }

private:
    bool done() const { return input_ == nullptr || input_->atEnd(); }

    JsonInput* input_ = nullptr;
};

}  // namespace

// The parser's events, handed on to the handler with the depth bounded.
class JsonRun {
public:
    using json = nlohmann::json;

    JsonRun(JsonHandler& handler, JsonInput& input, const ReadLimits& limits)
        : handler_(handler), input_(input), limits_(limits)
    {
    }

    bool null() { return scalar(JsonScalar::Null, {}); }
    bool boolean(bool value) { return scalar(value ? JsonScalar::True : JsonScalar::False, {}); }
    bool number_integer(json::number_integer_t value)
    {
        return scalar(JsonScalar::Number, std::to_string(value));
    }
    bool number_unsigned(json::number_unsigned_t value)
    {
        return scalar(JsonScalar::Number, std::to_string(value));
    }
    bool number_float(json::number_float_t, const json::string_t& text)
    {
        return scalar(JsonScalar::Number, text);
    }
    bool string(json::string_t& text)
    {
        at();
        return handler_.string(std::move(text), input_.stringStart());
    }
    bool binary(json::binary_t&) { return true; }
    bool start_object(std::size_t)
    {
        return deeper() && handler_.beginObject();
    }
    bool key(json::string_t& name)
    {
        at();
        return handler_.key(std::move(name));
    }
    bool end_object()
    {
        at();
        --depth_;
        return handler_.endObject();
    }
    bool start_array(std::size_t) { return deeper() && handler_.beginArray(); }
    bool end_array()
    {
        at();
        --depth_;
        return handler_.endArray();
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& failure)
    {
        // The byte that broke the document, or the end where it was cut short.
        handler_.place_ = input_.sawEnd() && !input_.tooLong() ? input_.here() : input_.previous();
        if (input_.tooLong())
            return handler_.fail("a string or number of at most " +
                                 std::to_string(limits_.maxTextBytes) + " bytes");
        return handler_.fail(expectedFrom(failure.what()));
    }

private:
    void at() { handler_.place_ = input_.here(); }

    bool scalar(JsonScalar kind, std::string_view number)
    {
        at();
        return handler_.scalar(kind, number);
    }

    bool deeper()
    {
        handler_.place_ = input_.previous();  // the bracket
        if (++depth_ > limits_.maxDepth)
            return handler_.fail("objects and arrays nested at most " +
                                 std::to_string(limits_.maxDepth) + " deep");
        return true;
    }

    // "[json.exception.parse_error.101] parse error at line 1, column 4:
    // syntax error while parsing value - invalid literal; last read: 'tru';
    // expected ']'" gives "']' (invalid literal; last read: 'tru')".
    static std::string expectedFrom(std::string_view message)
    {
        std::size_t dash = message.find(" - ");
        std::string problem(dash == std::string_view::npos ? message : message.substr(dash + 3));
        // The token last read is quoted whole: a long one is cut short.
        constexpr std::string_view kLastRead = "last read: '";
        constexpr std::size_t kShown = 32;
        if (std::size_t at = problem.find(kLastRead); at != std::string::npos) {
            std::size_t start = at + kLastRead.size();
            std::size_t close = problem.find('\'', start);
            while (close != std::string::npos && close + 1 < problem.size() && problem[close + 1] != ';')
                close = problem.find('\'', close + 1);
            if (close != std::string::npos && close - start > kShown) {
                std::size_t cut = start + kShown;
                while (cut > start && (static_cast<unsigned char>(problem[cut]) & 0xC0) == 0x80)
                    --cut;
                problem.replace(cut, close - cut, "...");
            }
        }
        std::size_t expected = problem.find("; expected ");
        if (expected == std::string::npos)
            return "well-formed JSON (" + problem + ")";
        return problem.substr(expected + 11) + " (" + problem.substr(0, expected) + ")";
    }

    JsonHandler& handler_;
    JsonInput& input_;
    ReadLimits limits_;
    std::size_t depth_ = 0;
};

namespace {

ReadOutcome runJson(JsonInput& input, JsonHandler& handler, const ReadLimits& limits,
                    const std::string& name)
{
    JsonRun run(handler, input, limits);
    ReadOutcome out;
    try {
        nlohmann::json::sax_parse(JsonInputIterator(&input), JsonInputIterator(), &run);
    } catch (const std::exception& failure) {
        // The parser reports its findings as events; what is thrown is a
        // failure of memory.
        out.io = Error::fromException(failure, name);
        return out;
    }
    if (input.error()) {
        out.io = std::move(input.error());
        return out;
    }
    out.parse = handler.failure();
    return out;
}

}  // namespace

ReadOutcome readJson(const std::filesystem::path& path, JsonHandler& handler, const ReadLimits& limits)
{
    Error error;
    File file = File::open(path, File::Access::Read, error);
    if (error) {
        ReadOutcome out;
        out.io = std::move(error);
        return out;
    }
    JsonInput input(&file, {}, limits.maxTextBytes);
    return runJson(input, handler, limits, displayPath(path));
}

ReadOutcome readJsonBytes(std::string_view bytes, JsonHandler& handler, const ReadLimits& limits)
{
    JsonInput input(nullptr, bytes, limits.maxTextBytes);
    return runJson(input, handler, limits, {});
}

}  // namespace corvel::formats
