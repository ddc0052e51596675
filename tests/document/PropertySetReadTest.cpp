// Reading property sets that other programs, or damage, produced.

#include "document/PropertySet.h"

#include "document/PropertyBytes.h"

#include <gtest/gtest.h>

#include <cstring>

namespace kelmora {

using namespace kelmora::test;

TEST(PropertySetRead, ShortHeaderFailsTheWholeRead)
{
    CPropertySet set;
    set.AddSection(kTestFormat);
    std::vector<uint8_t> bytes = OneSectionStream({});
    EXPECT_FALSE(set.ReadFromStream(std::span(bytes.data(), 27)));
    // The section table entry is cut short too.
    EXPECT_FALSE(set.ReadFromStream(std::span(bytes.data(), 40)));
    EXPECT_TRUE(set.ReadFromStream(bytes));
    EXPECT_EQ(set.GetSections().size(), 1u);
}

TEST(PropertySetRead, TruncatedValueLosesOnlyThatValue)
{
    Bytes i4;
    i4.U32(VT_I4).U32(5);
    Bytes text;
    text.U32(VT_LPSTR).U32(100).Raw("only a few bytes");
    std::vector<uint8_t> bytes = OneSectionStream({ { 2, i4 }, { 3, text } });

    CPropertySet set;
    ASSERT_TRUE(set.ReadFromStream(bytes));
    const CPropertySection* section = set.GetSection(kTestFormat);
    ASSERT_EQ(section->GetProperties().size(), 2u);
    EXPECT_EQ(*static_cast<const int32_t*>(section->Get(2)), 5);
    EXPECT_EQ(section->GetProperty(3)->GetType(), VT_LPSTR);
    EXPECT_EQ(section->Get(3), nullptr);
}

TEST(PropertySetRead, CountedTextWithoutNulIsStillTerminatedInMemory)
{
    Bytes text;
    text.U32(VT_LPSTR).U32(3).Raw("abc").Raw("XXXXXXXX");
    Bytes wide;
    wide.U32(VT_LPWSTR).U32(2).U16('h').U16('i').U16('!').U16('!');
    CPropertySet set;
    ASSERT_TRUE(set.ReadFromStream(OneSectionStream({ { 2, text }, { 3, wide } })));
    const CPropertySection* section = set.GetSection(kTestFormat);
    EXPECT_EQ(std::strlen(static_cast<const char*>(section->Get(2))), 3u);
    EXPECT_EQ(section->GetProperty(2)->GetValueSize(), 3u);
    EXPECT_EQ(std::u16string(static_cast<const char16_t*>(section->Get(3))), u"hi");
}

TEST(PropertySetRead, HugeCountsFailWithoutAllocating)
{
    // Every count below would ask for gigabytes if taken at its word.
    const uint32_t huge = 0xFFFFFFF0;
    Bytes vectorOfFixed;
    vectorOfFixed.U32(VT_VECTOR | VT_R8).U32(huge).U64(1);
    Bytes vectorOfText;
    vectorOfText.U32(VT_VECTOR | VT_BSTR).U32(huge).U32(2).Raw("a");
    Bytes blob;
    blob.U32(VT_BLOB).U32(huge).Raw("abcd");
    Bytes wide;
    wide.U32(VT_LPWSTR).U32(0x80000001).U16('a');
    Bytes bstr;
    bstr.U32(VT_BSTR).U32(huge).Raw("abcd");
    Bytes dictionary;
    dictionary.U32(huge).U32(1).U32(0x7FFFFFFF).Raw("x");
    Bytes i2;
    i2.U32(VT_I2).U16(3).Zeros(2);
    std::vector<uint8_t> bytes = OneSectionStream({ { 2, vectorOfFixed }, { 3, vectorOfText }, { 4, blob },
        { 5, wide }, { 6, bstr }, { 0, dictionary }, { 7, i2 } });

    CPropertySet set;
    ASSERT_TRUE(set.ReadFromStream(bytes));
    const CPropertySection* section = set.GetSection(kTestFormat);
    for (uint32_t pid = 2; pid <= 6; ++pid)
        EXPECT_EQ(section->Get(pid), nullptr) << pid;
    EXPECT_EQ(*static_cast<const int16_t*>(section->Get(7)), 3);

    // A property count and a section count far beyond the stream.
    std::vector<uint8_t> manyProperties = OneSectionStream({ { 7, i2 } });
    manyProperties[48 + 4] = 0xFF;
    manyProperties[48 + 5] = 0xFF;
    manyProperties[48 + 6] = 0xFF;
    EXPECT_TRUE(set.ReadFromStream(manyProperties));
    std::vector<uint8_t> manySections = OneSectionStream({ { 7, i2 } });
    manySections[24] = 0xFF;
    manySections[25] = 0xFF;
    manySections[26] = 0xFF;
    EXPECT_FALSE(set.ReadFromStream(manySections));
}

TEST(PropertySetRead, OffsetsOutsideTheStreamLoseOnlyTheirValue)
{
    Bytes i4;
    i4.U32(VT_I4).U32(8);
    std::vector<uint8_t> bytes = OneSectionStream({ { 2, i4 }, { 3, i4 } });
    // PID 2's offset points far past the end; 0xFFFFFFF8 would wrap a 32-bit sum.
    bytes[48 + 8 + 4] = 0xF8;
    bytes[48 + 8 + 5] = 0xFF;
    bytes[48 + 8 + 6] = 0xFF;
    bytes[48 + 8 + 7] = 0xFF;
    CPropertySet set;
    ASSERT_TRUE(set.ReadFromStream(bytes));
    const CPropertySection* section = set.GetSection(kTestFormat);
    EXPECT_EQ(section->Get(2), nullptr);
    EXPECT_EQ(*static_cast<const int32_t*>(section->Get(3)), 8);
}

TEST(PropertySetRead, TablesPointingAtTheSameDataAgainAndAgainStopAtTheStreamSize)
{
    // One section with a 4000-byte blob; the set's table lists that section 200 times.
    // Reading it in full would take 200 copies; a sound stream never reads a byte twice.
    Bytes blob;
    blob.U32(VT_BLOB).U32(4000).Zeros(4000);
    std::vector<uint8_t> single = OneSectionStream({ { 2, blob } });
    Bytes set;
    const uint32_t copies = 200;
    set.U16(0xFFFE).U16(0).U32(0).Zeros(16).U32(copies);
    uint32_t sectionOffset = 28 + 20 * copies;
    for (uint32_t i = 0; i < copies; ++i)
        set.Id(kTestFormat).U32(sectionOffset);
    set.data.insert(set.data.end(), single.begin() + 48, single.end());

    CPropertySet read;
    ASSERT_TRUE(read.ReadFromStream(set.data));
    ASSERT_EQ(read.GetSections().size(), copies);
    size_t valuesRead = 0;
    for (const auto& section : read.GetSections())
        valuesRead += section->Get(2) != nullptr;
    EXPECT_EQ(valuesRead, 1u);
}

TEST(PropertySetRead, DictionaryEntryTooLongEndsTheDictionaryButNotTheSection)
{
    Bytes dictionary;
    dictionary.U32(3).U32(0).U32(2).Raw(std::string_view("S\0", 2)).U32(5).U32(257).Raw(std::string(257, 'x'));
    Bytes i4;
    i4.U32(VT_I4).U32(1);
    Bytes twice;
    twice.U32(2).U32(8).U32(4).Raw(std::string_view("Abc\0", 4)).U32(9).U32(4).Raw(std::string_view("ABC\0", 4));
    CPropertySet set;
    ASSERT_TRUE(set.ReadFromStream(OneSectionStream({ { 0, dictionary }, { 4, i4 } })));
    const CPropertySection* section = set.GetSection(kTestFormat);
    EXPECT_EQ(section->GetSectionName(), "S");
    EXPECT_TRUE(section->GetPropertyNames().empty());
    EXPECT_EQ(*static_cast<const int32_t*>(section->Get(4)), 1);

    // The same name twice in different case keeps the first PID.
    ASSERT_TRUE(set.ReadFromStream(OneSectionStream({ { 0, twice } })));
    section = set.GetSection(kTestFormat);
    ASSERT_EQ(section->GetPropertyNames().size(), 1u);
    EXPECT_EQ(section->GetPropertyNames().at("abc"), 8u);
}

} // namespace kelmora
