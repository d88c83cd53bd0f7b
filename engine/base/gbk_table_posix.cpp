// POSIX side of the GBK table: iconv, a whole row of characters per call.
#include "gbk_table.h"

#include <iconv.h>

#include <cerrno>

namespace corvel::report {

namespace {

class Converter {
public:
    Converter() : cd_(::iconv_open("UTF-16LE", "GBK")) {}
    ~Converter()
    {
        if (ok())
            ::iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts `count` two-byte characters; each gives one UTF-16 unit or,
    // where it has no mapping, 0 (the conversion steps over it).
    void convertPairs(const unsigned char* in, std::size_t count, char16_t* codes)
    {
        std::size_t done = 0;
        while (done < count) {
            ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
            char* inPtr = reinterpret_cast<char*>(const_cast<unsigned char*>(in + 2 * done));
            std::size_t inLeft = 2 * (count - done);
            char* outPtr = reinterpret_cast<char*>(codes + done);
            std::size_t outLeft = 2 * (count - done);
            std::size_t result = ::iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            std::size_t converted = (2 * (count - done) - outLeft) / 2;
            std::size_t consumed = (2 * (count - done) - inLeft) / 2;
            if (converted != consumed) {  // a character gave two units: leave the row to ones
                for (std::size_t k = done; k < count; ++k)
                    codes[k] = convertOne(in + 2 * k, 2);
                return;
            }
            done += consumed;
            if (result != static_cast<std::size_t>(-1))
                return;
            if (done < count)
                codes[done++] = 0;  // no mapping (EILSEQ): step over it
        }
    }

    char16_t convertOne(const unsigned char* bytes, std::size_t length)
    {
        ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* in = reinterpret_cast<char*>(const_cast<unsigned char*>(bytes));
        char16_t out[2];
        char* outPtr = reinterpret_cast<char*>(out);
        std::size_t outLeft = sizeof out;
        if (::iconv(cd_, &in, &length, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
            length != 0 || outLeft != 2)
            return 0;
        return out[0];
    }

private:
    iconv_t cd_;
};

// One converter for the thread: opening one is the expensive part.
Converter& converter()
{
    static thread_local Converter instance;
    return instance;
}

}  // namespace

void platformGbkRow(unsigned char lead, char16_t* codes)
{
    Converter& converter = report::converter();
    unsigned char bytes[2 * GbkTable::kTrails];
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
        bytes[2 * (trail - 0x40)] = lead;
        // 0x7F is no trail byte: convert a harmless one in its place.
        bytes[2 * (trail - 0x40) + 1] = static_cast<unsigned char>(trail == 0x7F ? 0x40 : trail);
    }
    if (!converter.ok()) {
        for (int i = 0; i < GbkTable::kTrails; ++i)
            codes[i] = 0;
        return;
    }
    converter.convertPairs(bytes, GbkTable::kTrails, codes);
}

char32_t platformGbkSingle(unsigned char byte)
{
    return converter().ok() ? converter().convertOne(&byte, 1) : 0;
}

}  // namespace corvel::report
