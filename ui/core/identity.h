// What the windows show of the application's identity: its name, its
// version and the author's contact lines. The version comes from version.h.
#pragma once

#include "version.h"

#include <string>

namespace corvel::identity {

inline constexpr char kName[] = "Corvel";
inline constexpr char kAuthor[] = "Corvel 开发组";
inline constexpr char kEmail[] = "corvel@example.org";
inline constexpr char kHomePage[] = "https://example.org/corvel/";

// The main window's caption: "Corvel v0.2".
inline std::string mainCaption() { return std::string(kName) + " v" + version::kShort; }

// The about window's version line: "Version 0.2".
inline std::string versionLine() { return std::string("Version ") + version::kShort; }

}  // namespace corvel::identity
