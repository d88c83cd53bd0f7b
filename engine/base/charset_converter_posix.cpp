#include "charset_converter.h"

#include <iconv.h>

namespace corvel::encoding {

namespace {
const char* iconvName(LegacyCharset charset)
{
    switch (charset) {
    case LegacyCharset::Gbk: return "GBK";
    case LegacyCharset::Gb18030: return "GB18030";
    case LegacyCharset::Big5: return "BIG5-HKSCS";
    }
    return "GBK";
}
}  // namespace

CharsetConverter::CharsetConverter(LegacyCharset charset) : charset_(charset)
{
    iconv_t cd = ::iconv_open("UTF-8", iconvName(charset));
    if (cd != reinterpret_cast<iconv_t>(-1))
        handle_ = cd;
}

CharsetConverter::~CharsetConverter()
{
    if (handle_ != nullptr)
        ::iconv_close(static_cast<iconv_t>(handle_));
}

std::optional<std::string> CharsetConverter::toUtf8(std::string_view text)
{
    if (handle_ == nullptr)
        return std::nullopt;
    iconv_t cd = static_cast<iconv_t>(handle_);
    ::iconv(cd, nullptr, nullptr, nullptr, nullptr);  // a fresh state for each text
    std::string out(text.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    if (::iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace corvel::encoding
