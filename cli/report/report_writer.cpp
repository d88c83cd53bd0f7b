#include "report_writer.h"

#include "json_writer.h"
#include "sarif_writer.h"
#include "text_writer.h"

namespace corvel::cli {

bool parseReportFormat(std::string_view text, ReportFormat& format)
{
    if (text == "text")
        format = ReportFormat::Text;
    else if (text == "json")
        format = ReportFormat::Json;
    else if (text == "sarif")
        format = ReportFormat::Sarif;
    else
        return false;
    return true;
}

std::unique_ptr<ReportWriter> makeReportWriter(ReportFormat format, std::ostream& out,
                                               const ToolInfo& tool)
{
    switch (format) {
    case ReportFormat::Json: return std::make_unique<JsonWriter>(out, tool);
    case ReportFormat::Sarif: return std::make_unique<SarifWriter>(out, tool);
    case ReportFormat::Text: break;
    }
    return std::make_unique<TextWriter>(out);
}

}  // namespace corvel::cli
