#include "line_facts.h"

#include "chars.h"

#include <cstring>

namespace corvel {

// Each fact, once found, is not looked for again.
void LineFacts::add(std::string_view bytes)
{
    if (!notEmpty_)
        notEmpty_ = !isEmptyLine(bytes);
    if (!translated_)
        translated_ = hasTranslationChar(bytes);
    if (!equals_) {
        const void* at = bytes.empty() ? nullptr : std::memchr(bytes.data(), '=', bytes.size());
        if (at == nullptr)
            return;
        equals_ = true;
        bytes.remove_prefix(static_cast<std::size_t>(static_cast<const char*>(at) - bytes.data()) + 1);
    }
    if (!translatedAfterEquals_)
        translatedAfterEquals_ = hasTranslationChar(bytes);
}

scan::LineFlag LineFacts::flag(scan::Layout layout, std::uint64_t number) const
{
    using scan::LineFlag;
    if (layout == scan::Layout::EqualsLines) {
        if (!equals_)
            return LineFlag::NoEquals;
        return translatedAfterEquals_ ? LineFlag::None : LineFlag::Untranslated;
    }
    if (!notEmpty_)
        return LineFlag::Empty;
    if (number % 2 != 0)
        return translated_ ? LineFlag::Erroneous : LineFlag::None;
    return translated_ ? LineFlag::None : LineFlag::Untranslated;
}

}  // namespace corvel
