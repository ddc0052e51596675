#include "document/zip/Deflate.h"

#include "ZipTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <random>

#include <zlib.h>

namespace kelmora {

using namespace ziptest;

namespace {

Bytes Compress(const Bytes& input, int level = kSystemDeflateLevel)
{
    Bytes output;
    DeflateOutcome outcome = DeflateBytes(level, input, output);
    EXPECT_TRUE(outcome.Succeeded()) << outcome.error;
    EXPECT_EQ(outcome.compressedSize, output.size());
    return output;
}

// Checks with zlib, and with the test's own decoder, that the stream gives the input back.
void ExpectRoundTrip(const Bytes& input, int level, const std::string& what)
{
    Bytes compressed = Compress(input, level);
    std::optional<Bytes> inflated = Inflate(compressed);
    ASSERT_TRUE(inflated) << what << ": zlib rejects the stream";
    ASSERT_EQ(inflated->size(), input.size()) << what;
    EXPECT_TRUE(*inflated == input) << what;
}

const std::vector<size_t> kEdgeSizes
    = { 0, 1, 3, 261, 262, 263, 16384, 16385, 32767, 32768, 32769, 65273, 65274, 65275, 65536 };

} // namespace

TEST(Deflate, OutputInflatesToTheInputAtTheEdgeSizes)
{
    for (DataKind kind : { DataKind::Zeros, DataKind::Text, DataKind::Random }) {
        for (size_t size : kEdgeSizes)
            ExpectRoundTrip(MakeData(kind, size), kSystemDeflateLevel,
                std::string(DataKindName(kind)) + " " + std::to_string(size));
    }
}

TEST(Deflate, EveryLevelRoundTrips)
{
    Bytes mixed = MakeData(DataKind::Text, 150000);
    Bytes noise = MakeData(DataKind::Random, 20000, 7);
    mixed.insert(mixed.begin() + 40000, noise.begin(), noise.end());
    for (int level = 1; level <= 8; ++level)
        ExpectRoundTrip(mixed, level, "level " + std::to_string(level));
}

// Periodic data leaves copies of its pattern in the window beyond the end of the input
// (zeros from the allocation, or bytes from before a slide); a match that ran on into
// them would decode to more bytes than were compressed.
TEST(Deflate, MatchesStopAtTheEndOfTheInput)
{
    for (size_t size : { 4, 5, 100, 300, 65540, 98307, 131075, 200001 }) {
        Bytes periodic(size);
        for (size_t i = 0; i < size; ++i)
            periodic[i] = uint8_t("abcd"[i % 4]);
        for (int level : { 1, 3, 4, 8 }) {
            ExpectRoundTrip(periodic, level, "abcd " + std::to_string(size));
            ExpectRoundTrip(Bytes(size, 0), level, "zeros " + std::to_string(size));
        }
    }
}

// The matcher finds what zlib's does at the same level: on text and on record-like binary
// data, with slides of the window, the stream is at most 1 % longer than zlib's.
TEST(Deflate, CompressesAsWellAsZlibAtTheSameLevel)
{
    Bytes records;
    for (uint32_t i = 0; i < 20000; ++i) {
        const uint32_t fields[] = { i, 0xFF000000u | (i * 2654435761u >> 8), 1u + i % 5, 24u * (i % 100), 0u };
        const auto* bytes = reinterpret_cast<const uint8_t*>(fields);
        records.insert(records.end(), bytes, bytes + sizeof fields);
    }
    for (const Bytes& input : { MakeData(DataKind::Text, 300000), records }) {
        z_stream stream {};
        ASSERT_EQ(deflateInit2(&stream, kSystemDeflateLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY), Z_OK);
        Bytes reference(deflateBound(&stream, uLong(input.size())));
        stream.next_in = const_cast<Bytef*>(input.data());
        stream.avail_in = uInt(input.size());
        stream.next_out = reference.data();
        stream.avail_out = uInt(reference.size());
        ASSERT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
        const size_t zlibSize = stream.total_out;
        deflateEnd(&stream);
        const Bytes compressed = Compress(input);
        EXPECT_LE(double(compressed.size()), 1.01 * double(zlibSize)) << input.size();
        EXPECT_EQ(Inflate(compressed), input);
    }
}

TEST(Deflate, EmptyInputIsOneFixedBlockWithOnlyTheEndCode)
{
    EXPECT_EQ(Compress({}), (Bytes { 0x03, 0x00 }));
}

TEST(Deflate, ShortTextMatchesZlibByteForByte)
{
    std::string text = "Logo Logo Logo Logo";
    EXPECT_EQ(Compress(Bytes(text.begin(), text.end())), (Bytes { 0xF3, 0xC9, 0x4F, 0xCF, 0x57, 0xF0, 0x41, 0x21, 0x00 }));
}

TEST(Deflate, RandomInputGoesIntoStoredBlocks)
{
    Bytes input = MakeData(DataKind::Random, 100000, 3);
    auto blocks = DecodeDeflate(Compress(input));
    ASSERT_TRUE(blocks);
    size_t total = 0;
    for (const DeflateBlock& block : *blocks) {
        EXPECT_EQ(block.type, 0);
        total += block.storedLength;
    }
    EXPECT_EQ(total, input.size());
    EXPECT_TRUE(blocks->back().final);
}

TEST(Deflate, ARunOfOneByteBecomesLongestMatchesAtDistanceOne)
{
    Bytes input(100000, 'a');
    auto blocks = DecodeDeflate(Compress(input));
    ASSERT_TRUE(blocks);
    std::vector<DeflateSymbol> symbols;
    for (const DeflateBlock& block : *blocks)
        symbols.insert(symbols.end(), block.symbols.begin(), block.symbols.end());
    // A few literals first: position 0 can never be the target of a match.
    size_t literals = 0;
    while (literals < symbols.size() && symbols[literals].length == 0)
        ++literals;
    EXPECT_GE(literals, 1u);
    EXPECT_LE(literals, 3u);
    size_t covered = literals;
    for (size_t i = literals; i < symbols.size(); ++i) {
        ASSERT_EQ(symbols[i].distance, 1) << i;
        if (i + 1 < symbols.size()) {
            EXPECT_EQ(symbols[i].length, 258) << i;
        }
        covered += symbols[i].length;
    }
    EXPECT_EQ(covered, input.size());
}

// Distance codes used with frequencies along the Fibonacci sequence make the optimal
// distance code 18 bits deep, so the lengths must be limited to 15 and the code still be
// complete. The input is random bytes and copies of 8 bytes from a distance of each
// code, two copies per random byte, so that the block does not end early.
TEST(Deflate, CodeLengthsAreLimitedForSkewedFrequencies)
{
    static constexpr std::array<uint16_t, 19> kDistanceBase
        = { 1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129, 193, 257, 385, 513 };
    std::mt19937 random(5);
    Bytes input = MakeData(DataKind::Random, 1000, 5);
    std::vector<int> codes;
    uint32_t a = 1, b = 1;
    for (int code = 0; code < int(kDistanceBase.size()); ++code) {
        codes.insert(codes.end(), a, code);
        uint32_t next = a + b;
        a = b;
        b = next;
    }
    std::shuffle(codes.begin(), codes.end(), random);
    for (size_t i = 0; i < codes.size(); ++i) {
        if (i % 2 == 0)
            input.push_back(uint8_t(random()));
        size_t from = input.size() - kDistanceBase[size_t(codes[i])];
        for (size_t k = 0; k < 8; ++k)
            input.push_back(input[from + k]);
    }
    for (int level : { 1, 8 })
        ExpectRoundTrip(input, level, "skewed distances");
}

TEST(Deflate, LevelsOutsideOneToEightAreRefused)
{
    struct CountingSource final : DeflateSource {
        size_t reads = 0;
        size_t Read(std::span<uint8_t>) override
        {
            ++reads;
            return 0;
        }
    } source;
    struct NullSink final : DeflateSink {
        bool Write(std::span<const uint8_t>) override { return true; }
    } sink;
    std::array<uint8_t, 16384> buffer;
    for (int level : { 0, 9, -1 }) {
        DeflateOutcome outcome = Deflate(level, source, sink, buffer);
        EXPECT_STREQ(outcome.error, "bad pack level");
        EXPECT_EQ(outcome.compressedSize, 0u);
    }
    EXPECT_EQ(source.reads, 0u);
    EXPECT_EQ(DeflateLevelFlags(8), 2);
    EXPECT_EQ(DeflateLevelFlags(1), 4);
    EXPECT_EQ(DeflateLevelFlags(5), 0);
}

TEST(Deflate, AFailingSinkFailsTheCompression)
{
    struct FailingSink final : DeflateSink {
        bool Write(std::span<const uint8_t>) override { return false; }
    } sink;
    Bytes input = MakeData(DataKind::Random, 50000);
    struct Source final : DeflateSource {
        std::span<const uint8_t> rest;
        size_t Read(std::span<uint8_t> buffer) override
        {
            size_t n = std::min(buffer.size(), rest.size());
            std::copy_n(rest.begin(), n, buffer.begin());
            rest = rest.subspan(n);
            return n;
        }
    } source;
    source.rest = input;
    std::array<uint8_t, 64> buffer;
    DeflateOutcome outcome = Deflate(kSystemDeflateLevel, source, sink, buffer);
    EXPECT_FALSE(outcome.Succeeded());
}

TEST(Deflate, SmallOutputBufferAndTrickleInputGiveTheSameStream)
{
    Bytes input = MakeData(DataKind::Text, 70000);
    struct TrickleSource final : DeflateSource {
        std::span<const uint8_t> rest;
        size_t Read(std::span<uint8_t> buffer) override
        {
            size_t n = std::min({ buffer.size(), rest.size(), size_t(97) });
            std::copy_n(rest.begin(), n, buffer.begin());
            rest = rest.subspan(n);
            return n;
        }
    } source;
    source.rest = input;
    struct Sink final : DeflateSink {
        Bytes bytes;
        bool Write(std::span<const uint8_t> b) override
        {
            bytes.insert(bytes.end(), b.begin(), b.end());
            return true;
        }
    } sink;
    std::array<uint8_t, 64> buffer;
    ASSERT_TRUE(Deflate(kSystemDeflateLevel, source, sink, buffer).Succeeded());
    EXPECT_EQ(sink.bytes, Compress(input));
}

} // namespace kelmora
