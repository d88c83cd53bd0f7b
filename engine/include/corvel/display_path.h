// Paths in messages.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace corvel {

// A native path as UTF-8 (Linux: its bytes).
std::string displayPath(const std::filesystem::path& path);
// The native path of a name given in UTF-8 (Linux: its bytes), as command
// lines and windows give it.
std::filesystem::path pathFromUtf8(std::string_view utf8);

}  // namespace corvel
