#include "messages.h"

#include <algorithm>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

namespace corvel::cli {

Language languageOfLocale(std::string_view locale)
{
    const bool chinese = locale.size() >= 2 && locale.substr(0, 2) == "zh"
        && (locale.size() == 2 || locale[2] == '_' || locale[2] == '.' || locale[2] == '@'
            || locale[2] == '-');
    return chinese ? Language::Chinese : Language::English;
}

Language userLanguage()
{
#ifdef _WIN32
    return PRIMARYLANGID(::GetUserDefaultUILanguage()) == LANG_CHINESE ? Language::Chinese
                                                                        : Language::English;
#else
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return languageOfLocale(value);
    }
    return Language::English;
#endif
}

std::optional<Language> languageNamed(std::string_view name)
{
    if (name == "zh")
        return Language::Chinese;
    if (name == "en")
        return Language::English;
    return std::nullopt;
}

std::optional<Language> requestedLanguage(const std::vector<std::string>& args)
{
    std::optional<Language> wanted;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--")
            break;
        if (a == "--lang" && i + 1 < args.size())
            wanted = languageNamed(args[++i]).value_or(wanted.value_or(Language::English));
        else if (a.rfind("--lang=", 0) == 0)
            wanted = languageNamed(a.substr(7)).value_or(wanted.value_or(Language::English));
    }
    return wanted;
}

namespace {

// Made at build time from cli/po/zh_CN.po.
const CatalogueEntry kCatalogue[] = {
#include "zh_CN_catalogue.inc"
};

}  // namespace

const std::vector<CatalogueEntry>& chineseCatalogue()
{
    static const std::vector<CatalogueEntry> entries(std::begin(kCatalogue), std::end(kCatalogue));
    return entries;
}

std::string_view Messages::text(std::string_view english) const
{
    if (language_ == Language::English)
        return english;
    const auto at = std::find_if(std::begin(kCatalogue), std::end(kCatalogue),
                                 [&](const CatalogueEntry& e) { return e.english == english; });
    return at == std::end(kCatalogue) ? english : at->chinese;
}

std::string Messages::format(std::string_view english,
                             std::initializer_list<std::string_view> args) const
{
    return fillMarks(text(english), args);
}

std::string fillMarks(std::string_view text, std::initializer_list<std::string_view> args)
{
    std::string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size()) {
            if (text[i + 1] == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (text[i + 1] == 's' && next != args.end()) {
                out += *next++;
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

}  // namespace corvel::cli
