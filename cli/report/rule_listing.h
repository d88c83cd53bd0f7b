// corvel-check --list-rules: the report's rule table, for people (one rule
// a line: ID, severity, on or off by default, summary) or as JSON.
#pragma once

#include <string>

namespace corvel::cli {

std::string ruleListText();
std::string ruleListJson();

}  // namespace corvel::cli
