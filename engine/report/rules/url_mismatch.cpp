#include "../pair_checks.h"
#include "../text_signs.h"

#include <cctype>
#include <cstring>

namespace corvel::report::rules {

namespace {

bool addressChar(char c)
{
    return std::isgraph(static_cast<unsigned char>(c)) != 0 &&
           std::strchr("\"'<>()[]{}`|", c) == nullptr;  // | ends a wiki link's address
}

bool emailAddress(std::string_view token)
{
    const std::size_t at = token.find('@');
    if (at == 0 || at == std::string_view::npos || token.find('@', at + 1) != std::string_view::npos)
        return false;
    for (char c : token.substr(0, at))
        if (!std::isalnum(static_cast<unsigned char>(c)) && std::strchr("._%+-", c) == nullptr)
            return false;
    const std::string_view domain = token.substr(at + 1);
    const std::size_t dot = domain.rfind('.');
    if (dot == 0 || dot == std::string_view::npos || domain.size() - dot < 3)
        return false;
    for (char c : domain.substr(dot + 1))
        if (!std::isalpha(static_cast<unsigned char>(c)))
            return false;
    return true;
}

// The URL or e-mail address a token is, without the punctuation that
// ends the sentence around it; empty when it is none.
std::string_view address(std::string_view token)
{
    while (!token.empty() && std::strchr(".,;:!?", token.back()) != nullptr)
        token.remove_suffix(1);
    const std::size_t scheme = token.find("://");
    if (scheme != std::string_view::npos && scheme > 0 && scheme + 3 < token.size()) {
        std::size_t start = scheme;
        while (start > 0 && std::isalpha(static_cast<unsigned char>(token[start - 1])))
            --start;
        return start == scheme ? std::string_view {} : token.substr(start);
    }
    return emailAddress(token) ? token : std::string_view {};
}

template <typename Visit>
void forEachAddress(std::string_view text, const gbk::CharSteps& steps, Visit visit)
{
    forEachAsciiToken(text, steps, addressChar, [&](std::string_view token, std::size_t) {
        const std::string_view found = address(token);
        if (!found.empty())
            visit(found);
    });
}

void check(PairRuleContext& context, std::vector<Finding>& out)
{
    const gbk::CharSteps steps(context.encoding());
    const PairText& pair = context.pair();
    std::string missing;
    forEachAddress(pair.source, steps, [&](std::string_view found) {
        if (!holdsToken(pair.translation, found, steps))
            missing += (missing.empty() ? "" : ", ") + quote(std::string(found));
    });
    if (missing.empty())
        return;
    std::string instead;
    forEachAddress(pair.translation, steps, [&](std::string_view found) {
        if (!holdsToken(pair.source, found, steps))
            instead += (instead.empty() ? "" : ", ") + quote(std::string(found));
    });
    out.push_back(context.finding(
        RuleId::UrlMismatch, "address " + missing + " of the source is missing from the translation" +
                                 (instead.empty() ? "" : "; it has " + instead + " instead")));
}

}  // namespace

constexpr RuleExample kUrlMismatchExamples[] {
    {true, "See https://example.com/help", "参见 https://example.com/hlep"},
    {false, "See https://example.com/help.", "参见 https://example.com/help。"},
};

constinit const RuleInfo UrlMismatch {
    RuleId::UrlMismatch, "url-mismatch", Severity::Warning, true, kOnAddress,
    "A URL or e-mail address of the source is changed or missing in the translation.",
    "A URL (scheme://...) or e-mail address of the source does not appear, exactly, "
    "in the translation; the message names the addresses the translation has instead. "
    "Punctuation that ends the sentence around an address is not part of it. A translation "
    "that points at a localised page has changed the address on purpose: worth a look.",
    kUrlMismatchExamples,
    check};

}  // namespace corvel::report::rules
