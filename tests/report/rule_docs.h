// The parts of docs/ written from the rule registry: docs/report.md's rule
// table and its section per rule (description, examples and what the
// checker reports on them), and the rule list of the JSON schema. Each sits
// between markers in its file, so the hand-written text around it stays;
// rule-docs writes them and a test holds the committed files to them.
#pragma once

#include "corvel/report/rule_catalogue.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace corvel::docs {

// The checker run on an example's files, written into `folder` (which
// exists): its exit status, its standard error, and the lines of its text
// report that are findings of `rule`, their files named without the folder.
struct ExampleRun {
    int status = 0;
    std::string errors;
    std::vector<std::string> findings;
};
ExampleRun runExample(const report::RuleInfo& rule, const report::RuleExample& example,
                      const std::filesystem::path& folder);

// docs/report.md with its generated parts written anew from the registry;
// the examples run in folders made under `work`.
std::string generateReportDoc(std::string_view doc, const std::filesystem::path& work);
// report.schema.json with its rule list written anew.
std::string generateSchema(std::string_view schema);

// The command that writes every generated part of docs/.
inline constexpr std::string_view kRegenerate = "scripts/update-docs.sh";

}  // namespace corvel::docs
