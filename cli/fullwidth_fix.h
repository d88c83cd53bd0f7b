// --fix-fullwidth: after a correct run, the corrected dictionary's
// translations with full-width look-alikes of their source's placeholders
// written half-width (％ｓ -> %s). The run writes the dictionary as always;
// this rewrites it in place, through a new file renamed over it, keeping
// every other byte and every line end.
#pragma once

#include "corvel/error.h"
#include "corvel/run_request.h"

#include <filesystem>
#include <string>

namespace corvel::cli {

struct FullwidthFix {
    Error error;
    int lines = 0;  // translations rewritten
};

FullwidthFix fixFullwidth(const std::filesystem::path& corrected, Layout layout,
                          TextEncoding encoding = TextEncoding::Gbk);

}  // namespace corvel::cli
