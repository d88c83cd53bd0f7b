// The encoding and line-end findings of a dictionary on its own: what the
// file is (from its first bytes, and a UTF-8 scan as far as needed), then
// one pass over its bytes. The scan notes what it finds; the report's
// analysis (corvel/report/analysis.h) turns the notes into findings, in
// the pass that reads the dictionary anyway.
#pragma once

#include "corvel/error.h"
#include "corvel/file_kind.h"
#include "corvel/reading_options.h"
#include "corvel/report/rule_id.h"

#include <cstdint>
#include <filesystem>

namespace corvel::encoding {

// How a dictionary is read and what it is, for the encoding rules.
struct ScanSettings {
    TextEncoding encoding = TextEncoding::Gbk;
    LineEnds lineEnds = LineEnds::CrLf;
    Charset charset = Charset::Any;
    Layout layout = Layout::LinePairs;
    FileKind kind;  // what detection found
};

// What the scan noted of one rule in one line, for the rule's message
// (RuleInfo::describeBytes).
struct ByteNote;

// Receives the scan's notes in line order, those about the whole file first
// at line 1: the rule, the line, the 1-based byte column. add() returns
// whether to go on; false stops the scan's feed.
class NoteSink {
public:
    virtual ~NoteSink() = default;
    virtual bool add(report::RuleId rule, std::int32_t line, std::int32_t column,
                     const ByteNote& note) = 0;
};

struct EncodingCheck {
    FileKind kind;
    TextEncoding encoding = TextEncoding::Gbk;  // `options.encoding` resolved
    std::int64_t lines = 0;                     // as the options read them
};

// Sends the notes of the dictionary at `path`, read with `options`, to
// `sink`; `check` receives what was found out.
Error checkEncoding(const std::filesystem::path& path, const ReadingOptions& options,
                    NoteSink& sink, EncodingCheck& check);

}  // namespace corvel::encoding
