#include "rule_listing.h"

#include "json_text.h"
#include "corvel/report/rule_catalogue.h"

#include <algorithm>

namespace corvel::cli {

namespace {

std::string_view severityName(report::Severity severity)
{
    return severity == report::Severity::Error ? "error" : "warning";
}

void pad(std::string& out, std::string_view text, std::size_t width)
{
    out += text;
    out.append(width - text.size(), ' ');
}

}  // namespace

std::string ruleListText()
{
    std::size_t width = 0;
    for (const report::RuleInfo& rule : report::ruleCatalogue())
        width = std::max(width, rule.name.size());
    std::string out;
    for (const report::RuleInfo& rule : report::ruleCatalogue()) {
        pad(out, rule.name, width + 2);
        pad(out, severityName(rule.severity), 9);
        pad(out, rule.onByDefault ? "on" : "off", 5);
        out += rule.summary;
        out += '\n';
    }
    return out;
}

std::string ruleListJson()
{
    std::string out = "[";
    for (const report::RuleInfo& rule : report::ruleCatalogue()) {
        out += out.size() == 1 ? "\n" : ",\n";
        out += "  {\"id\": " + jsonString(rule.name);
        out += ", \"severity\": " + jsonString(severityName(rule.severity));
        out += std::string(", \"enabledByDefault\": ") + (rule.onByDefault ? "true" : "false");
        out += ", \"firesOn\": [";
        std::string_view separator;
        for (std::string_view kind : report::lineKindNames(rule.firesOn)) {
            out += separator;
            out += jsonString(kind);
            separator = ", ";
        }
        out += "], \"summary\": " + jsonString(rule.summary);
        out += ", \"description\": " + jsonString(rule.description) + "}";
    }
    out += "\n]\n";
    return out;
}

}  // namespace corvel::cli
