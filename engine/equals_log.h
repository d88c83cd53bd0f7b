// The check log of the equals-line run, in GBK.
#pragma once

#include "run_window.h"
#include "text_files.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace corvel {

enum class EqualsClass { Accepted, SeriousError, Untranslated };

// The class of one equals-line dictionary line.
EqualsClass classifyEqualsLine(std::string_view text);

struct EqualsCounts {
    std::int32_t lines = 0;
    std::int32_t seriousErrors = 0;
    std::int32_t untranslated = 0;
};

class EqualsLog {
public:
    explicit EqualsLog(OutputFile& file);

    // Lines 1 to 10: banners, the layout title and the operation.
    void writeHeader(Mode mode);
    void writeEntry(EqualsClass lineClass, std::int32_t line, std::string_view text);
    // The counts, the result line (with deletion notes in correct mode), the
    // date line and the closing banner.
    void writeSummary(Mode mode, const EqualsCounts& counts, const LocalTime& time);

private:
    OutputFile& file_;
    std::string line_;
};

}  // namespace corvel
