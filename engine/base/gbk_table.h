// The GBK code table, built once per process from the platform's converter
// the first time a report quotes a non-ASCII character.
#pragma once

#include <cstdint>

namespace corvel::report {

class GbkTable {
public:
    // The table of the process (built on first use; safe from any thread).
    static const GbkTable& instance();

    // The code point of a double-byte character, or 0 when it has none.
    char32_t pair(unsigned char lead, unsigned char trail) const
    {
        return pairs_[(lead - 0x81) * kTrails + (trail - 0x40)];
    }
    // The code point of a single byte 0x80..0xFF that GBK maps, or 0.
    char32_t single(unsigned char byte) const { return singles_[byte - 0x80]; }

    static constexpr int kLeads = 0xFE - 0x81 + 1;
    static constexpr int kTrails = 0xFE - 0x40 + 1;

private:
    GbkTable();

    char16_t pairs_[kLeads * kTrails] = {};
    char16_t singles_[0x80] = {};
};

// Platform part: the code points of the double-byte characters with lead
// byte `lead`, for the trail bytes 0x40..0xFE in order (0: no mapping; the
// entry for 0x7F stays 0), and of one single byte 0x80..0xFF.
void platformGbkRow(unsigned char lead, char16_t* codes);
char32_t platformGbkSingle(unsigned char byte);

}  // namespace corvel::report
