// Paths in messages.
#pragma once

#include <filesystem>
#include <string>

namespace corvel {

// A native path as UTF-8 (Linux: its bytes).
std::string displayPath(const std::filesystem::path& path);

}  // namespace corvel
