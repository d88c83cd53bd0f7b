// The application's identity: names, version and the author's contact
// lines shown in the about window. One record, fixed at build time.
#pragma once

namespace corvel::identity {

inline constexpr char kName[] = "Corvel";
inline constexpr char kVersion[] = "0.02";              // file and product version
inline constexpr char kMainCaption[] = "Corvel v0.2";   // main window caption
inline constexpr char kVersionLine[] = "Version 0.2";   // about window
inline constexpr char kDescription[] = "校验汉化字典的奇隅行错误";

inline constexpr char kAuthor[] = "Corvel 开发组";
inline constexpr char kEmail[] = "corvel@example.org";
inline constexpr char kHomePage[] = "https://example.org/corvel/";

}  // namespace corvel::identity
