// How a dictionary's bytes are read: its encoding, what ends a line, the
// character set its translations must keep to, and its layout.
#pragma once

#include "corvel/run_request.h"

#include <optional>
#include <string_view>

namespace corvel::encoding {

using corvel::Layout;
using corvel::TextEncoding;

// What `--encoding` asks for; Auto is decided from the file (resolveEncoding).
enum class EncodingChoice { Gbk, Gb18030, Utf8, Auto };

// The characters translations must keep to (`--charset`).
enum class Charset { Any, Gb2312 };

struct ReadingOptions {
    EncodingChoice encoding = EncodingChoice::Gbk;
    LineEnds lineEnds = LineEnds::CrLf;
    Charset charset = Charset::Any;
    Layout layout = Layout::LinePairs;
};

// The values of the command-line options, as typed: "gbk", "gb18030",
// "utf-8" (also "utf8"), "auto"; "crlf", "any"; "gb2312".
std::optional<EncodingChoice> parseEncodingChoice(std::string_view text);
std::optional<LineEnds> parseLineEnds(std::string_view text);
std::optional<Charset> parseCharset(std::string_view text);

}  // namespace corvel::encoding
