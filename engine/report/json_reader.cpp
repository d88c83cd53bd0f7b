#include "json_reader.h"

#include "corvel/report/text_decoder.h"
#include "text_hash.h"
#include "utf8.h"

namespace corvel::report {

namespace {
constexpr std::size_t kChunk = 64 * 1024;
}

JsonReader::JsonReader(File file) : file_(std::move(file)) {}

JsonReader::JsonReader(std::string text) : buffer_(std::move(text)) {}

int JsonReader::peek()
{
    if (pos_ == buffer_.size()) {
        if (!file_.isOpen())
            return -1;
        consumed_ += buffer_.size();
        buffer_.resize(kChunk);
        Error error;
        std::size_t n = file_.read(buffer_.data(), kChunk, error);
        buffer_.resize(n);
        pos_ = 0;
        if (error)
            error_ = error.describe();
        if (n == 0) {
            (void)file_.close();
            return -1;
        }
    }
    return static_cast<unsigned char>(buffer_[pos_]);
}

int JsonReader::take()
{
    int c = peek();
    if (c >= 0)
        ++pos_;
    return c;
}

void JsonReader::skipSpace()
{
    for (int c = peek(); c == ' ' || c == '\t' || c == '\n' || c == '\r'; c = peek())
        ++pos_;
}

JsonReader::Token JsonReader::fail(const std::string& what)
{
    if (error_.empty()) {
        error_ = what + " at byte " + std::to_string(consumed_ + pos_);
        syntaxError_ = true;
    }
    expect_ = Expect::Nothing;
    return Token::Error;
}

bool JsonReader::reject(const std::string& what)
{
    fail(what);
    return false;
}

JsonReader::Token JsonReader::next()
{
    if (!error_.empty())
        return Token::Error;
    skipSpace();
    int c = peek();
    switch (expect_) {
    case Expect::Nothing:
        return c < 0 ? Token::End : fail("text after the end");
    case Expect::Colon:
        if (c != ':')
            return fail("\":\" expected");
        take();
        expect_ = Expect::Value;
        return next();
    case Expect::CommaOrEnd:
        if (c == '}' || c == ']')
            return closeContainer(static_cast<char>(c));
        if (c != ',')
            return fail("\",\" expected");
        take();
        expect_ = stack_.back() == '{' ? Expect::Key : Expect::Value;
        return next();
    case Expect::KeyOrEnd:
        if (c == '}')
            return closeContainer('}');
        [[fallthrough]];
    case Expect::Key:
        if (c != '"')
            return fail("a key expected");
        take();
        if (!readString())
            return Token::Error;
        expect_ = Expect::Colon;
        return Token::Key;
    case Expect::ValueOrEnd:
        if (c == ']')
            return closeContainer(']');
        [[fallthrough]];
    case Expect::Value:
        return value(c);
    }
    return fail("bad state");
}

JsonReader::Token JsonReader::value(int c)
{
    switch (c) {
    case '{':
        take();
        stack_.push_back('{');
        expect_ = Expect::KeyOrEnd;
        return Token::BeginObject;
    case '[':
        take();
        stack_.push_back('[');
        expect_ = Expect::ValueOrEnd;
        return Token::BeginArray;
    case '"':
        take();
        return readString(digestStrings_) ? afterValue(Token::String) : Token::Error;
    case 't': return readWord("true") ? afterValue(Token::True) : Token::Error;
    case 'f': return readWord("false") ? afterValue(Token::False) : Token::Error;
    case 'n': return readWord("null") ? afterValue(Token::Null) : Token::Error;
    default:
        if (c == '-' || (c >= '0' && c <= '9'))
            return readNumber() ? afterValue(Token::Number) : Token::Error;
        return fail(c < 0 ? "unexpected end" : "a value expected");
    }
}

JsonReader::Token JsonReader::afterValue(Token token)
{
    expect_ = stack_.empty() ? Expect::Nothing : Expect::CommaOrEnd;
    return token;
}

JsonReader::Token JsonReader::closeContainer(char bracket)
{
    char open = bracket == '}' ? '{' : '[';
    if (stack_.empty() || stack_.back() != open)
        return fail(std::string("unexpected \"") + bracket + "\"");
    take();
    stack_.pop_back();
    return afterValue(bracket == '}' ? Token::EndObject : Token::EndArray);
}

bool JsonReader::readHex4(std::uint32_t& value)
{
    value = 0;
    for (int i = 0; i < 4; ++i) {
        int c = take();
        int digit = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : -1;
        if (digit < 0)
            return false;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return true;
}

// After the opening quote; leaves the unescaped text in text_.
bool JsonReader::readString(bool digested)
{
    // A digested string passes through text_ in pieces of about this size.
    constexpr std::size_t kPiece = 4096;
    text_.clear();
    TextFingerprint digest;
    for (;;) {
        if (digested && text_.size() >= kPiece) {
            digest.add(text_);
            text_.clear();
        }
        int c = take();
        if (c < 0)
            return reject("unterminated string");
        if (c == '"') {
            if (digested) {
                digest.add(text_);
                text_.clear();
                digest_ = digest.value();
            }
            return true;
        }
        if (c < 0x20)
            return reject("control character in a string");
        if (c != '\\') {
            text_ += static_cast<char>(c);
            continue;
        }
        int e = take();
        switch (e) {
        case '"': text_ += '"'; break;
        case '\\': text_ += '\\'; break;
        case '/': text_ += '/'; break;
        case 'b': text_ += '\b'; break;
        case 'f': text_ += '\f'; break;
        case 'n': text_ += '\n'; break;
        case 'r': text_ += '\r'; break;
        case 't': text_ += '\t'; break;
        case 'u': {
            std::uint32_t code = 0;
            if (!readHex4(code))
                return reject("bad \\u escape");
            if (code >= 0xD800 && code <= 0xDBFF) {
                std::uint32_t low = 0;
                if (take() != '\\' || take() != 'u' || !readHex4(low) || low < 0xDC00 ||
                    low > 0xDFFF)
                    return reject("unpaired surrogate");
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            } else if (code >= 0xDC00 && code <= 0xDFFF) {
                return reject("unpaired surrogate");
            }
            utf8::appendCodePoint(text_, code);
            break;
        }
        default: return reject("bad escape");
        }
    }
}

bool JsonReader::readNumber()
{
    text_.clear();
    auto digits = [&] {
        std::size_t n = 0;
        for (int c = peek(); c >= '0' && c <= '9'; c = peek(), ++n)
            text_ += static_cast<char>(take());
        return n;
    };
    if (peek() == '-')
        text_ += static_cast<char>(take());
    if (peek() == '0')
        text_ += static_cast<char>(take());
    else if (digits() == 0)
        return reject("bad number");
    if (peek() == '.') {
        text_ += static_cast<char>(take());
        if (digits() == 0)
            return reject("bad number");
    }
    if (peek() == 'e' || peek() == 'E') {
        text_ += static_cast<char>(take());
        if (peek() == '+' || peek() == '-')
            text_ += static_cast<char>(take());
        if (digits() == 0)
            return reject("bad number");
    }
    return true;
}

bool JsonReader::readWord(const char* word)
{
    for (const char* p = word; *p != '\0'; ++p)
        if (take() != *p)
            return reject(std::string("bad literal, ") + word + " expected");
    return true;
}

JsonReader::Token JsonReader::skipValue(Token first)
{
    if (first != Token::BeginObject && first != Token::BeginArray)
        return first;
    std::size_t depth = 1;
    while (depth > 0) {
        Token t = next();
        if (t == Token::Error || t == Token::End)
            return Token::Error;
        if (t == Token::BeginObject || t == Token::BeginArray)
            ++depth;
        else if (t == Token::EndObject || t == Token::EndArray)
            --depth;
    }
    return first == Token::BeginObject ? Token::EndObject : Token::EndArray;
}

}  // namespace corvel::report
