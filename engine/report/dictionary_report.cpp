#include "corvel/report/dictionary_report.h"

namespace corvel::report {

const char* layoutName(Layout layout)
{
    return layout == Layout::Equals ? "equals-lines" : "line-pairs";
}

std::string_view layoutName(const DictionaryHeader& header)
{
    return header.format ? formatName(*header.format) : std::string_view(layoutName(header.layout));
}

const char* severityName(Severity severity)
{
    return severity == Severity::Error ? "error" : "warning";
}

}  // namespace corvel::report
