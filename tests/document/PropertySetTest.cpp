// The bytes the property-set writer produces, and round trips through the reader.

#include "document/PropertySet.h"

#include "document/PropertyBytes.h"

#include <gtest/gtest.h>

#include <cstring>

namespace kelmora {

using namespace kelmora::test;

namespace {

// The OS version varies with the machine; tests compare everything else.
std::vector<uint8_t> MaskVersion(std::vector<uint8_t> bytes)
{
    for (size_t i = 4; i < 8 && i < bytes.size(); ++i)
        bytes[i] = 0;
    return bytes;
}

std::vector<uint8_t> Write(CPropertySet& set)
{
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(set.WriteToStream(bytes));
    return bytes;
}

} // namespace

TEST(PropertySetWrite, OneSectionWithShortAndTextMatchesTheFormatByteForByte)
{
    CPropertySet set;
    CPropertySection* section = set.AddSection(kTestFormat);
    int16_t shortValue = 0x1234;
    section->Set(1, &shortValue, VT_I2);
    section->Set(2, "abc", VT_LPSTR);

    Bytes expected;
    expected.U16(0xFFFE).U16(0).U32(0).Zeros(16).U32(1);      // header, one section
    expected.Id(kTestFormat).U32(48);                          // section table
    expected.U32(65).U32(3);                                   // size 113 - 48, three properties
    expected.U32(1).U32(32).U32(2).U32(40).U32(0).U32(52);     // PIDs 1, 2, 0 and value offsets
    expected.U32(VT_I2).U16(0x1234).Zeros(2);                  // padded to 8
    expected.U32(VT_LPSTR).U32(4).Raw(std::string_view("abc\0", 4)); // 12, no padding
    expected.U32(1).U32(0).U32(1).Zeros(1);                    // dictionary: entry 0, a NUL
    ASSERT_EQ(expected.Size(), 113u);

    std::vector<uint8_t> bytes = Write(set);
    EXPECT_EQ(MaskVersion(bytes), expected.data);
    EXPECT_EQ(ReadU32At(bytes, 4) >> 16, 2u);   // the version's high word
    EXPECT_EQ(section->GetSectionSize(), 65u);
    EXPECT_EQ(section->GetPropCount(), 3u);
    EXPECT_EQ(set.GetSectionCount(), 1u);
}

TEST(PropertySetWrite, WritingTwiceKeepsOneDictionaryAndTheSameBytes)
{
    CPropertySet set;
    CPropertySection* section = set.AddSection(kTestFormat);
    section->Set(5, "x", VT_LPSTR);
    std::vector<uint8_t> first = Write(set);
    std::vector<uint8_t> second = Write(set);
    EXPECT_EQ(first, second);
    int dictionaries = 0;
    for (const auto& property : section->GetProperties())
        dictionaries += property->GetID() == 0;
    EXPECT_EQ(dictionaries, 1);
    EXPECT_EQ(section->GetProperties().back()->GetID(), 0u);
}

TEST(PropertySetWrite, TwoCharacterTextGetsCountThreeAndOnePaddingByte)
{
    CPropertySet set;
    set.AddSection(kTestFormat)->Set(2, "hi", VT_LPSTR);
    std::vector<uint8_t> bytes = Write(set);
    // Section at 48; its table holds PIDs 2 and 0; the text starts after it.
    size_t value = 48 + 8 + 16;
    EXPECT_EQ(ReadU32At(bytes, value), VT_LPSTR);
    EXPECT_EQ(ReadU32At(bytes, value + 4), 3u);
    EXPECT_EQ(std::string(bytes.begin() + value + 8, bytes.begin() + value + 12), std::string("hi\0\0", 4));
    // The dictionary follows right after the one padding byte.
    EXPECT_EQ(ReadU32At(bytes, 48 + 8 + 12) + 48, value + 12);
}

TEST(PropertySetWrite, EveryTypeOfTheTableRoundTrips)
{
    CPropertySet set;
    set.SetClassID(kTestFormat);
    CPropertySection* section = set.AddSection(kTestFormat);
    int16_t i2 = -2;
    int32_t i4 = -70000;
    double r8 = 2.5;
    uint64_t filetime = 0x01D9000012345678;
    uint8_t clsid[16] = { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16 };
    Bytes blob;
    blob.U32(5).Raw("\x01\x02\x03\x04\x05");
    Bytes vectorOfI4;
    vectorOfI4.U32(3).U32(7).U32(8).U32(9);
    Bytes vectorOfText;
    vectorOfText.U32(2).U32(2).Raw(std::string_view("a\0", 2)).U32(4).Raw(std::string_view("bcd\0", 4));
    section->Set(2, &i2, VT_I2);
    section->Set(3, &i4, VT_I4);
    section->Set(4, &r8, VT_R8);
    section->Set(5, &filetime, VT_FILETIME);
    section->Set(6, clsid, VT_CLSID);
    section->Set(7, blob.data.data(), VT_BLOB);
    section->Set(8, u"wide ✓", VT_LPWSTR);
    section->Set(9, u"Café", VT_BSTR);
    section->Set(10, vectorOfI4.data.data(), VT_VECTOR | VT_I4);
    section->Set(11, vectorOfText.data.data(), VT_VECTOR | VT_LPSTR);
    section->Set(12, nullptr, VT_EMPTY);
    std::vector<uint8_t> bytes = Write(set);

    CPropertySet read;
    ASSERT_TRUE(read.ReadFromStream(bytes));
    EXPECT_EQ(read.GetClassID(), kTestFormat);
    const CPropertySection* back = read.GetSection(kTestFormat);
    ASSERT_TRUE(back);
    EXPECT_EQ(*static_cast<const int16_t*>(back->Get(2)), -2);
    EXPECT_EQ(*static_cast<const int32_t*>(back->Get(3)), -70000);
    EXPECT_EQ(*static_cast<const double*>(back->Get(4)), 2.5);
    EXPECT_EQ(*static_cast<const uint64_t*>(back->Get(5)), filetime);
    EXPECT_EQ(std::memcmp(back->Get(6), clsid, 16), 0);
    EXPECT_EQ(std::memcmp(back->Get(7), blob.data.data(), blob.Size()), 0);
    EXPECT_EQ(std::u16string(static_cast<const char16_t*>(back->Get(8))), u"wide ✓");
    // The BSTR family travels as Windows-1252.
    EXPECT_EQ(std::u16string(static_cast<const char16_t*>(back->Get(9))), u"Café");
    EXPECT_EQ(std::memcmp(back->Get(10), vectorOfI4.data.data(), vectorOfI4.Size()), 0);
    EXPECT_EQ(back->GetProperty(11)->GetValueSize(), vectorOfText.Size());
    EXPECT_EQ(std::memcmp(back->Get(11), vectorOfText.data.data(), vectorOfText.Size()), 0);
    EXPECT_EQ(back->GetProperty(12)->GetType(), VT_EMPTY);
    EXPECT_EQ(back->Get(12), nullptr);

    // What was read writes the same bytes again.
    EXPECT_EQ(Write(read), bytes);
}

TEST(PropertySetWrite, LongBstrIsCutAndItsCountSaysWhatWasWritten)
{
    CPropertySet set;
    CPropertySection* section = set.AddSection(kTestFormat);
    std::u16string longText(3000, u'x');
    section->Set(2, longText.c_str(), VT_BSTR);
    int32_t after = 42;
    section->Set(3, &after, VT_I4);
    std::vector<uint8_t> bytes = Write(set);

    size_t value = 48 + 8 + 24;
    EXPECT_EQ(ReadU32At(bytes, value + 4), kMaxPropertyTextBytes);
    EXPECT_EQ(bytes[value + 8 + kMaxPropertyTextBytes - 1], 0);

    CPropertySet read;
    ASSERT_TRUE(read.ReadFromStream(bytes));
    const CPropertySection* back = read.GetSection(kTestFormat);
    EXPECT_EQ(std::u16string(static_cast<const char16_t*>(back->Get(2))), std::u16string(1023, u'x'));
    EXPECT_EQ(*static_cast<const int32_t*>(back->Get(3)), 42);
}

TEST(PropertySetWrite, PropertiesThatCannotBeWrittenAreLeftOutNotFatal)
{
    // A foreign stream: PID 2 of type VT_UI1, PID 3 a VT_VARIANT vector, PID 4 a VT_I4.
    Bytes ui1;
    ui1.U32(VT_UI1).Raw("\x07").Zeros(3);
    Bytes variants;
    variants.U32(VT_VECTOR | VT_VARIANT).U32(1).U32(VT_I4).U32(5);
    Bytes i4;
    i4.U32(VT_I4).U32(99);
    std::vector<uint8_t> foreign = OneSectionStream({ { 2, ui1 }, { 3, variants }, { 4, i4 } });

    CPropertySet set;
    ASSERT_TRUE(set.ReadFromStream(foreign));
    CPropertySection* section = set.GetSection(kTestFormat);
    ASSERT_TRUE(section);
    ASSERT_EQ(section->GetProperties().size(), 3u);
    EXPECT_EQ(section->GetProperty(2)->GetType(), VT_UI1);
    EXPECT_EQ(section->Get(2), nullptr);
    EXPECT_EQ(section->Get(3), nullptr);

    std::vector<uint8_t> bytes = Write(set);
    EXPECT_EQ(section->GetPropCount(), 2u);   // PID 4 and the dictionary
    CPropertySet again;
    ASSERT_TRUE(again.ReadFromStream(bytes));
    const CPropertySection* back = again.GetSection(kTestFormat);
    ASSERT_EQ(back->GetProperties().size(), 1u);
    EXPECT_EQ(*static_cast<const int32_t*>(back->Get(4)), 99);
}

TEST(PropertySetWrite, DictionaryNamesAreStoredWithTheirNulAndShortened)
{
    Bytes dictionary;
    std::string longName(300, 'N');
    dictionary.U32(2).U32(0).U32(4).Raw(std::string_view("Sec\0", 4)).U32(7).U32(5).Raw(std::string_view("Na\xEFve", 5));
    std::vector<uint8_t> foreign = OneSectionStream({ { 0, dictionary } });
    CPropertySet set;
    ASSERT_TRUE(set.ReadFromStream(foreign));
    const CPropertySection* section = set.GetSection(kTestFormat);
    EXPECT_EQ(section->GetSectionName(), "Sec");
    // Exactly the five bytes, no NUL among them: the name is all of them, in lower case.
    ASSERT_EQ(section->GetPropertyNames().count("naïve"), 1u);
    EXPECT_EQ(section->GetPropertyNames().at("naïve"), 7u);

    std::vector<uint8_t> bytes = Write(set);
    Bytes written;
    written.U32(2).U32(0).U32(4).Raw(std::string_view("Sec\0", 4)).U32(7).U32(6).Raw(std::string_view("na\xEFve\0", 6));
    ASSERT_GE(bytes.size(), written.Size());
    EXPECT_EQ(std::vector<uint8_t>(bytes.end() - ptrdiff_t(written.Size()), bytes.end()), written.data);
}

TEST(PropertySetWrite, OverlongDictionaryNameIsCutToFitWithItsNul)
{
    Bytes dictionary;
    dictionary.U32(1).U32(0).U32(256).Raw(std::string(255, 'S')).Zeros(1);
    CPropertySet set;
    ASSERT_TRUE(set.ReadFromStream(OneSectionStream({ { 0, dictionary } })));
    EXPECT_EQ(set.GetSection(kTestFormat)->GetSectionName(), std::string(255, 'S'));
    std::vector<uint8_t> bytes = Write(set);
    // count, PID 0, length 255, 254 name bytes and the NUL
    ASSERT_EQ(bytes.size(), 48 + 8 + 8 + 4 + 8 + 255u);
    EXPECT_EQ(ReadU32At(bytes, bytes.size() - 259), 255u);
    EXPECT_EQ(bytes.back(), 0);
    EXPECT_EQ(bytes[bytes.size() - 2], 'S');
}

TEST(PropertySetSection, SetReplacesGetFindsTheFirstAndNamesKeepTheFirstPid)
{
    CPropertySection section(kTestFormat);
    int32_t one = 1;
    int32_t two = 2;
    EXPECT_TRUE(section.Set(9, &one, VT_I4));
    EXPECT_TRUE(section.Set(9, "text", VT_LPSTR));
    ASSERT_EQ(section.GetProperties().size(), 1u);
    EXPECT_STREQ(static_cast<const char*>(section.Get(9)), "text");
    EXPECT_EQ(section.GetProperty(9)->GetValueSize(), 5u);
    section.Set(10, &two, VT_I4);
    EXPECT_EQ(section.Get(11), nullptr);

    EXPECT_TRUE(section.SetPropertyName(9, "Colour"));
    EXPECT_FALSE(section.SetPropertyName(10, "COLOUR"));
    EXPECT_EQ(section.GetPropertyNames().at("colour"), 9u);
    EXPECT_EQ(LowercasePropertyName("ÀÉÎÕÜ×ŠŒŽŸ"), "àéîõü×šœžÿ");

    // A type outside the table takes no value, and says so.
    CProperty unknown(3, VT_UI1);
    uint8_t byte = 1;
    EXPECT_FALSE(unknown.SetValue(&byte));
    EXPECT_FALSE(unknown.HasValue());
    EXPECT_FALSE(unknown.CanWrite());

    section.RemoveAll();
    EXPECT_TRUE(section.GetProperties().empty());
    EXPECT_EQ(section.GetPropCount(), 0u);
}

} // namespace kelmora
