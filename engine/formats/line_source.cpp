#include "line_source.h"

#include <algorithm>
#include <cstring>

namespace corvel::formats {

namespace {
constexpr std::size_t kPiece = 256 * 1024;
}

LineSource::LineSource(const std::filesystem::path& path)
{
    file_ = File::open(path, File::Access::Read, error_);
    if (error_)
        atEnd_ = true;
}

// Reads the next piece behind what is held, dropping what was handed on.
bool LineSource::fill()
{
    if (atEnd_)
        return false;
    buffer_.erase(0, start_);
    start_ = 0;
    const std::size_t held = buffer_.size();
    buffer_.resize(held + kPiece);
    std::size_t got = file_.read(buffer_.data() + held, kPiece, error_);
    buffer_.resize(held + got);
    if (error_ || got == 0)
        atEnd_ = true;
    return got > 0;
}

bool LineSource::next(std::string_view& line)
{
    if (tooLong_ || error_)
        return false;
    std::size_t searched = start_;
    for (;;) {
        const char* at = static_cast<const char*>(
            std::memchr(buffer_.data() + searched, '\n', buffer_.size() - searched));
        if (at != nullptr) {
            std::size_t end = static_cast<std::size_t>(at - buffer_.data());
            line = std::string_view(buffer_).substr(start_, end - start_);
            start_ = end + 1;
            break;
        }
        if (buffer_.size() - start_ > kLongestLine) {
            tooLong_ = true;
            ++number_;
            return false;
        }
        searched = buffer_.size();
        const std::size_t before = start_;
        if (!fill()) {
            if (error_ || start_ >= buffer_.size())
                return false;
            line = std::string_view(buffer_).substr(start_);  // a last line without LF
            start_ = buffer_.size();
            break;
        }
        searched -= before;  // fill() moved what was held to the front
    }
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (first_) {
        first_ = false;
        if (line.substr(0, 3) == "\xEF\xBB\xBF")
            line.remove_prefix(3);
    }
    ++number_;
    return true;
}

}  // namespace corvel::formats
