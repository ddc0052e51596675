#include "platform/text/FontFamily.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace kelmora {
namespace {

bool Contains(const std::vector<std::string>& list, const std::string& name)
{
    return std::find(list.begin(), list.end(), name) != list.end();
}

TEST(FontFamilyTest, WindowsFacesResolveThroughTheirMetricTwins)
{
    struct Case {
        const char* name;
        const char* twin;
    } cases[] = {
        {"Arial", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
    };
    for (const Case& c : cases) {
        std::optional<FontFamily> family = FontFamily::Create(c.name);
        ASSERT_TRUE(family) << c.name;
        EXPECT_EQ(family->Name(), c.name);
        EXPECT_EQ(family->InstalledName(), c.twin);
        EXPECT_TRUE(family->IsStyleAvailable(FontStyle::Regular)) << c.name;
        EXPECT_TRUE(family->IsStyleAvailable(FontStyle::BoldItalic)) << c.name;
        EXPECT_TRUE(family->IsStyleAvailable(FontStyle::Bold | FontStyle::Underline | FontStyle::Strikeout));
    }
}

TEST(FontFamilyTest, InstalledFamilyMatchesByNameWithCaseIgnored)
{
    std::optional<FontFamily> family = FontFamily::Create("liberation SANS");
    ASSERT_TRUE(family);
    EXPECT_EQ(family->Name(), "Liberation Sans");
    EXPECT_EQ(family->InstalledName(), "Liberation Sans");
    // Asked again under another spelling, the remembered answer keeps the installed one.
    EXPECT_EQ(FontFamily::Create("Liberation Sans")->Name(), "Liberation Sans");
    // An alias answers with the spelling asked for, remembered or not.
    EXPECT_EQ(FontFamily::Create("ARIAL")->Name(), "ARIAL");
    EXPECT_EQ(FontFamily::Create("Arial")->Name(), "Arial");
}

TEST(FontFamilyTest, NamesThatOnlyGetTheGeneralFallbackAreNotInstalled)
{
    EXPECT_FALSE(FontFamily::Create("Qwxyzzy Nonexistent Sans"));
    EXPECT_FALSE(FontFamily::Create("Qwxyzzy Nonexistent Sans")); // remembered answer
    EXPECT_FALSE(FontFamily::Create(""));
    EXPECT_FALSE(FontFamily::Create(std::string("Arial\0Black", 11)));
    EXPECT_FALSE(FontFamily::Create("Ari\xff" "al"));
    // Generic names are fontconfig's own, not families.
    EXPECT_FALSE(FontFamily::Create("sans-serif"));
}

TEST(FontFamilyTest, GenericFamiliesAreAlwaysThere)
{
    for (const FontFamily& family :
         {FontFamily::GenericSansSerif(), FontFamily::GenericSerif(), FontFamily::GenericMonospace()}) {
        EXPECT_FALSE(family.Name().empty());
        EXPECT_TRUE(family.IsStyleAvailable(FontStyle::Regular)) << family.Name();
        // The generic family's name is itself an installed family.
        EXPECT_TRUE(FontFamily::Create(family.Name())) << family.Name();
    }
}

TEST(FontFamilyTest, InstalledListIsSortedUniqueAndCarriesAliasNames)
{
    std::vector<std::string> names = InstalledFontFamilies();
    ASSERT_FALSE(names.empty());
    EXPECT_TRUE(Contains(names, "Liberation Sans"));
    EXPECT_TRUE(Contains(names, "Arial"));
    EXPECT_TRUE(Contains(names, "Times New Roman"));
    EXPECT_TRUE(Contains(names, "Courier New"));
    EXPECT_FALSE(Contains(names, "Qwxyzzy Nonexistent Sans"));

    auto folded = [](std::string s) {
        for (char& c : s)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    for (size_t i = 1; i < names.size(); ++i)
        EXPECT_LT(folded(names[i - 1]), folded(names[i])) << names[i - 1] << " / " << names[i];

    // Every listed name is a family that can be created with all four plain styles.
    for (const std::string& name : names) {
        std::optional<FontFamily> family = FontFamily::Create(name);
        ASSERT_TRUE(family) << name;
        for (FontStyle style : {FontStyle::Regular, FontStyle::Bold, FontStyle::Italic, FontStyle::BoldItalic})
            EXPECT_TRUE(family->IsStyleAvailable(style)) << name;
    }
}

TEST(FontFamilyTest, ListOfFamiliesWithAnyStyleHoldsTheFullOnes)
{
    const std::vector<std::string> full = InstalledFontFamilies();
    const std::vector<std::string> any = InstalledFontFamilies(FamilyStyleFilter::Any);
    EXPECT_EQ(full, InstalledFontFamilies(FamilyStyleFilter::All));
    for (const std::string& name : full)
        EXPECT_TRUE(Contains(any, name)) << name;
    for (const std::string& name : any) {
        std::optional<FontFamily> family = FontFamily::Create(name);
        ASSERT_TRUE(family) << name;
        bool available = false;
        for (FontStyle style : {FontStyle::Regular, FontStyle::Bold, FontStyle::Italic, FontStyle::BoldItalic})
            available = available || family->IsStyleAvailable(style);
        EXPECT_TRUE(available) << name;
    }
}

} // namespace
} // namespace kelmora
