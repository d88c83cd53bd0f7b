#include "console.h"

#include <cerrno>
#include <streambuf>

namespace corvel::cli {

// An output stream that hands every write to stdio at once; a failed write
// sets the stream's bad bit, with errno from stdio.
class Console::FileStream : public std::ostream {
public:
    explicit FileStream(std::FILE* file) : std::ostream(nullptr), buffer_(file) { rdbuf(&buffer_); }
    int cause() const { return buffer_.cause(); }

private:
    class Buffer : public std::streambuf {
    public:
        explicit Buffer(std::FILE* file) : file_(file) {}
        int cause() const { return cause_; }

    protected:
        int_type overflow(int_type c) override
        {
            if (traits_type::eq_int_type(c, traits_type::eof()))
                return traits_type::not_eof(c);
            errno = 0;
            return std::fputc(c, file_) == EOF ? failed() : c;
        }
        std::streamsize xsputn(const char* s, std::streamsize n) override
        {
            errno = 0;
            const std::size_t written = std::fwrite(s, 1, static_cast<std::size_t>(n), file_);
            if (written < static_cast<std::size_t>(n))
                (void)failed();
            return static_cast<std::streamsize>(written);
        }
        int sync() override
        {
            errno = 0;
            return std::fflush(file_) == 0 ? 0 : (failed(), -1);
        }

    private:
        int_type failed()
        {
            if (cause_ == 0)
                cause_ = errno;
            return traits_type::eof();
        }

        std::FILE* file_;
        int cause_ = 0;
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

int Console::outCause() const
{
    return outFile_.made ? outFile_.made->cause() : 0;
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
