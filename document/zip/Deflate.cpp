#include "document/zip/Deflate.h"

#include "document/zip/DeflateState.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>

namespace kelmora {

namespace deflate {

DeflateState::DeflateState()
{
    // Zeroed so that the matcher's reads past the end of the input, which its length
    // cap makes harmless, never see uninitialised memory.
    m_window.fill(0);
    m_prev.fill(0);
    m_head4.fill(0);
    m_head3.fill(0);
}

DeflateOutcome DeflateState::Run(int level, DeflateSource& source, DeflateSink& sink, std::span<uint8_t> outputBuffer)
{
    if (level < kMinLevel || level > kMaxLevel)
        return { 0, "bad pack level" };
    m_level = level;
    m_parameters = kLevelParameters[size_t(level)];
    m_source = &source;
    m_out.Start(outputBuffer, sink);
    StartBlock();

    FillWindow();

    if (level <= kMaxGreedyLevel)
        CompressGreedy();
    else
        CompressLazy();

    if (m_out.Failed())
        RecordError("short write");
    return { m_out.BytesWritten(), m_error };
}

void DeflateState::FillWindow()
{
    do {
        uint32_t room = kWindowSize - m_lookahead - m_position;
        // Slide by one dictionary once the current string is too far up for a full
        // match and its lookahead to fit. Table entries that fall off become "none".
        if (m_position >= kDictionarySize + kMaxDistance) {
            std::memcpy(m_window.data(), m_window.data() + kDictionarySize, kDictionarySize);
            m_matchStart = m_matchStart >= kDictionarySize ? m_matchStart - kDictionarySize : 0;
            m_position -= kDictionarySize;
            m_blockStart -= kDictionarySize;
            auto slide = [](auto& table) {
                for (uint16_t& entry : table)
                    entry = uint16_t(entry >= kDictionarySize ? entry - kDictionarySize : 0);
            };
            slide(m_head4);
            slide(m_head3);
            slide(m_prev);
            room += kDictionarySize;
        }
        if (m_inputEnded)
            return;
        if (room < 2) {
            RecordError("more < 2");
            return;
        }
        size_t got = m_source->Read(std::span<uint8_t>(m_window.data() + m_position + m_lookahead, room));
        if (got == 0) {
            m_inputEnded = true;
            return;
        }
        m_lookahead += uint32_t(std::min<size_t>(got, room));
    } while (m_lookahead < kMinLookahead);
}

namespace {

// The number of equal leading bytes of two 8-byte words loaded from memory.
inline uint32_t EqualLeadingBytes(uint64_t a, uint64_t b)
{
    uint64_t difference = a ^ b;
    if constexpr (std::endian::native == std::endian::little)
        return uint32_t(std::countr_zero(difference)) >> 3;
    else
        return uint32_t(std::countl_zero(difference)) >> 3;
}

inline uint64_t LoadWord(const uint8_t* p)
{
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

inline uint32_t Load32(const uint8_t* p)
{
    uint32_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

inline uint16_t Load16(const uint8_t* p)
{
    uint16_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// Which of the first four bytes, loaded as one word, a better match must share: the
// first three while no match is in hand, all four once one of three bytes or more is.
inline uint32_t StartMask(uint32_t bestLength)
{
    uint32_t firstThree = std::endian::native == std::endian::little ? 0x00FFFFFFu : 0xFFFFFF00u;
    return bestLength >= kMinMatch ? 0xFFFFFFFFu : firstThree;
}

} // namespace

uint32_t DeflateState::LongestMatch(const Candidates& candidates)
{
    const uint8_t* window = m_window.data();
    const uint8_t* scan = window + m_position;
    uint32_t chainLength = m_parameters.maxChain;
    uint32_t bestLength = m_prevLength;
    uint32_t niceLength = std::min<uint32_t>(m_parameters.niceLength, m_lookahead);
    uint32_t limit = m_position > kMaxDistance ? m_position - kMaxDistance : 0;
    if (m_prevLength >= m_parameters.goodLength)
        chainLength >>= 2;

    // The length of the match with the string at `candidate`, up to kMaxMatch.
    auto matchLength = [scan, window](uint32_t candidate) {
        const uint8_t* match = window + candidate;
        uint32_t length = 0;
        while (length < kMaxMatch) {
            uint64_t a = LoadWord(scan + length);
            uint64_t b = LoadWord(match + length);
            if (a != b)
                return std::min(length + EqualLeadingBytes(a, b), kMaxMatch);
            length += 8;
        }
        return kMaxMatch;
    };

    // The latest string with the same first three bytes, while nothing as long is in
    // hand: the nearest three-byte match, the only one cheap enough to send.
    const uint32_t scanStart = Load32(scan);
    const uint32_t firstThree = std::endian::native == std::endian::little ? 0x00FFFFFFu : 0xFFFFFF00u;
    if (bestLength < kMinMatch && candidates.three > limit
        && ((Load32(window + candidates.three) ^ scanStart) & firstThree) == 0) {
        bestLength = matchLength(candidates.three);
        m_matchStart = candidates.three;
    }

    // The chain holds the strings with the same four-byte hash. A candidate can only
    // beat the best match if it agrees with the current string on the last two bytes of
    // that length, and on its first three bytes (four, once a match of three is in hand).
    // Those cheap tests reject most candidates; the same ones survive as with
    // byte-by-byte tests.
    uint32_t startMask = StartMask(bestLength);
    uint16_t scanEnd = Load16(scan + bestLength - 1);
    uint32_t candidate = candidates.chain;
    while (candidate > limit && bestLength < niceLength) {
        const uint8_t* match = window + candidate;
        // The next link is loaded first, so that its wait overlaps the tests below.
        uint32_t next = m_prev[candidate & kDictionaryMask];
        // One branch for both tests: which one fails is unpredictable.
        if ((uint32_t(Load16(match + bestLength - 1) ^ scanEnd) | ((Load32(match) ^ scanStart) & startMask)) == 0) {
            uint32_t length = matchLength(candidate);
            if (length > bestLength) {
                m_matchStart = candidate;
                bestLength = length;
                startMask = StartMask(bestLength);
                scanEnd = Load16(scan + bestLength - 1);
            }
        }
        if (--chainLength == 0)
            break;
        candidate = next;
    }

    // Near the end of the input the comparison runs on into bytes that are not part of
    // it (zeros, or data from before the last slide): a match never covers more than
    // the lookahead.
    return std::min(bestLength, m_lookahead);
}

void DeflateState::EndBlock(bool last)
{
    const uint8_t* stored = m_blockStart >= 0 ? m_window.data() + m_blockStart : nullptr;
    FlushBlock(stored, uint64_t(int64_t(m_position) - m_blockStart), last);
    m_blockStart = m_position;
}

// Levels 1 to 3: take the longest match at each position at once.
void DeflateState::CompressGreedy()
{
    const uint32_t maxInsertLength = m_parameters.maxLazy;
    for (;;) {
        if (m_lookahead < kMinLookahead) {
            FillWindow();
            if (m_lookahead == 0)
                break;
        }
        Candidates candidates;
        if (m_lookahead >= kMinMatch)
            candidates = InsertString(m_position);

        uint32_t matchLength = 0;
        if (InReach(candidates.chain) || InReach(candidates.three))
            matchLength = LongestMatch(candidates);

        bool blockFull;
        if (matchLength >= kMinMatch) {
            blockFull = TallyMatch(m_position - m_matchStart, matchLength - kMinMatch);
            m_lookahead -= matchLength;
            if (matchLength <= maxInsertLength && m_lookahead >= kMinMatch) {
                // Short matches: every string inside goes into the hash tables.
                while (--matchLength != 0) {
                    ++m_position;
                    InsertString(m_position);
                }
                ++m_position;
            } else {
                m_position += matchLength;
            }
        } else {
            blockFull = TallyLiteral(m_window[m_position]);
            --m_lookahead;
            ++m_position;
        }
        if (blockFull) {
            EndBlock(false);
            if (m_out.Failed())
                return;
        }
    }
    EndBlock(true);
}

// Levels 4 to 8: a match is only taken when the match at the next position is not
// longer; otherwise a literal is sent and the longer match considered in its turn.
void DeflateState::CompressLazy()
{
    bool matchAvailable = false;
    uint32_t matchLength = kMinMatch - 1;
    for (;;) {
        if (m_lookahead < kMinLookahead) {
            FillWindow();
            if (m_lookahead == 0)
                break;
        }
        Candidates candidates;
        if (m_lookahead >= kMinMatch)
            candidates = InsertString(m_position);

        m_prevLength = matchLength;
        uint32_t prevMatch = m_matchStart;
        matchLength = kMinMatch - 1;
        if (m_prevLength < m_parameters.maxLazy && (InReach(candidates.chain) || InReach(candidates.three))) {
            matchLength = LongestMatch(candidates);
            if (matchLength == kMinMatch && m_position - m_matchStart > kTooFar)
                matchLength = kMinMatch - 1;
        }

        if (m_prevLength >= kMinMatch && matchLength <= m_prevLength) {
            uint32_t lastInsert = m_position + m_lookahead - kMinMatch;
            bool blockFull = TallyMatch(m_position - 1 - prevMatch, m_prevLength - kMinMatch);
            // The previous match started one position back; its strings from the
            // current one on go into the hash chains.
            m_lookahead -= m_prevLength - 1;
            uint32_t remaining = m_prevLength - 2;
            do {
                if (++m_position <= lastInsert)
                    InsertString(m_position);
            } while (--remaining != 0);
            matchAvailable = false;
            matchLength = kMinMatch - 1;
            ++m_position;
            if (blockFull) {
                EndBlock(false);
                if (m_out.Failed())
                    return;
            }
        } else if (matchAvailable) {
            if (TallyLiteral(m_window[m_position - 1])) {
                EndBlock(false);
                if (m_out.Failed())
                    return;
            }
            ++m_position;
            --m_lookahead;
        } else {
            matchAvailable = true;
            ++m_position;
            --m_lookahead;
        }
    }
    if (matchAvailable)
        TallyLiteral(m_window[m_position - 1]);
    EndBlock(true);
}

} // namespace deflate

uint16_t DeflateLevelFlags(int level)
{
    if (level == 1 || level == 2)
        return 4;
    if (level >= 8)
        return 2;
    return 0;
}

DeflateOutcome Deflate(int level, DeflateSource& source, DeflateSink& sink, std::span<uint8_t> outputBuffer)
{
    if (outputBuffer.size() < 64)
        return { 0, "output buffer too small" };
    auto state = std::make_unique<deflate::DeflateState>();
    return state->Run(level, source, sink, outputBuffer);
}

namespace {

class MemorySource final : public DeflateSource {
public:
    explicit MemorySource(std::span<const uint8_t> input) : m_input(input) { }
    size_t Read(std::span<uint8_t> buffer) override
    {
        size_t count = std::min(buffer.size(), m_input.size());
        if (count > 0)
            std::memcpy(buffer.data(), m_input.data(), count);
        m_input = m_input.subspan(count);
        return count;
    }

private:
    std::span<const uint8_t> m_input;
};

class VectorSink final : public DeflateSink {
public:
    explicit VectorSink(std::vector<uint8_t>& output) : m_output(output) { }
    bool Write(std::span<const uint8_t> bytes) override
    {
        m_output.insert(m_output.end(), bytes.begin(), bytes.end());
        return true;
    }

private:
    std::vector<uint8_t>& m_output;
};

} // namespace

DeflateOutcome DeflateBytes(int level, std::span<const uint8_t> input, std::vector<uint8_t>& output)
{
    MemorySource source(input);
    VectorSink sink(output);
    std::array<uint8_t, 16384> buffer;
    return Deflate(level, source, sink, buffer);
}

} // namespace kelmora
