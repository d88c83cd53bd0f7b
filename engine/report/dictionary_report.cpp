#include "corvel/report/dictionary_report.h"

namespace corvel::report {

const char* layoutName(Layout layout)
{
    return layout == Layout::Equals ? "equals-lines" : "line-pairs";
}

const char* severityName(Severity severity)
{
    return severity == Severity::Error ? "error" : "warning";
}

}  // namespace corvel::report
