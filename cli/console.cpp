#include "console.h"

#include <streambuf>

namespace corvel::cli {

// An output stream that hands every write to stdio at once; a failed write
// sets the stream's bad bit, with errno from stdio.
class Console::FileStream : public std::ostream {
public:
    explicit FileStream(std::FILE* file) : std::ostream(nullptr), buffer_(file) { rdbuf(&buffer_); }

private:
    class Buffer : public std::streambuf {
    public:
        explicit Buffer(std::FILE* file) : file_(file) {}

    protected:
        int_type overflow(int_type c) override
        {
            if (traits_type::eq_int_type(c, traits_type::eof()))
                return traits_type::not_eof(c);
            return std::fputc(c, file_) == EOF ? traits_type::eof() : c;
        }
        std::streamsize xsputn(const char* s, std::streamsize n) override
        {
            return static_cast<std::streamsize>(std::fwrite(s, 1, static_cast<std::size_t>(n), file_));
        }
        int sync() override { return std::fflush(file_) == 0 ? 0 : -1; }

    private:
        std::FILE* file_;
    };

    Buffer buffer_;
};

Console::Console(std::FILE* out, std::FILE* err)
{
    outFile_.file = out;
    errFile_.file = err;
}

Console::Console(std::ostream& out, std::ostream& err) : out_(&out), err_(&err) {}

Console::~Console() = default;

std::ostream& Console::stream(Lazy& lazy, std::ostream*& stream)
{
    // Workers print in turn, but the first of them to print may make it.
    std::call_once(lazy.once, [&] {
        if (stream == nullptr) {
            lazy.made = std::make_unique<FileStream>(lazy.file);
            stream = lazy.made.get();
        }
    });
    return *stream;
}

std::ostream& Console::out()
{
    return stream(outFile_, out_);
}

std::ostream& Console::err()
{
    return stream(errFile_, err_);
}

}  // namespace corvel::cli
