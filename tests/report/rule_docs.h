// The parts of docs/ written from the rule registry: docs/report.md's rule
// table and its section per rule (description and examples), and the rule
// list of the JSON schema. Each sits between markers in its file, so the
// hand-written text around it stays; rule-docs writes them and a test holds
// the committed files to them.
#pragma once

#include "corvel/report/rule_catalogue.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvel::docs {

// What an example's files hold: each file's name and its UTF-8 lines (line
// pairs or equals lines, the source repeated as the example says), and the
// file the checker is run on. Bytes examples have no lines.
struct ExampleFiles {
    struct File {
        std::string name;
        std::vector<std::string> lines;
    };
    std::vector<File> files;
    std::string checked;                // the file named last on the command line
    std::vector<std::string> options;  // the example's options and those of its layout
};
ExampleFiles exampleFiles(const report::RuleExample& example);

// docs/report.md with its generated parts written anew from the registry.
std::string generateReportDoc(std::string_view doc);
// report.schema.json with its rule list written anew.
std::string generateSchema(std::string_view schema);

// The command that writes every generated part of docs/.
inline constexpr std::string_view kRegenerate = "scripts/update-docs.sh";

}  // namespace corvel::docs
