#include "../pair_checks.h"
#include "../text_signs.h"

#include <cctype>
#include <cstring>

namespace corvel::report::rules {

namespace {

bool pathChar(char c)
{
    return std::isgraph(static_cast<unsigned char>(c)) != 0 &&
           std::strchr("\"'<>()[]{},;`", c) == nullptr;
}

bool alpha(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

// "name.ext" at the end of a path: a file name with an extension of one
// to five letters or digits, the first a letter.
bool endsInFileName(std::string_view token)
{
    const std::size_t dot = token.rfind('.');
    const std::size_t slash = token.find_last_of("/\\");
    if (dot == std::string_view::npos || dot + 1 >= token.size() || dot + 6 < token.size() ||
        (slash != std::string_view::npos && dot <= slash + 1))
        return false;
    // The extension starts with a letter: "3.5/5.0" is a score, not a file.
    if (!alpha(token[dot + 1]))
        return false;
    for (char c : token.substr(dot + 1))
        if (!std::isalnum(static_cast<unsigned char>(c)))
            return false;
    return true;
}

// Whether a token is a file path: rooted (/usr/bin, /join, ~/..., ./...,
// ../..., C:\..., \\server\..., %APPDATA%\...) or relative with a file
// name at its end (config/settings.json). "and/or", "km/h", URLs and
// e-mail addresses are none.
bool isPath(std::string_view token)
{
    if (token.find("://") != std::string_view::npos || token.find('@') != std::string_view::npos)
        return false;
    if (token.size() >= 2 && token[0] == '/')
        return alpha(token[1]) || token[1] == '.' || token[1] == '_' || token[1] == '~';
    if (token.starts_with("~/") || token.starts_with("./") || token.starts_with("../") ||
        token.starts_with("\\\\"))
        return token.size() > 3;
    if (token.size() > 3 && alpha(token[0]) && token[1] == ':' && (token[2] == '\\' || token[2] == '/'))
        return true;
    if (token.size() > 3 && token[0] == '%') {
        const std::size_t close = token.find('%', 1);
        return close != std::string_view::npos && close + 1 < token.size() &&
               (token[close + 1] == '\\' || token[close + 1] == '/');
    }
    const std::size_t slash = token.find('/');
    return slash != std::string_view::npos && slash > 0 && endsInFileName(token);
}

// A word after a lone root slash whose translation keeps the slash between
// two Chinese words ("/page" as "条/页"): a unit, not a command or path.
bool translatedUnit(std::string_view token, std::string_view translation)
{
    if (token.find_first_of("/\\.", 1) != std::string_view::npos || token[0] != '/')
        return false;
    for (std::size_t at = translation.find('/'); at != std::string_view::npos;
         at = translation.find('/', at + 1))
        if (at > 0 && translation[at - 1] != ' ' && at + 1 < translation.size() &&
            static_cast<unsigned char>(translation[at + 1]) >= 0x80)
            return true;  // "条/页", not the command "/加入" of its own
    return false;
}

void check(PairRuleContext& context, std::vector<Finding>& out)
{
    const gbk::CharSteps steps(context.encoding());
    const PairText& pair = context.pair();
    std::string missing;
    forEachAsciiToken(pair.source, steps, pathChar, [&](std::string_view token, std::size_t at) {
        while (!token.empty() && std::strchr(".:!?", token.back()) != nullptr)
            token.remove_suffix(1);
        if (at > 0 && pair.source[at - 1] == '<')
            return;  // the rest of a closing tag, "</b>"
        if (isPath(token) && !holdsToken(pair.translation, token, steps) &&
            !translatedUnit(token, pair.translation))
            missing += (missing.empty() ? "" : ", ") + quote(std::string(token));
    });
    if (!missing.empty())
        out.push_back(context.finding(RuleId::PathMismatch,
                                      "path " + missing +
                                          " of the source is missing from the translation"));
}

}  // namespace

constexpr RuleExample kPathMismatchExamples[] {
    {true, "Edit /etc/hosts", "编辑 /etc/host"},
    {false, "20 items/page", "每页 20 条/页"},
};

constinit const RuleInfo PathMismatch {
    RuleId::PathMismatch, "path-mismatch", Severity::Warning, true, kOnPath,
    "A file path of the source is changed or missing in the translation.",
    "A file path of the source does not appear unchanged in the translation. Paths are "
    "words that start at a root (/usr/bin, ~/.config, ./run.sh, ../lib, C:\\Windows, "
    "\\\\server\\share, %APPDATA%\\App), which includes slash commands such as /join "
    "(not a unit whose word the translation translates after the slash, /page as "
    "\u6761/\u9875), or "
    "relative paths with a file name at their end (config/settings.json). Words joined by a "
    "slash (and/or, km/h), URLs and e-mail addresses are not paths.",
    kPathMismatchExamples,
    check};

}  // namespace corvel::report::rules
