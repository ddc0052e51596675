// Blocks of the deflate stream: the symbol buffer, the Huffman trees built for each
// block, the choice between stored, fixed and dynamic blocks, and the bit output.

#include "document/zip/DeflateState.h"

#include <algorithm>

namespace kelmora::deflate {

namespace {

constexpr std::array<uint8_t, kDistanceCodes> MakeFixedDistanceLengths()
{
    std::array<uint8_t, kDistanceCodes> lengths {};
    lengths.fill(5);
    return lengths;
}
constexpr std::array<uint8_t, kDistanceCodes> kFixedDistanceLength = MakeFixedDistanceLengths();

const TreeShape kLiteralShape { kLiteralLengthCodes, kMaxCodeBits, kLengthExtraBits.data(), kLiterals + 1,
    kTables.fixedLiteralLength.data() };
const TreeShape kDistanceShape { kDistanceCodes, kMaxCodeBits, kDistanceExtraBits.data(), 0,
    kFixedDistanceLength.data() };
const TreeShape kBitLengthShape { kBitLengthCodes, kMaxBitLengthBits, kBitLengthExtraBits.data(), 0, nullptr };

// Every this many symbols, a block that compresses well is checked for an early end.
constexpr uint32_t kBlockCheckInterval = 0x1000;

} // namespace

void BitWriter::Spill()
{
    if (m_fill + 4 > m_buffer.size())
        FlushBuffer();
    uint32_t word = uint32_t(m_bits);
    m_buffer[m_fill] = uint8_t(word);
    m_buffer[m_fill + 1] = uint8_t(word >> 8);
    m_buffer[m_fill + 2] = uint8_t(word >> 16);
    m_buffer[m_fill + 3] = uint8_t(word >> 24);
    m_fill += 4;
    m_bits >>= 32;
    m_count -= 32;
}

void BitWriter::FlushBuffer()
{
    if (m_fill == 0)
        return;
    if (!m_failed) {
        if (m_sink->Write(std::span<const uint8_t>(m_buffer.data(), m_fill)))
            m_bytesWritten += m_fill;
        else
            m_failed = true;
    }
    m_fill = 0;
}

void BitWriter::AlignToByte()
{
    while (m_count > 0) {
        if (m_fill + 1 > m_buffer.size())
            FlushBuffer();
        m_buffer[m_fill++] = uint8_t(m_bits);
        m_bits >>= 8;
        m_count = m_count > 8 ? m_count - 8 : 0;
    }
    m_bits = 0;
    FlushBuffer();
}

void BitWriter::PutAlignedBytes(std::span<const uint8_t> bytes)
{
    FlushBuffer();
    if (m_failed || bytes.empty())
        return;
    if (m_sink->Write(bytes))
        m_bytesWritten += bytes.size();
    else
        m_failed = true;
}

void DeflateState::StartBlock()
{
    std::fill_n(m_literalTree.freq.begin(), kLiteralLengthCodes, 0u);
    std::fill_n(m_distanceTree.freq.begin(), kDistanceCodes, 0u);
    std::fill_n(m_bitLengthTree.freq.begin(), kBitLengthCodes, 0u);
    m_literalTree.freq[kEndOfBlock] = 1;
    m_optimalBits = 0;
    m_fixedBits = 0;
    m_symbolCount = 0;
    m_matchCount = 0;
}

bool DeflateState::TallyMatch(uint32_t distance, uint32_t lengthMinus3)
{
    if (distance == 0 || distance > kMaxDistance || lengthMinus3 > kMaxMatch - kMinMatch) {
        RecordError("ct_tally: bad match");
        return false;
    }
    m_symbolLength[m_symbolCount] = uint8_t(lengthMinus3);
    m_symbolDistance[m_symbolCount] = uint16_t(distance);
    ++m_symbolCount;
    ++m_matchCount;
    ++m_literalTree.freq[kTables.lengthCode[lengthMinus3] + kLiterals + 1];
    ++m_distanceTree.freq[DistanceCode(distance - 1)];
    return BlockIsFull();
}

bool DeflateState::BlockIsFull()
{
    // A block of mostly literals that already halves its input ends early, so that
    // the data after it gets codes fitted to itself.
    if (m_level > 2 && (m_symbolCount % kBlockCheckInterval) == 0) {
        uint64_t outBits = uint64_t(m_symbolCount) * 8;
        for (int code = 0; code < kDistanceCodes; ++code)
            outBits += uint64_t(m_distanceTree.freq[code]) * (5 + kDistanceExtraBits[code]);
        uint64_t outBytes = outBits >> 3;
        uint64_t inBytes = uint64_t(int64_t(m_position) - m_blockStart);
        if (m_matchCount < m_symbolCount / 2 && outBytes < inBytes / 2)
            return true;
    }
    return m_symbolCount == kSymbolBufferSize - 1 || m_matchCount == kSymbolBufferSize;
}

void DeflateState::FlushBlock(const uint8_t* storedBytes, uint64_t storedLength, bool last)
{
    BuildTree(m_literalTree, kLiteralShape);
    BuildTree(m_distanceTree, kDistanceShape);
    int maxBitLengthIndex = BuildBitLengthTree();

    // Sizes in bytes, each with the 3 header bits, rounded up.
    uint64_t optimalBytes = (m_optimalBits + 3 + 7) >> 3;
    uint64_t fixedBytes = (m_fixedBits + 3 + 7) >> 3;
    uint64_t bestBytes = std::min(optimalBytes, fixedBytes);

    // A stored block also needs its 4 length bytes, and its bytes still in the window.
    if (storedBytes && storedLength + 4 <= bestBytes) {
        SendStoredBlock(storedBytes, storedLength, last);
    } else if (fixedBytes == bestBytes) {
        m_out.Put((1u << 1) + (last ? 1 : 0), 3);
        CompressBlock(kTables.fixedLiteralCode.data(), kTables.fixedLiteralLength.data(),
            kTables.fixedDistanceCode.data(), kFixedDistanceLength.data());
    } else {
        m_out.Put((2u << 1) + (last ? 1 : 0), 3);
        SendAllTrees(m_literalTree.maxCode + 1, m_distanceTree.maxCode + 1, maxBitLengthIndex + 1);
        CompressBlock(m_literalTree.code.data(), m_literalTree.length.data(), m_distanceTree.code.data(),
            m_distanceTree.length.data());
    }
    StartBlock();
    if (last)
        m_out.AlignToByte();
}

void DeflateState::SendStoredBlock(const uint8_t* bytes, uint64_t length, bool last)
{
    // A stored block holds at most 65535 bytes; a longer run is sent as several.
    do {
        uint32_t chunk = uint32_t(std::min<uint64_t>(length, 0xFFFF));
        bool final = last && chunk == length;
        m_out.Put(final ? 1 : 0, 3);
        m_out.AlignToByte();
        m_out.Put(chunk, 16);
        m_out.Put(~chunk & 0xFFFF, 16);
        m_out.PutAlignedBytes(std::span<const uint8_t>(bytes, chunk));
        bytes += chunk;
        length -= chunk;
    } while (length > 0);
}

void DeflateState::CompressBlock(const uint16_t* literalCode, const uint8_t* literalLength,
    const uint16_t* distanceCode, const uint8_t* distanceLength)
{
    for (uint32_t i = 0; i < m_symbolCount; ++i) {
        uint32_t distance = m_symbolDistance[i];
        uint32_t symbol = m_symbolLength[i];
        if (distance == 0) {
            m_out.Put(literalCode[symbol], literalLength[symbol]);
            continue;
        }
        // The length code and its extra bits go out together (at most 15 + 5 bits),
        // then the distance code and its extra bits (at most 15 + 13).
        int code = kTables.lengthCode[symbol];
        int lengthSymbol = code + kLiterals + 1;
        uint32_t extra = kLengthExtraBits[size_t(code)];
        m_out.Put(literalCode[lengthSymbol] | ((symbol - kTables.baseLength[size_t(code)]) << literalLength[lengthSymbol]),
            literalLength[lengthSymbol] + extra);
        --distance;
        code = DistanceCode(distance);
        extra = kDistanceExtraBits[size_t(code)];
        m_out.Put(distanceCode[code] | ((distance - kTables.baseDistance[size_t(code)]) << distanceLength[code]),
            distanceLength[code] + extra);
    }
    m_out.Put(literalCode[kEndOfBlock], literalLength[kEndOfBlock]);
}

namespace {

inline bool Smaller(const HuffmanTree& tree, const std::array<uint8_t, kHeapSize>& depth, int n, int m)
{
    return tree.freq[n] < tree.freq[m] || (tree.freq[n] == tree.freq[m] && depth[n] <= depth[m]);
}

} // namespace

void DeflateState::RestoreHeapDown(HuffmanTree& tree, int node)
{
    int value = m_heap[node];
    int child = node << 1;
    while (child <= m_heapLength) {
        if (child < m_heapLength && Smaller(tree, m_depth, m_heap[child + 1], m_heap[child]))
            ++child;
        if (Smaller(tree, m_depth, value, m_heap[child]))
            break;
        m_heap[node] = m_heap[child];
        node = child;
        child <<= 1;
    }
    m_heap[node] = value;
}

// Builds the Huffman tree of the symbols' frequencies, limits its code lengths and
// assigns canonical codes; adds the block's cost with these codes (and with the fixed
// codes, where there are any) to the running sizes.
void DeflateState::BuildTree(HuffmanTree& tree, const TreeShape& shape)
{
    int maxCode = -1;
    m_heapLength = 0;
    m_heapMax = kHeapSize;
    for (int n = 0; n < shape.symbols; ++n) {
        if (tree.freq[n] != 0) {
            m_heap[++m_heapLength] = maxCode = n;
            m_depth[n] = 0;
        } else {
            tree.length[n] = 0;
        }
    }
    // A code needs two symbols at least, even when fewer occur: a dummy symbol with
    // frequency 1 makes up the number. Its cost is taken off again here, since it is
    // never sent (symbols 0 and 1 have no extra bits).
    while (m_heapLength < 2) {
        int node = maxCode < 2 ? ++maxCode : 0;
        m_heap[++m_heapLength] = node;
        tree.freq[node] = 1;
        m_depth[node] = 0;
        --m_optimalBits;
        if (shape.fixedLength)
            m_fixedBits -= shape.fixedLength[node];
    }
    tree.maxCode = maxCode;

    for (int n = m_heapLength / 2; n >= 1; --n)
        RestoreHeapDown(tree, n);

    // Combine the two least frequent nodes until one is left. Removed nodes are kept
    // at the top of the heap array, least frequent last, for GenerateLengths.
    int node = shape.symbols;
    do {
        int n = m_heap[1];
        m_heap[1] = m_heap[m_heapLength--];
        RestoreHeapDown(tree, 1);
        int m = m_heap[1];
        m_heap[--m_heapMax] = n;
        m_heap[--m_heapMax] = m;
        tree.freq[node] = tree.freq[n] + tree.freq[m];
        m_depth[node] = uint8_t(std::max(m_depth[n], m_depth[m]) + 1);
        tree.dad[n] = tree.dad[m] = uint16_t(node);
        m_heap[1] = node++;
        RestoreHeapDown(tree, 1);
    } while (m_heapLength >= 2);
    m_heap[--m_heapMax] = m_heap[1];

    GenerateLengths(tree, shape);
    GenerateCodes(tree, maxCode);
}

void DeflateState::GenerateLengths(HuffmanTree& tree, const TreeShape& shape)
{
    m_lengthCount.fill(0);
    // Lengths from the root down; nodes deeper than allowed are cut to the maximum.
    tree.length[size_t(m_heap[size_t(m_heapMax)])] = 0;
    int overflow = 0;
    int h = m_heapMax + 1;
    for (; h < kHeapSize; ++h) {
        int n = m_heap[size_t(h)];
        int bits = tree.length[tree.dad[size_t(n)]] + 1;
        if (bits > shape.maxLength) {
            bits = shape.maxLength;
            ++overflow;
        }
        tree.length[size_t(n)] = uint8_t(bits);
        if (n > tree.maxCode)
            continue; // an inner node
        ++m_lengthCount[size_t(bits)];
        uint32_t extraBits = (shape.extraBits && n >= shape.extraBase) ? shape.extraBits[n - shape.extraBase] : 0;
        uint64_t freq = tree.freq[size_t(n)];
        m_optimalBits += freq * (uint64_t(bits) + extraBits);
        if (shape.fixedLength)
            m_fixedBits += freq * (uint64_t(shape.fixedLength[n]) + extraBits);
    }
    if (overflow == 0)
        return;

    // Repair the length counts: move a leaf from the deepest level that still has room
    // one level down, where it and an overlong leaf become two leaves.
    do {
        int bits = shape.maxLength - 1;
        while (m_lengthCount[size_t(bits)] == 0)
            --bits;
        --m_lengthCount[size_t(bits)];
        m_lengthCount[size_t(bits + 1)] += 2;
        --m_lengthCount[size_t(shape.maxLength)];
        overflow -= 2;
    } while (overflow > 0);

    // Hand the lengths out again, the longest to the least frequent leaves, in the order
    // in which they left the heap.
    for (int bits = shape.maxLength; bits != 0; --bits) {
        uint32_t count = m_lengthCount[size_t(bits)];
        while (count != 0) {
            int m = m_heap[size_t(--h)];
            if (m > tree.maxCode)
                continue;
            if (tree.length[size_t(m)] != bits) {
                m_optimalBits += uint64_t(int64_t(bits) - tree.length[size_t(m)]) * tree.freq[size_t(m)];
                tree.length[size_t(m)] = uint8_t(bits);
            }
            --count;
        }
    }
}

void DeflateState::GenerateCodes(HuffmanTree& tree, int maxCode)
{
    std::array<uint32_t, kMaxCodeBits + 1> next {};
    uint32_t code = 0;
    for (int bits = 1; bits <= kMaxCodeBits; ++bits) {
        code = (code + m_lengthCount[size_t(bits - 1)]) << 1;
        next[size_t(bits)] = code;
    }
    // A complete code uses up all 2^15 codes of the longest length.
    if (code + m_lengthCount[kMaxCodeBits] - 1 != (1u << kMaxCodeBits) - 1)
        RecordError("inconsistent bit counts");
    for (int n = 0; n <= maxCode; ++n) {
        int length = tree.length[size_t(n)];
        if (length == 0)
            continue;
        tree.code[size_t(n)] = ReverseBits(next[size_t(length)]++, length);
    }
}

// Counts the code-length symbols needed to send a tree's lengths, with runs of equal
// lengths coded by the repeat codes.
void DeflateState::ScanTree(const HuffmanTree& tree, int maxCode)
{
    int prevLength = -1;
    int nextLength = tree.length[0];
    int count = 0;
    int maxCount = 7;
    int minCount = 4;
    if (nextLength == 0) {
        maxCount = 138;
        minCount = 3;
    }
    for (int n = 0; n <= maxCode; ++n) {
        int length = nextLength;
        nextLength = n < maxCode ? tree.length[size_t(n + 1)] : -1;
        if (++count < maxCount && length == nextLength)
            continue;
        if (count < minCount)
            m_bitLengthTree.freq[size_t(length)] += uint32_t(count);
        else if (length != 0) {
            if (length != prevLength)
                ++m_bitLengthTree.freq[size_t(length)];
            ++m_bitLengthTree.freq[kRepeatPrevious3To6];
        } else if (count <= 10)
            ++m_bitLengthTree.freq[kRepeatZero3To10];
        else
            ++m_bitLengthTree.freq[kRepeatZero11To138];
        count = 0;
        prevLength = length;
        if (nextLength == 0) {
            maxCount = 138;
            minCount = 3;
        } else if (length == nextLength) {
            maxCount = 6;
            minCount = 3;
        } else {
            maxCount = 7;
            minCount = 4;
        }
    }
}

void DeflateState::SendTree(const HuffmanTree& tree, int maxCode)
{
    const HuffmanTree& bl = m_bitLengthTree;
    auto sendCode = [&](int symbol) { m_out.Put(bl.code[size_t(symbol)], bl.length[size_t(symbol)]); };
    int prevLength = -1;
    int nextLength = tree.length[0];
    int count = 0;
    int maxCount = 7;
    int minCount = 4;
    if (nextLength == 0) {
        maxCount = 138;
        minCount = 3;
    }
    for (int n = 0; n <= maxCode; ++n) {
        int length = nextLength;
        nextLength = n < maxCode ? tree.length[size_t(n + 1)] : -1;
        if (++count < maxCount && length == nextLength)
            continue;
        if (count < minCount) {
            do
                sendCode(length);
            while (--count != 0);
        } else if (length != 0) {
            if (length != prevLength) {
                sendCode(length);
                --count;
            }
            sendCode(kRepeatPrevious3To6);
            m_out.Put(uint32_t(count - 3), 2);
        } else if (count <= 10) {
            sendCode(kRepeatZero3To10);
            m_out.Put(uint32_t(count - 3), 3);
        } else {
            sendCode(kRepeatZero11To138);
            m_out.Put(uint32_t(count - 11), 7);
        }
        count = 0;
        prevLength = length;
        if (nextLength == 0) {
            maxCount = 138;
            minCount = 3;
        } else if (length == nextLength) {
            maxCount = 6;
            minCount = 3;
        } else {
            maxCount = 7;
            minCount = 4;
        }
    }
}

// Builds the code-length tree and returns the index in kBitLengthOrder of the last
// code length to send (at least 3, so at least 4 are sent).
int DeflateState::BuildBitLengthTree()
{
    ScanTree(m_literalTree, m_literalTree.maxCode);
    ScanTree(m_distanceTree, m_distanceTree.maxCode);
    BuildTree(m_bitLengthTree, kBitLengthShape);
    int maxIndex = kBitLengthCodes - 1;
    for (; maxIndex >= 3; --maxIndex) {
        if (m_bitLengthTree.length[kBitLengthOrder[size_t(maxIndex)]] != 0)
            break;
    }
    // The three counts of the header, and 3 bits per code length sent.
    m_optimalBits += 3 * (uint64_t(maxIndex) + 1) + 5 + 5 + 4;
    return maxIndex;
}

void DeflateState::SendAllTrees(int literalCodes, int distanceCodes, int bitLengthCodes)
{
    if (literalCodes < 257 || distanceCodes < 1 || bitLengthCodes < 4)
        RecordError("not enough codes");
    if (literalCodes > kLiteralLengthCodes || distanceCodes > kDistanceCodes || bitLengthCodes > kBitLengthCodes)
        RecordError("too many codes");
    m_out.Put(uint32_t(literalCodes - 257), 5);
    m_out.Put(uint32_t(distanceCodes - 1), 5);
    m_out.Put(uint32_t(bitLengthCodes - 4), 4);
    for (int rank = 0; rank < bitLengthCodes; ++rank)
        m_out.Put(m_bitLengthTree.length[kBitLengthOrder[size_t(rank)]], 3);
    SendTree(m_literalTree, literalCodes - 1);
    SendTree(m_distanceTree, distanceCodes - 1);
}

} // namespace kelmora::deflate
