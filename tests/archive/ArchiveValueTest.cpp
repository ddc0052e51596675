#include "archive/ArchiveTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

namespace kelmora {
namespace {

using namespace kelmora::test;
using Cause = ArchiveException::Cause;

TEST(ArchiveValues, FixedWidthValuesAreLittleEndian)
{
    Bytes bytes = Stored([](Archive& ar) {
        ar << std::int8_t(-1) << std::uint8_t(0x80) << std::int16_t(-2) << std::uint16_t(0x1234)
           << std::int32_t(-2) << std::uint32_t(0x12345678) << std::int64_t(-3)
           << std::uint64_t(0x0102030405060708) << 1.5f << 1.0 << true << false;
    });
    EXPECT_EQ(bytes, B({0xFF, 0x80, 0xFE, 0xFF, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12,
                        0xFD, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 8, 7, 6, 5, 4, 3, 2, 1,
                        0x00, 0x00, 0xC0, 0x3F, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 1, 0}));

    Loaded(bytes, [](Archive& ar) {
        EXPECT_EQ(ar.ReadInt8(), -1);
        EXPECT_EQ(ar.ReadUInt8(), 0x80);
        EXPECT_EQ(ar.ReadInt16(), -2);
        EXPECT_EQ(ar.ReadUInt16(), 0x1234);
        EXPECT_EQ(ar.ReadInt32(), -2);
        EXPECT_EQ(ar.ReadUInt32(), 0x12345678u);
        EXPECT_EQ(ar.ReadInt64(), -3);
        EXPECT_EQ(ar.ReadUInt64(), 0x0102030405060708u);
        EXPECT_EQ(ar.ReadFloat(), 1.5f);
        EXPECT_EQ(ar.ReadDouble(), 1.0);
        bool yes = false, no = true;
        ar >> yes >> no;
        EXPECT_TRUE(yes);
        EXPECT_FALSE(no);
        return 0;
    });
}

TEST(ArchiveValues, AnyNonZeroByteLoadsAsTrue)
{
    Loaded(B({2, 0xFF, 0}), [](Archive& ar) {
        EXPECT_TRUE(ar.ReadBool());
        EXPECT_TRUE(ar.ReadBool());
        EXPECT_FALSE(ar.ReadBool());
        return 0;
    });
}

TEST(ArchiveValues, ShortReadsThrowEndOfFile)
{
    EXPECT_EQ(LoadFailure(B({1, 2, 3}), [](Archive& ar) { return ar.ReadUInt32(); }), Cause::EndOfFile);
    EXPECT_EQ(LoadFailure(B({}), [](Archive& ar) { return ar.ReadBool(); }), Cause::EndOfFile);
    EXPECT_EQ(LoadFailure(B({1, 2}), [](Archive& ar) { return ar.ReadBytes(3); }), Cause::EndOfFile);
    // The raw read reports a short count instead.
    Loaded(B({1, 2}), [](Archive& ar) {
        std::uint8_t buffer[4];
        EXPECT_EQ(ar.Read(buffer, 4), 2u);
        return 0;
    });
}

TEST(ArchiveValues, DirectionIsEnforced)
{
    MemoryStream stream(B({1, 2, 3, 4}));
    Archive loading(stream, ArchiveMode::Load);
    auto cause = [](auto operation) {
        try {
            operation();
        } catch (const ArchiveException& error) {
            return error.GetCause();
        }
        return Cause::None;
    };
    EXPECT_EQ(cause([&] { loading << std::uint32_t(1); }), Cause::ReadOnly);
    EXPECT_EQ(cause([&] { loading.WriteString("x"); }), Cause::ReadOnly);
    EXPECT_EQ(cause([&] { loading.WriteObject(nullptr); }), Cause::ReadOnly);
    EXPECT_EQ(cause([&] { loading.WriteCount(1); }), Cause::ReadOnly);

    MemoryStream output;
    Archive storing(output, ArchiveMode::Store);
    EXPECT_EQ(cause([&] { storing.ReadUInt32(); }), Cause::WriteOnly);
    EXPECT_EQ(cause([&] { storing.ReadString(); }), Cause::WriteOnly);
    EXPECT_EQ(cause([&] { storing.ReadObject<CObject>(); }), Cause::WriteOnly);
    EXPECT_EQ(cause([&] { storing.RemainingBytes(); }), Cause::WriteOnly);
    EXPECT_TRUE(output.Bytes().empty());
}

// The stored string for `units` UTF-16 code units of 'a', without the characters.
Bytes StringHeader(std::uint32_t units)
{
    Bytes header = B({0xFF, 0xFE, 0xFF});
    if (units < 0xFF)
        return Concat({header, B({int(units)})});
    if (units < 0xFFFE)
        return Concat({header, B({0xFF, int(units & 0xFF), int(units >> 8)})});
    return Concat({header, B({0xFF, 0xFF, 0xFF, int(units & 0xFF), int((units >> 8) & 0xFF), int(units >> 16), 0})});
}

TEST(ArchiveStrings, LengthFormsAtEveryBoundary)
{
    for (std::uint32_t length : {0u, 1u, 254u, 255u, 0xFFFDu, 0xFFFEu, 0xFFFFu, 0x10000u}) {
        SCOPED_TRACE(length);
        std::string text(length, 'a');
        Bytes bytes = Stored([&](Archive& ar) { ar << text; });
        Bytes header = StringHeader(length);
        ASSERT_EQ(bytes.size(), header.size() + 2 * length);
        EXPECT_TRUE(std::equal(header.begin(), header.end(), bytes.begin()));
        if (length > 0) {
            EXPECT_EQ(bytes[header.size()], 'a');
        }
        EXPECT_EQ(Loaded(bytes, [](Archive& ar) { return ar.ReadString(); }), text);
    }
    EXPECT_EQ(Stored([](Archive& ar) { ar << "\xE2\x82\xAC"; }), B({0xFF, 0xFE, 0xFF, 1, 0xAC, 0x20}));
}

TEST(ArchiveStrings, EightBitFormLoadsAsWindows1252)
{
    EXPECT_EQ(Loaded(B({3, 'a', 0x80, 'b'}), [](Archive& ar) { return ar.ReadString(); }), "a\xE2\x82\xAC" "b");
    EXPECT_EQ(Loaded(B({0}), [](Archive& ar) { return ar.ReadString(); }), "");

    // Longer 8-bit lengths; 0xFFFE cannot use the two-byte form, whose value is the marker.
    struct Case { std::uint32_t length; Bytes header; };
    for (const Case& c : {Case{255, B({0xFF, 0xFF, 0x00})}, Case{0xFFFD, B({0xFF, 0xFD, 0xFF})},
                          Case{0xFFFE, B({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0, 0})},
                          Case{0x10000, B({0xFF, 0xFF, 0xFF, 0, 0, 1, 0})}}) {
        SCOPED_TRACE(c.length);
        Bytes bytes = Concat({c.header, Bytes(c.length, 'z')});
        EXPECT_EQ(Loaded(bytes, [](Archive& ar) { return ar.ReadString(); }), std::string(c.length, 'z'));
    }
}

TEST(ArchiveStrings, UnpairedSurrogatesSurviveALoadAndAStore)
{
    // A lone high surrogate, 'A', a valid pair (U+1F600) and a lone low surrogate.
    Bytes stored = B({0xFF, 0xFE, 0xFF, 5, 0x00, 0xD8, 'A', 0, 0x3D, 0xD8, 0x00, 0xDE, 0xFF, 0xDF});
    std::string text = Loaded(stored, [](Archive& ar) { return ar.ReadString(); });
    EXPECT_EQ(Stored([&](Archive& ar) { ar << text; }), stored);
}

TEST(ArchiveStrings, HugeDeclaredLengthsThrowBeforeAllocating)
{
    // 32-bit length of 2^32 - 2 units, and the 64-bit form with 2^64 - 1: both far more
    // than the bytes present; an allocation that size would fail with bad_alloc instead.
    Bytes unicode32 = B({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 'a', 0});
    Bytes ansi64 = Concat({B({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), Bytes(8, 0xFF), B({'a'})});
    for (const Bytes& bytes : {unicode32, ansi64})
        EXPECT_EQ(LoadFailure(bytes, [](Archive& ar) { return ar.ReadString(); }), Cause::EndOfFile);
    EXPECT_EQ(LoadFailure(B({1}), [](Archive& ar) { return ar.ReadBytes(std::numeric_limits<std::uint64_t>::max()); }),
              Cause::EndOfFile);
}

TEST(ArchiveCounts, ShortAndEscapedForms)
{
    struct Case { std::uint32_t count; Bytes bytes; };
    for (const Case& c : {Case{0, B({0, 0})}, Case{0xFFFE, B({0xFE, 0xFF})},
                          Case{0xFFFF, B({0xFF, 0xFF, 0xFF, 0xFF, 0, 0})},
                          Case{0x10000, B({0xFF, 0xFF, 0, 0, 1, 0})}}) {
        SCOPED_TRACE(c.count);
        EXPECT_EQ(Stored([&](Archive& ar) { ar.WriteCount(c.count); }), c.bytes);
        EXPECT_EQ(Loaded(c.bytes, [](Archive& ar) { return ar.ReadCount(0); }), c.count);
    }
}

TEST(ArchiveCounts, CountsAreCheckedAgainstWhatRemains)
{
    Bytes threeElements = B({3, 0, 1, 2, 3, 4, 5, 6});
    EXPECT_EQ(Loaded(B({3, 0, 1, 2, 3}), [](Archive& ar) {
        std::uint32_t count = ar.ReadCount();
        ar.ReadBytes(count);
        return count;
    }), 3u);
    EXPECT_EQ(LoadFailure(threeElements, [](Archive& ar) { return ar.ReadCount(4); }), Cause::EndOfFile);
    EXPECT_EQ(LoadFailure(B({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), [](Archive& ar) { return ar.ReadCount(); }),
              Cause::EndOfFile);
    EXPECT_EQ(LoadFailure(threeElements, [](Archive& ar) {
        ar.RequireRemaining(std::numeric_limits<std::uint64_t>::max(), 8);
        return 0;
    }), Cause::EndOfFile);
}

} // namespace
} // namespace kelmora
