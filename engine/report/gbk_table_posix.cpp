// POSIX side of the GBK table: iconv, one character at a time.
#include "gbk_table.h"

#include <iconv.h>

namespace corvel::report {

namespace {

class Converter {
public:
    Converter() : cd_(::iconv_open("UTF-32LE", "GBK")) {}
    ~Converter()
    {
        if (ok())
            ::iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    char32_t convert(const unsigned char* bytes, int length)
    {
        ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* in = reinterpret_cast<char*>(const_cast<unsigned char*>(bytes));
        std::size_t inLeft = static_cast<std::size_t>(length);
        unsigned char out[8];
        char* outPtr = reinterpret_cast<char*>(out);
        std::size_t outLeft = sizeof out;
        if (::iconv(cd_, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
            inLeft != 0 || sizeof out - outLeft != 4)
            return 0;
        return static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 |
                                     static_cast<char32_t>(out[3]) << 24);
    }

private:
    iconv_t cd_;
};

}  // namespace

char32_t platformGbkToCodePoint(const unsigned char* bytes, int length)
{
    static thread_local Converter converter;
    return converter.ok() ? converter.convert(bytes, length) : 0;
}

}  // namespace corvel::report
