#include "console.h"

#include <algorithm>
#include <cerrno>
#include <streambuf>
#include <string>

#ifdef _WIN32
#include "corvel/windows_text.h"

#include <io.h>
#include <windows.h>
#endif

namespace corvel::cli {

std::size_t completeUtf8Length(std::string_view bytes)
{
    // Look back over at most three continuation bytes for the last lead byte.
    std::size_t start = bytes.size();
    for (std::size_t back = 0; back < 4 && start > 0; ++back) {
        const auto byte = static_cast<unsigned char>(bytes[start - 1]);
        if ((byte & 0xC0) != 0x80) {
            --start;
            std::size_t need = 1;
            if (byte >= 0xF0 && byte <= 0xF4)
                need = 4;
            else if (byte >= 0xE0)
                need = byte <= 0xEF ? 3 : 1;
            else if (byte >= 0xC2)
                need = 2;
            return bytes.size() - start < need ? start : bytes.size();
        }
        --start;
    }
    return bytes.size();  // no lead byte near the end: nothing to wait for
}

// An output stream that hands every write to stdio at once; a failed write
// sets the stream's bad bit, with errno from stdio.
class Console::FileStream : public std::ostream {
public:
    explicit FileStream(std::FILE* file) : std::ostream(nullptr), buffer_(file) { rdbuf(&buffer_); }
    int cause() const { return buffer_.cause(); }

private:
    class Buffer : public std::streambuf {
    public:
        explicit Buffer(std::FILE* file) : file_(file)
        {
#ifdef _WIN32
            // A console takes UTF-16 through its own call and shows it in
            // any code page; files and pipes get the UTF-8 bytes as they are.
            const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file)));
            DWORD mode = 0;
            if (handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode))
                console_ = handle;
#endif
        }
        int cause() const { return cause_; }

    protected:
        int_type overflow(int_type c) override
        {
            if (traits_type::eq_int_type(c, traits_type::eof()))
                return traits_type::not_eof(c);
            const char byte = traits_type::to_char_type(c);
            return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
        }
        std::streamsize xsputn(const char* s, std::streamsize n) override
        {
#ifdef _WIN32
            if (console_ != nullptr) {
                if (toConsole(std::string_view(s, static_cast<std::size_t>(n))))
                    return n;
                if (cause_ == 0)
                    cause_ = static_cast<int>(::GetLastError());
                return 0;
            }
#endif
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
#ifdef _WIN32
        // Whole characters go out at once; a character split between two
        // writes waits for its last bytes.
        bool toConsole(std::string_view bytes)
        {
            pending_.append(bytes);
            const std::size_t complete = completeUtf8Length(pending_);
            const std::wstring wide = wideFromUtf8(std::string_view(pending_).substr(0, complete));
            pending_.erase(0, complete);
            constexpr std::size_t kChunk = 8192;  // consoles refuse very long writes
            for (std::size_t at = 0; at < wide.size();) {
                const auto size = static_cast<DWORD>(std::min(kChunk, wide.size() - at));
                DWORD written = 0;
                if (!::WriteConsoleW(console_, wide.data() + at, size, &written, nullptr)
                    || written == 0)
                    return false;
                at += written;
            }
            return true;
        }

        HANDLE console_ = nullptr;
        std::string pending_;
#endif
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
