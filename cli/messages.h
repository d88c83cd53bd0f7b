// The language corvel-check speaks to its user: English, or Simplified
// Chinese from the catalogue cli/po/zh_CN.po, compiled into the program.
// Rule IDs, JSON and SARIF are identifiers and stay English.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvel::cli {

enum class Language { English, Chinese };

// The language a locale name stands for: Chinese for "zh", "zh_CN.UTF-8",
// "zh_TW" and the like, English for any other and for none.
Language languageOfLocale(std::string_view locale);

// The user's language: on Windows the user's UI language; elsewhere the
// first of LC_ALL, LC_MESSAGES and LANG that is set.
Language userLanguage();

// The value of --lang: "zh" or "en".
std::optional<Language> languageNamed(std::string_view name);

// The language --lang asks for on a command line (the last one before
// "--"), if any; a wrong value is left to the parser to report.
std::optional<Language> requestedLanguage(const std::vector<std::string>& args);

// One message of the catalogue, as printf-style text whose "%s" marks take
// the arguments in order ("%%" is a percent sign).
class Messages {
public:
    explicit Messages(Language language = Language::English) : language_(language) {}
    Language language() const { return language_; }

    // The message in this language: its translation, or the English text
    // where the catalogue has none.
    std::string_view text(std::string_view english) const;
    // The message with its marks filled in.
    std::string format(std::string_view english, std::initializer_list<std::string_view> args) const;

private:
    Language language_;
};

// The catalogue's entries (English, Chinese), for tests.
struct CatalogueEntry {
    std::string_view english;
    std::string_view chinese;
};
const std::vector<CatalogueEntry>& chineseCatalogue();

// Fills the "%s" marks of a printf-style text in order.
std::string fillMarks(std::string_view text, std::initializer_list<std::string_view> args);

}  // namespace corvel::cli
