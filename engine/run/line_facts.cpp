#include "line_facts.h"

#include "chars.h"

#include <cstring>

namespace corvel {

bool LineFacts::holds(Kind kind, std::string_view bytes)
{
    return kind == kUtf8 ? hasNonAsciiByte(bytes) : hasTranslationChar(bytes);
}

// Each fact, once found, is not looked for again.
void LineFacts::add(std::string_view bytes)
{
    if (!notEmpty_)
        notEmpty_ = !isEmptyLine(bytes);
    for (Kind kind : {kGbk, kUtf8})
        if (!translated_[kind])
            translated_[kind] = holds(kind, bytes);
    if (!equals_) {
        const void* at = bytes.empty() ? nullptr : std::memchr(bytes.data(), '=', bytes.size());
        if (at == nullptr)
            return;
        equals_ = true;
        bytes.remove_prefix(static_cast<std::size_t>(static_cast<const char*>(at) - bytes.data()) + 1);
    }
    for (Kind kind : {kGbk, kUtf8})
        if (!translatedAfterEquals_[kind])
            translatedAfterEquals_[kind] = holds(kind, bytes);
}

LineClass LineFacts::flag(scan::Layout layout, std::uint64_t number,
                               TextEncoding encoding) const
{
    const Kind kind = encoding == TextEncoding::Utf8 ? kUtf8 : kGbk;
    if (layout == scan::Layout::Equals) {
        if (!equals_)
            return LineClass::MissingEquals;
        return translatedAfterEquals_[kind] ? LineClass::Good : LineClass::Untranslated;
    }
    if (!notEmpty_)
        return LineClass::Empty;
    if (number % 2 != 0)
        return translated_[kind] ? LineClass::Erroneous : LineClass::Good;
    return translated_[kind] ? LineClass::Good : LineClass::Untranslated;
}

}  // namespace corvel
