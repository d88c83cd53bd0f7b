// --fix-fullwidth's rewrite of one line: full-width look-alikes of the
// source's placeholders written half-width (％ｓ -> %s).
#pragma once

#include "corvel/run_request.h"

#include <string>

namespace corvel::report {

// One translation line (or equals line) with its source: the line to
// write instead, or the same line when nothing is rewritten.
std::string halfWidthLine(const std::string& source, const std::string& line, Layout layout,
                          TextEncoding encoding = TextEncoding::Gbk);

}  // namespace corvel::report
