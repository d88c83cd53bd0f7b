// Byte-level facts of GBK, GB18030 and GB2312.
//
// GBK: a byte below 0x80 is one character; a lead byte 0x81-0xFE and a trail
// byte 0x40-0x7E or 0x80-0xFE form a double-byte character; 0x80 and 0xFF are
// not GBK. GB18030 adds four-byte characters: 0x81-0xFE, 0x30-0x39,
// 0x81-0xFE, 0x30-0x39, of which the ranges that map to Unicode are valid.
// GB2312 in GBK bytes: lead 0xA1-0xF7, trail 0xA1-0xFE, minus the cells
// GB2312 leaves unassigned.
#pragma once

#include <cstdint>

namespace corvel::encoding {

inline bool isGbkLead(std::uint8_t byte)
{
    return byte >= 0x81 && byte <= 0xFE;
}

inline bool isGbkTrail(std::uint8_t byte)
{
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFE);
}

inline bool isGb18030FourByteSecond(std::uint8_t byte)
{
    return byte >= 0x30 && byte <= 0x39;
}

// Whether four bytes of the four-byte shape name a character: the ranges
// of the Basic Multilingual Plane (0x81308130-0x8431A439) and of the
// supplementary planes (0x90308130-0xE3329A35).
bool isGb18030FourByte(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4);

// Whether a double-byte GBK character is one of GB2312.
bool isGb2312(std::uint8_t lead, std::uint8_t trail);

}  // namespace corvel::encoding
