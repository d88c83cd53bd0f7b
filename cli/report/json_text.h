// JSON text for the JSON and SARIF writers: strings escaped exactly (quote,
// backslash and every control character; U+2028 and U+2029 too), bytes
// that are not UTF-8 written as the text \xNN so the output stays UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvel::cli {

// Appends `text` as a JSON string, quotes included.
void appendJsonString(std::string& out, std::string_view text);
std::string jsonString(std::string_view text);

}  // namespace corvel::cli
