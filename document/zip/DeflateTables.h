#pragma once
// The fixed tables of the deflate format (RFC 1951, 3.2.5 to 3.2.7), built at compile
// time. Internal to the compressor.

#include <array>
#include <cstdint>

namespace kelmora::deflate {

inline constexpr int kLiterals = 256;
inline constexpr int kEndOfBlock = 256;
inline constexpr int kLengthCodes = 29;
inline constexpr int kLiteralLengthCodes = kLiterals + 1 + kLengthCodes; // 286
inline constexpr int kFixedLiteralLengthCodes = kLiteralLengthCodes + 2;  // 288 in the fixed code
inline constexpr int kDistanceCodes = 30;
inline constexpr int kBitLengthCodes = 19;
inline constexpr int kMaxCodeBits = 15;
inline constexpr int kMaxBitLengthBits = 7;

// Code-length alphabet repeat codes.
inline constexpr int kRepeatPrevious3To6 = 16;
inline constexpr int kRepeatZero3To10 = 17;
inline constexpr int kRepeatZero11To138 = 18;

inline constexpr std::array<uint8_t, kLengthCodes> kLengthExtraBits
    = { 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0 };
inline constexpr std::array<uint8_t, kDistanceCodes> kDistanceExtraBits
    = { 0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13 };
inline constexpr std::array<uint8_t, kBitLengthCodes> kBitLengthExtraBits
    = { 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 3, 7 };
// The order in which the code lengths of the code-length alphabet are sent.
inline constexpr std::array<uint8_t, kBitLengthCodes> kBitLengthOrder
    = { 16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15 };

// Reverses the low `length` bits: Huffman codes are defined most significant bit first
// but sent least significant bit first.
constexpr uint16_t ReverseBits(uint32_t code, int length)
{
    uint32_t reversed = 0;
    for (int i = 0; i < length; ++i) {
        reversed = (reversed << 1) | (code & 1);
        code >>= 1;
    }
    return uint16_t(reversed);
}

struct FixedTables {
    // Match length - 3 (0..255) to length code (0..28), and the code's base length - 3.
    std::array<uint8_t, 256> lengthCode {};
    std::array<uint8_t, kLengthCodes> baseLength {};
    // Distance - 1 to distance code: entries 0..255 for distances up to 256, entries
    // 256..511 for (distance - 1) >> 7.
    std::array<uint8_t, 512> distanceCode {};
    std::array<uint16_t, kDistanceCodes> baseDistance {};
    // The fixed Huffman codes, already bit-reversed for sending.
    std::array<uint16_t, kFixedLiteralLengthCodes> fixedLiteralCode {};
    std::array<uint8_t, kFixedLiteralLengthCodes> fixedLiteralLength {};
    std::array<uint16_t, kDistanceCodes> fixedDistanceCode {};
    // Counts that must come out right for the tables to be consistent.
    int lengthsCovered = 0;
    int shortDistancesCovered = 0;
    int distancesCovered = 0;
};

constexpr FixedTables BuildFixedTables()
{
    FixedTables t;
    int length = 0;
    for (int code = 0; code < kLengthCodes - 1; ++code) {
        t.baseLength[code] = uint8_t(length);
        for (int n = 0; n < (1 << kLengthExtraBits[code]); ++n)
            t.lengthCode[length++] = uint8_t(code);
    }
    t.lengthsCovered = length;
    // Length 258 (index 255) has a code of its own, which overwrites the last entry of
    // code 27's range: 258 can be sent both ways and the shorter one is used.
    t.lengthCode[255] = kLengthCodes - 1;
    t.baseLength[kLengthCodes - 1] = 255;

    int distance = 0;
    int code = 0;
    for (; code < 16; ++code) {
        t.baseDistance[code] = uint16_t(distance);
        for (int n = 0; n < (1 << kDistanceExtraBits[code]); ++n)
            t.distanceCode[distance++] = uint8_t(code);
    }
    t.shortDistancesCovered = distance;
    distance >>= 7;
    for (; code < kDistanceCodes; ++code) {
        t.baseDistance[code] = uint16_t(distance << 7);
        for (int n = 0; n < (1 << (kDistanceExtraBits[code] - 7)); ++n)
            t.distanceCode[256 + distance++] = uint8_t(code);
    }
    t.distancesCovered = 256 + distance;

    // RFC 1951 3.2.6: 0-143 eight bits, 144-255 nine, 256-279 seven, 280-287 eight.
    std::array<int, kMaxCodeBits + 2> count {};
    for (int n = 0; n < kFixedLiteralLengthCodes; ++n) {
        int bits = n < 144 ? 8 : n < 256 ? 9 : n < 280 ? 7 : 8;
        t.fixedLiteralLength[n] = uint8_t(bits);
        ++count[bits];
    }
    std::array<uint32_t, kMaxCodeBits + 2> next {};
    uint32_t c = 0;
    for (int bits = 1; bits <= kMaxCodeBits; ++bits) {
        c = (c + uint32_t(count[bits - 1])) << 1;
        next[bits] = c;
    }
    for (int n = 0; n < kFixedLiteralLengthCodes; ++n) {
        int bits = t.fixedLiteralLength[n];
        t.fixedLiteralCode[n] = ReverseBits(next[bits]++, bits);
    }
    for (int n = 0; n < kDistanceCodes; ++n)
        t.fixedDistanceCode[n] = ReverseBits(uint32_t(n), 5);
    return t;
}

inline constexpr FixedTables kTables = BuildFixedTables();

static_assert(kTables.lengthsCovered == 256, "ct_init: length != 256");
static_assert(kTables.shortDistancesCovered == 256, "ct_init: dist != 256");
static_assert(kTables.distancesCovered == 512, "ct_init: 256+dist != 512");

// The distance code of a distance - 1 (0 .. 32767).
inline int DistanceCode(uint32_t distanceMinus1)
{
    return distanceMinus1 < 256 ? kTables.distanceCode[distanceMinus1] : kTables.distanceCode[256 + (distanceMinus1 >> 7)];
}

} // namespace kelmora::deflate
