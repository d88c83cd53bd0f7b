// 64-bit fingerprints of byte strings, for the consistency rule and the
// baseline: two different texts share one with a chance of about 2^-64.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace corvel::report {

namespace detail {

inline std::uint64_t load64(const char* p)
{
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

// The 128-bit product of a and b, its halves folded together.
inline std::uint64_t fold(std::uint64_t a, std::uint64_t b)
{
    unsigned __int128 r = static_cast<unsigned __int128>(a) * b;
    return static_cast<std::uint64_t>(r) ^ static_cast<std::uint64_t>(r >> 64);
}

}  // namespace detail

inline std::uint64_t fingerprint(std::string_view text, std::uint64_t seed = 0)
{
    constexpr std::uint64_t k0 = 0xa0761d6478bd642fULL;
    constexpr std::uint64_t k1 = 0xe7037ed1a0b428dbULL;
    constexpr std::uint64_t k2 = 0x8ebc6af09c88c6e3ULL;
    const char* p = text.data();
    std::size_t n = text.size();
    std::uint64_t h = seed ^ k0 ^ detail::fold(n ^ k1, k2);
    while (n >= 16) {
        h = detail::fold(detail::load64(p) ^ k1, detail::load64(p + 8) ^ h);
        p += 16;
        n -= 16;
    }
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    if (n >= 8) {
        a = detail::load64(p);
        b = detail::load64(p + n - 8);
    } else if (n > 0) {
        // Up to seven bytes: the first, middle and last ones, read apart.
        a = static_cast<std::uint64_t>(static_cast<unsigned char>(p[0])) << 16 |
            static_cast<std::uint64_t>(static_cast<unsigned char>(p[n / 2])) << 8 |
            static_cast<unsigned char>(p[n - 1]);
        if (n >= 4) {
            std::uint32_t x, y;
            std::memcpy(&x, p, 4);
            std::memcpy(&y, p + n - 4, 4);
            a = x;
            b = y;
        }
    }
    return detail::fold(a ^ k1 ^ text.size(), detail::fold(b ^ k2, h ^ k0));
}

// The fingerprint of a text of any length, the same whether it is taken in
// one piece or streamed in pieces of any size (TextFingerprint): texts up
// to kFingerprintChunk bytes as fingerprint(), longer ones chunk by chunk,
// so a streamed text is never held whole.
inline constexpr std::size_t kFingerprintChunk = 64 * 1024;

class TextFingerprint {
public:
    void add(std::string_view piece)
    {
        size_ += piece.size();
        pending_.append(piece);
        std::size_t taken = 0;
        while (pending_.size() - taken > kFingerprintChunk) {
            chained_ = fingerprint(std::string_view(pending_).substr(taken, kFingerprintChunk),
                                   chained_);
            taken += kFingerprintChunk;
            chunked_ = true;
        }
        pending_.erase(0, taken);
    }
    std::uint64_t value() const
    {
        return chunked_ ? fingerprint(pending_, chained_ ^ size_) : fingerprint(pending_);
    }

private:
    std::string pending_;
    std::uint64_t chained_ = 0x9e3779b97f4a7c15ULL;
    std::uint64_t size_ = 0;
    bool chunked_ = false;
};

inline std::uint64_t textFingerprint(std::string_view text)
{
    if (text.size() <= kFingerprintChunk)
        return fingerprint(text);
    TextFingerprint streamed;
    streamed.add(text);
    return streamed.value();
}

}  // namespace corvel::report
