// Runs the encoding scanner on bytes made in a test, the way a reading
// would: detection first, then the bytes in pieces. Every run also checks
// that the findings do not depend on where the pieces end or on which path
// (byte by byte, or each instruction set of the fast path) takes a block.
#pragma once

#include "corvel/encoding_check.h"
#include "corvel/report/finding.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvel::encoding::test {

// The scan's notes as the report's findings; says stop once it holds
// `stopAt` of them.
class CollectingSink : public NoteSink {
public:
    explicit CollectingSink(std::size_t stopAt = SIZE_MAX) : stopAt_(stopAt) {}
    bool add(report::RuleId rule, std::int32_t line, std::int32_t column,
             const ByteNote& note) override;
    std::vector<report::Finding> findings;

private:
    std::size_t stopAt_;
};

// "rule@line:column" (or "rule@line"), in report order.
std::vector<std::string> brief(const std::vector<report::Finding>& findings);

// The findings of `bytes` read with `options`, into a sink that says stop
// once it holds `stopAt`.
std::vector<report::Finding> scanBytes(std::string_view bytes, const ReadingOptions& options,
                                       std::size_t stopAt = SIZE_MAX);
std::vector<std::string> scanBrief(std::string_view bytes, const ReadingOptions& options,
                                   std::size_t stopAt = SIZE_MAX);

// The lines LineReader gives for `bytes` with `ends` (UTF-8 byte-order mark
// skipped on request).
std::vector<std::string> readerLines(std::string_view bytes, LineEnds ends, bool skipBom = false);

// UTF-8 text as GBK bytes; GBK bytes as UTF-8.
std::string gbk(std::string_view utf8);
std::string utf8FromGbk(std::string_view gbkBytes);

}  // namespace corvel::encoding::test
