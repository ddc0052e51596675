#pragma once
// The working state of one deflate run: the sliding window with its hash chains, the
// symbols of the current block, the Huffman trees and the bit output. Internal to the
// compressor; Deflate() allocates one per call.

#include "document/zip/Deflate.h"
#include "document/zip/DeflateTables.h"
#include "document/zip/ZipFormat.h"

#include <array>
#include <cstdint>
#include <span>

namespace kelmora::deflate {

inline constexpr uint32_t kDictionarySize = 32768;
inline constexpr uint32_t kDictionaryMask = kDictionarySize - 1;
// The window holds two dictionaries, so that it slides by one dictionary at a time.
inline constexpr uint32_t kWindowSize = 2 * kDictionarySize;
// Strings are found through two hash tables. The chains hang off a hash of the first four
// bytes: strings that share only three bytes, which are most of the candidates of a
// three-byte hash in text and code, never enter them, so that a search walks through far
// fewer candidates and reaches as far back with them. A second table keeps, for a hash of
// the first three bytes, only the latest string: the one three-byte match worth sending.
// 2^16 heads for four bytes keep collisions rare in a 64 KiB window; 2^15 suffice for
// the one entry per three bytes.
inline constexpr uint32_t kHash4Bits = 16;
inline constexpr uint32_t kHash3Bits = 15;
inline constexpr uint32_t kMinMatch = 3;
inline constexpr uint32_t kMaxMatch = 258;
// The matcher always has a full match and the next string's hash bytes ahead of it.
inline constexpr uint32_t kMinLookahead = kMaxMatch + kMinMatch + 1;
// Matches reach back no further than this, so that a match never starts in bytes
// the next slide of the window will drop.
inline constexpr uint32_t kMaxDistance = kDictionarySize - kMinLookahead;
// Lazy mode drops a 3-byte match farther back than this: its distance code and extra
// bits cost more than the three literals.
inline constexpr uint32_t kTooFar = 4096;
// The matcher compares 8 bytes at a time and may read up to 8 bytes past a 258-byte
// match; the padding keeps those reads inside the allocation.
inline constexpr uint32_t kWindowPadding = 64;
// Symbols buffered per block: a block ends at 32767 symbols.
inline constexpr uint32_t kSymbolBufferSize = 32768;
inline constexpr int kHeapSize = 2 * kLiteralLengthCodes + 1;

// Fibonacci hashing: the multiplier's high bits mix every input bit, and the top bits of
// the product are the hash.
inline constexpr uint32_t kHashMultiplier = 0x9E3779B1u;

struct LevelParameters {
    uint16_t goodLength; // a previous match this long quarters the chain search
    uint16_t maxLazy;    // lazy: search no further after a match this long; greedy: insert matches up to this long
    uint16_t niceLength; // stop searching at a match this long
    uint16_t maxChain;   // candidates tried per search
};

inline constexpr std::array<LevelParameters, 10> kLevelParameters = { {
    { 0, 0, 0, 0 },
    { 4, 4, 8, 4 },
    { 4, 5, 16, 8 },
    { 4, 6, 32, 32 },
    { 4, 4, 16, 16 },
    { 8, 16, 32, 32 },
    { 8, 16, 128, 128 },
    { 8, 32, 128, 256 },
    { 32, 128, 258, 1024 },
    { 32, 258, 258, 4096 }, // kept for completeness; level 9 is not accepted
} };

inline constexpr int kMinLevel = 1;
inline constexpr int kMaxLevel = 8;
// Greedy matching up to this level, lazy above it.
inline constexpr int kMaxGreedyLevel = 3;

// Bits are sent least significant first. The 64-bit buffer spills whole 32-bit words
// into the output buffer, which goes to the sink when full and at every byte alignment.
class BitWriter {
public:
    void Start(std::span<uint8_t> buffer, DeflateSink& sink)
    {
        m_buffer = buffer;
        m_sink = &sink;
    }

    // `count` is at most 32; the buffer holds fewer than 32 bits between calls.
    void Put(uint32_t value, uint32_t count)
    {
        m_bits |= uint64_t(value) << m_count;
        m_count += count;
        if (m_count >= 32)
            Spill();
    }

    // Sends the bits still buffered, padded to a whole byte, and flushes the buffer.
    void AlignToByte();
    // Hands the bytes straight to the sink; only after AlignToByte.
    void PutAlignedBytes(std::span<const uint8_t> bytes);

    bool Failed() const { return m_failed; }
    uint64_t BytesWritten() const { return m_bytesWritten; }

private:
    void Spill();
    void FlushBuffer();

    std::span<uint8_t> m_buffer;
    size_t m_fill = 0;
    DeflateSink* m_sink = nullptr;
    uint64_t m_bits = 0;
    uint32_t m_count = 0;
    uint64_t m_bytesWritten = 0;
    bool m_failed = false;
};

struct HuffmanTree {
    // Leaves first, then the inner nodes of the tree being built.
    std::array<uint32_t, kHeapSize> freq;
    std::array<uint16_t, kHeapSize> dad;
    std::array<uint8_t, kHeapSize> length;
    std::array<uint16_t, kHeapSize> code; // bit-reversed, ready to send
    int maxCode;                          // largest symbol with a non-zero frequency
};

// What build needs to know about one of the three trees.
struct TreeShape {
    int symbols;
    int maxLength;
    const uint8_t* extraBits; // per symbol from extraBase on, or null
    int extraBase;
    const uint8_t* fixedLength; // the fixed code's lengths, or null
};

class DeflateState {
public:
    DeflateState();

    // Validates the level and runs the whole input through the matcher.
    DeflateOutcome Run(int level, DeflateSource& source, DeflateSink& sink, std::span<uint8_t> outputBuffer);

private:
    // Matcher (Deflate.cpp).
    void FillWindow();
    // The latest earlier strings that share the first four and the first three bytes
    // (hash permitting) of the string at `position`, 0 for none.
    struct Candidates {
        uint32_t chain = 0;
        uint32_t three = 0;
    };
    // Enters the string at `position` into both tables. It reads four bytes, which the
    // window's padding allows at its end.
    Candidates InsertString(uint32_t position)
    {
        const uint32_t word = zipformat::LoadU32(m_window.data() + position);
        const uint32_t hash4 = (word * kHashMultiplier) >> (32 - kHash4Bits);
        const uint32_t hash3 = ((word << 8) * kHashMultiplier) >> (32 - kHash3Bits);
        const Candidates found { m_head4[hash4], m_head3[hash3] };
        m_prev[position & kDictionaryMask] = uint16_t(found.chain);
        m_head4[hash4] = uint16_t(position);
        m_head3[hash3] = uint16_t(position);
        return found;
    }
    // The longest match for the current string among the candidates, longer than the
    // previous match; its start goes to m_matchStart.
    uint32_t LongestMatch(const Candidates& candidates);
    // Whether a candidate is within reach of the current string.
    bool InReach(uint32_t candidate) const { return candidate != 0 && m_position - candidate <= kMaxDistance; }
    void CompressGreedy();
    void CompressLazy();
    void EndBlock(bool last);

    // Symbols and blocks (DeflateBlocks.cpp).
    void StartBlock();
    bool TallyLiteral(uint8_t literal)
    {
        m_symbolLength[m_symbolCount] = literal;
        m_symbolDistance[m_symbolCount] = 0;
        ++m_symbolCount;
        ++m_literalTree.freq[literal];
        return BlockIsFull();
    }
    bool TallyMatch(uint32_t distance, uint32_t lengthMinus3);
    bool BlockIsFull();
    void FlushBlock(const uint8_t* storedBytes, uint64_t storedLength, bool last);
    void BuildTree(HuffmanTree& tree, const TreeShape& shape);
    void GenerateLengths(HuffmanTree& tree, const TreeShape& shape);
    void GenerateCodes(HuffmanTree& tree, int maxCode);
    void RestoreHeapDown(HuffmanTree& tree, int node);
    void ScanTree(const HuffmanTree& tree, int maxCode);
    void SendTree(const HuffmanTree& tree, int maxCode);
    int BuildBitLengthTree();
    void SendAllTrees(int literalCodes, int distanceCodes, int bitLengthCodes);
    void SendStoredBlock(const uint8_t* bytes, uint64_t length, bool last);
    void CompressBlock(const uint16_t* literalCode, const uint8_t* literalLength, const uint16_t* distanceCode,
        const uint8_t* distanceLength);
    void RecordError(const char* text)
    {
        if (!m_error)
            m_error = text;
    }

    // The window and its hash tables. Positions are window offsets; 0 in the head and
    // chain tables means no entry, so position 0 is never the start of a match.
    std::array<uint8_t, kWindowSize + kWindowPadding> m_window;
    std::array<uint16_t, kDictionarySize> m_prev;
    std::array<uint16_t, 1u << kHash4Bits> m_head4;
    std::array<uint16_t, 1u << kHash3Bits> m_head3;

    // Symbols of the current block: a literal byte or a match length - 3, with the
    // match distance (0 for a literal).
    std::array<uint8_t, kSymbolBufferSize> m_symbolLength;
    std::array<uint16_t, kSymbolBufferSize> m_symbolDistance;
    uint32_t m_symbolCount = 0;
    uint32_t m_matchCount = 0;

    HuffmanTree m_literalTree;
    HuffmanTree m_distanceTree;
    HuffmanTree m_bitLengthTree;
    std::array<int, kHeapSize> m_heap;
    std::array<uint8_t, kHeapSize> m_depth;
    int m_heapLength = 0;
    int m_heapMax = 0;
    std::array<uint32_t, kMaxCodeBits + 1> m_lengthCount;
    uint64_t m_optimalBits = 0; // the block with its own codes, trees included
    uint64_t m_fixedBits = 0;   // the block with the fixed codes

    BitWriter m_out;
    DeflateSource* m_source = nullptr;
    int m_level = 0;
    LevelParameters m_parameters {};

    int64_t m_blockStart = 0; // negative once the block's start has slid out of the window
    uint32_t m_position = 0;  // the current string
    uint32_t m_lookahead = 0; // bytes from m_position to the end of the input read so far
    uint32_t m_matchStart = 0;
    uint32_t m_prevLength = kMinMatch - 1;
    bool m_inputEnded = false;
    const char* m_error = nullptr;
};

} // namespace kelmora::deflate
