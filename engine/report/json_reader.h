// A small pull reader of JSON text, enough to read back our own reports
// (the baseline): it hands out one token at a time and keeps only the
// current one, so a large report is never held whole.
#pragma once

#include "platform.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace corvel::report {

class JsonReader {
public:
    enum class Token {
        BeginObject, EndObject, BeginArray, EndArray,
        Key, String, Number, True, False, Null,
        End,    // after the one top-level value
        Error,  // see error(); every later call returns Error too
    };

    explicit JsonReader(File file);
    explicit JsonReader(std::string text);

    Token next();
    // The text of the latest Key or String (unescaped, UTF-8) or Number.
    const std::string& text() const { return text_; }
    // While on, a String value is not held: text() is empty after it and
    // digest() is its textFingerprint(), so a string of any length costs
    // no memory. Keys are always held.
    void digestStrings(bool on) { digestStrings_ = on; }
    std::uint64_t digest() const { return digest_; }
    // Skips the rest of a value whose first token was `first`.
    Token skipValue(Token first);
    // What was wrong and at which byte (empty while nothing is).
    const std::string& error() const { return error_; }
    // Whether that was the text's fault, not a failed read of its file.
    bool syntaxError() const { return syntaxError_; }

private:
    enum class Expect { Value, ValueOrEnd, KeyOrEnd, Key, Colon, CommaOrEnd, Nothing };

    int peek();  // the next byte, or -1 at the end of the input
    int take();
    void skipSpace();
    Token fail(const std::string& what);
    bool reject(const std::string& what);  // fail() for the readers of one value
    Token value(int c);
    Token afterValue(Token token);
    Token closeContainer(char bracket);
    bool readString(bool digested = false);
    bool readHex4(std::uint32_t& value);
    bool readNumber();
    bool readWord(const char* word);

    bool syntaxError_ = false;
    File file_;
    std::string buffer_;
    std::size_t pos_ = 0;
    std::uint64_t consumed_ = 0;  // bytes before buffer_
    std::vector<char> stack_;     // '{' or '[' of the open containers
    Expect expect_ = Expect::Value;
    std::string text_;
    std::string error_;
    bool digestStrings_ = false;
    std::uint64_t digest_ = 0;
};

}  // namespace corvel::report
