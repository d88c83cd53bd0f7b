#include "platform_text.h"

#include <iconv.h>

namespace corvel::encoding {

std::optional<std::string> gbkToUtf8(std::string_view gbk)
{
    iconv_t cd = ::iconv_open("UTF-8", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out(gbk.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(gbk.data());
    std::size_t inLeft = gbk.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    std::size_t done = ::iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    ::iconv_close(cd);
    if (done == static_cast<std::size_t>(-1))
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace corvel::encoding
