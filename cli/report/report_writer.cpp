#include "report_writer.h"

#include "json_writer.h"
#include "sarif_writer.h"
#include "text_writer.h"

#include <array>

namespace corvel::cli {

namespace {

template <typename Writer>
std::unique_ptr<ReportWriter> make(std::ostream& out, const ToolInfo& tool)
{
    if constexpr (std::is_constructible_v<Writer, std::ostream&, const ToolInfo&>)
        return std::make_unique<Writer>(out, tool);
    else
        return std::make_unique<Writer>(out);
}

constexpr std::array kFormats {
    ReportFormat {"text", false, make<TextWriter>},
    ReportFormat {"json", true, make<JsonWriter>},
    ReportFormat {"sarif", true, make<SarifWriter>},
};

}  // namespace

std::span<const ReportFormat> reportFormats()
{
    return kFormats;
}

const ReportFormat* findReportFormat(std::string_view name)
{
    for (const ReportFormat& format : kFormats)
        if (format.name == name)
            return &format;
    return nullptr;
}

std::string reportFormatNames()
{
    std::string names;
    for (std::size_t i = 0; i < kFormats.size(); ++i) {
        if (i > 0)
            names += i + 1 == kFormats.size() ? " or " : ", ";
        names += kFormats[i].name;
    }
    return names;
}

}  // namespace corvel::cli
