// The page part of the new-document dialog: papers, units, orientation and the page OK
// gives, at 96 pixels per inch.

#include "dialogs/PageSizeForm.h"

#include <gtest/gtest.h>

namespace kelmora {

namespace {

constexpr int kA4 = 2;
constexpr int kLetter = 7;

} // namespace

TEST(PageSizeForm, OkAtOnceGivesTheCustomPixelsInInches)
{
    PageSizeForm form(96);
    EXPECT_TRUE(form.EditsEnabled());
    EXPECT_EQ(form.m_nUnit, DrawUnit::Pixels);
    const auto page = form.PageInInches();
    ASSERT_TRUE(page.inches);
    EXPECT_EQ(FormatEditNumber(page.inches->Width), "5.20833");
    EXPECT_EQ(FormatEditNumber(page.inches->Height), "4.16667");
    EXPECT_FLOAT_EQ(page.inches->Width, RoundAsShown(500.0f / 96));
}

TEST(PageSizeForm, PapersShowTheirSizeInTheirUnitAndConvert)
{
    PageSizeForm form(96);
    form.SelectSize(kA4);
    EXPECT_FALSE(form.EditsEnabled());
    EXPECT_EQ(form.m_nUnit, DrawUnit::Millimetres);
    EXPECT_EQ(SizeF(form.m_fWidth, form.m_fHeight), SizeF(210, 297));
    form.SelectOrientation(PageSizeForm::kLandscape);
    EXPECT_EQ(SizeF(form.m_fWidth, form.m_fHeight), SizeF(297, 210));
    form.SelectOrientation(PageSizeForm::kLandscape);
    EXPECT_EQ(SizeF(form.m_fWidth, form.m_fHeight), SizeF(297, 210));
    const auto a4 = form.PageInInches();
    ASSERT_TRUE(a4.inches);
    EXPECT_EQ(FormatEditNumber(a4.inches->Width), "11.6929");
    EXPECT_EQ(FormatEditNumber(a4.inches->Height), "8.26772");

    form.SelectOrientation(PageSizeForm::kPortrait);
    form.SelectSize(kLetter);
    EXPECT_EQ(form.m_nUnit, DrawUnit::Inches);
    EXPECT_EQ(SizeF(form.m_fWidth, form.m_fHeight), SizeF(8.5f, 11));
    form.SelectUnit(DrawUnit::Pixels);
    EXPECT_EQ(SizeF(form.m_fWidth, form.m_fHeight), SizeF(816, 1056));
    form.SelectUnit(DrawUnit::Millimetres);
    EXPECT_EQ(SizeF(form.m_fWidth, form.m_fHeight), SizeF(8.5f * 25.4f, 11 * 25.4f));
    // The page comes from the paper, whatever unit shows it.
    EXPECT_EQ(form.PageInInches().inches, SizeF(8.5f, 11));
    form.SelectSize(78);
    EXPECT_EQ(form.m_nSize, kLetter);
}

TEST(PageSizeForm, CustomNumbersAreTakenInTheUnitFinallyChosen)
{
    PageSizeForm form(96);
    form.SelectUnit(DrawUnit::Millimetres);
    EXPECT_EQ(SizeF(form.m_fWidth, form.m_fHeight), SizeF(500, 400));
    form.SelectUnit(DrawUnit::Inches);
    form.m_fWidth = 8;
    form.m_fHeight = 3;
    EXPECT_EQ(form.PageInInches().inches, SizeF(8, 3));
    form.SelectUnit(DrawUnit::Millimetres);
    EXPECT_EQ(form.PageInInches().inches, SizeF(RoundAsShown(8 / 25.4f), RoundAsShown(3 / 25.4f)));
    form.SelectUnit(DrawUnit::Pixels);
    form.m_fWidth = 96.9f;   // whole pixels
    EXPECT_EQ(form.PageInInches().inches->Width, 1.0f);
}

TEST(PageSizeForm, EmptyNegativeAndHugePagesAreRefused)
{
    PageSizeForm form(96);
    form.SelectUnit(DrawUnit::Inches);
    const std::pair<float, float> refused[] = {{0, 5}, {5, 0}, {-1, 5}, {100.5f, 5}, {5, 1e30f}, {0.001f, 5}};
    for (const auto& [w, h] : refused) {
        form.m_fWidth = w;
        form.m_fHeight = h;
        const auto page = form.PageInInches();
        EXPECT_FALSE(page.inches) << w << " x " << h;
        EXPECT_EQ(page.error, PageSizeForm::kRangeMessage);
    }
    form.m_fWidth = 100;
    form.m_fHeight = 100;
    EXPECT_TRUE(form.PageInInches().inches);
    form.SelectUnit(DrawUnit::Millimetres);
    form.m_fWidth = 2541;
    EXPECT_FALSE(form.PageInInches().inches);
    // Pixels far beyond any page, which have no whole number of pixels to take.
    form.SelectUnit(DrawUnit::Pixels);
    form.m_fWidth = 3e9f;
    EXPECT_FALSE(form.PageInInches().inches);

    EXPECT_EQ(ParseEditNumber(" 12.5 "), 12.5f);
    for (const char* text : {"", "abc", "1 2", "12mm", "nan", "inf", "1e999"})
        EXPECT_FALSE(ParseEditNumber(text)) << text;
}

} // namespace kelmora
