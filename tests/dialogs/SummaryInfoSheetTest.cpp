#include "dialogs/SummaryInfoSheet.h"

#include "dialogs/StatPage.h"
#include "dialogs/SummPage.h"
#include "document/DocSummaryInfo.h"

#include <gtest/gtest.h>
#include <wx/bookctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace kelmora {

namespace {

constexpr FileTime kMinute = kFileTimeTicksPerMinute;
// 2024-01-15 10:00 UTC.
constexpr FileTime kTenOClock = 133'497'000'000'000'000;

struct TestClock {
    FileTime now = kTenOClock;
    CDocSummaryInfo::Clock Get() { return [this] { return now; }; }
};

wxTextCtrl& Edit(CSummaryInfoSheet& sheet, int id)
{
    auto* edit = dynamic_cast<wxTextCtrl*>(sheet.GetSummaryPage().FindWindow(id));
    EXPECT_NE(edit, nullptr) << "no edit with id " << id;
    return *edit;
}

wxStaticText& ReadOut(wxWindow& page, int id)
{
    auto* text = dynamic_cast<wxStaticText*>(page.FindWindow(id));
    EXPECT_NE(text, nullptr) << "no read-out with id " << id;
    return *text;
}

std::string Shown(wxStaticText& text) { return text.GetLabelText().utf8_string(); }
std::string Shown(wxTextCtrl& edit) { return edit.GetValue().utf8_string(); }

class SummaryInfoSheetTest : public ::testing::Test {
protected:
    SummaryInfoSheetTest() : info(clock.Get()) { }

    void SetUp() override
    {
        info.SetTitle("Logo for the bakery");
        info.SetSubject("Bread & rolls");
        info.SetAuthor("Ann");
        info.SetKeywords("bread, logo");
        info.SetComments("First line\r\nSecond line");
        info.SetTemplate("Round.mzf");
        info.SetLastAuthor("Bob & Co");
        info.SetText(kPidAppName, "Vantorel Logo Designer");
        info.SetCount(kPidPageCount, 1);
        info.SetFileTime(kPidCreated, kTenOClock);
        sheet = new CSummaryInfoSheet(nullptr);
    }

    void TearDown() override { sheet->Destroy(); }

    // What showing the sheet does before and after the user works on it.
    void Open()
    {
        sheet->Load(info);
        ASSERT_TRUE(sheet->TransferDataToWindow());
    }
    bool Close(int result)
    {
        EXPECT_TRUE(sheet->TransferDataFromWindow());
        return sheet->ApplyResult(result, info);
    }

    TestClock clock;
    CDocSummaryInfo info;
    CSummaryInfoSheet* sheet = nullptr;
};

TEST_F(SummaryInfoSheetTest, SheetHasTheSummaryPageThenTheStatisticsPage)
{
    EXPECT_EQ(sheet->GetTitle(), "Document Properties");
    wxBookCtrlBase* book = sheet->GetBookCtrl();
    ASSERT_EQ(book->GetPageCount(), 2u);
    EXPECT_EQ(book->GetPage(0), &sheet->GetSummaryPage());
    EXPECT_EQ(book->GetPageText(0), "Summary");
    EXPECT_EQ(book->GetPage(1), &sheet->GetStatPage());
    EXPECT_EQ(book->GetPageText(1), "Statistics");
    EXPECT_EQ(book->GetSelection(), 0);
}

TEST_F(SummaryInfoSheetTest, SummaryPageShowsTheTexts)
{
    Open();
    EXPECT_EQ(Shown(Edit(*sheet, CSummPage::kIdAuthor)), "Ann");
    EXPECT_EQ(Shown(Edit(*sheet, CSummPage::kIdKeywords)), "bread, logo");
    EXPECT_EQ(Shown(Edit(*sheet, CSummPage::kIdSubject)), "Bread & rolls");
    EXPECT_EQ(Shown(Edit(*sheet, CSummPage::kIdComments)), "First line\nSecond line");
    EXPECT_EQ(Shown(Edit(*sheet, CSummPage::kIdTemplate)), "Round.mzf");
    EXPECT_EQ(Shown(Edit(*sheet, CSummPage::kIdTitle)), "Logo for the bakery");
    EXPECT_EQ(Shown(ReadOut(sheet->GetSummaryPage(), CSummPage::kIdAppName)), "Vantorel Logo Designer");

    EXPECT_FALSE(Edit(*sheet, CSummPage::kIdTemplate).IsShown());
    EXPECT_TRUE(Edit(*sheet, CSummPage::kIdComments).IsMultiLine());
}

TEST_F(SummaryInfoSheetTest, OkWritesTheEditsBack)
{
    Open();
    Edit(*sheet, CSummPage::kIdAuthor).ChangeValue("Carla");
    Edit(*sheet, CSummPage::kIdKeywords).ChangeValue("cake");
    Edit(*sheet, CSummPage::kIdSubject).ChangeValue("Cakes");
    Edit(*sheet, CSummPage::kIdComments).ChangeValue("one\ntwo\n");
    Edit(*sheet, CSummPage::kIdTitle).ChangeValue("Cake shop");

    EXPECT_TRUE(Close(wxID_OK));
    EXPECT_EQ(info.GetAuthor(), "Carla");
    EXPECT_EQ(info.GetKeywords(), "cake");
    EXPECT_EQ(info.GetSubject(), "Cakes");
    EXPECT_EQ(info.GetComments(), "one\r\ntwo\r\n");
    EXPECT_EQ(info.GetTemplate(), "Round.mzf");
    EXPECT_EQ(info.GetTitle(), "Cake shop");
    // The statistics and the application name are shown only.
    EXPECT_EQ(info.GetLastAuthor(), "Bob & Co");
    EXPECT_EQ(info.GetAppName(), "Vantorel Logo Designer");
}

TEST_F(SummaryInfoSheetTest, CancelWritesNothing)
{
    Open();
    Edit(*sheet, CSummPage::kIdAuthor).ChangeValue("Carla");
    Edit(*sheet, CSummPage::kIdTitle).ChangeValue("Cake shop");

    EXPECT_FALSE(Close(wxID_CANCEL));
    EXPECT_EQ(info.GetAuthor(), "Ann");
    EXPECT_EQ(info.GetTitle(), "Logo for the bakery");
}

TEST_F(SummaryInfoSheetTest, OkWithoutEditsStillWritesTheTexts)
{
    // A file without the texts: OK creates all six, empty, as UTF-8 text properties.
    info.GetSection().RemoveAll();
    Open();
    EXPECT_TRUE(Close(wxID_OK));
    for (uint32_t pid : { kPidAuthor, kPidKeywords, kPidSubject, kPidComments, kPidTemplate, kPidTitle }) {
        const CProperty* property = info.GetSection().GetProperty(pid);
        ASSERT_NE(property, nullptr) << "PID " << pid;
        EXPECT_EQ(property->GetType(), VT_LPSTR);
    }
    EXPECT_EQ(info.GetTitle(), "");
}

TEST_F(SummaryInfoSheetTest, NonAsciiTitleRoundTrips)
{
    const std::string title = "Café Größe – 東京 🍞";
    info.SetTitle(title);
    Open();
    EXPECT_EQ(Shown(Edit(*sheet, CSummPage::kIdTitle)), title);
    EXPECT_TRUE(Close(wxID_OK));
    EXPECT_EQ(info.GetTitle(), title);

    Edit(*sheet, CSummPage::kIdTitle).ChangeValue(wxString::FromUTF8("Ærø"));
    EXPECT_TRUE(Close(wxID_OK));
    EXPECT_EQ(info.GetTitle(), "Ærø");
}

TEST_F(SummaryInfoSheetTest, StatisticsPageShowsTheFormattedValues)
{
    info.IncrementRevision();
    info.IncrementRevision();
    clock.now += 45 * kMinute + 59'000'000;   // 45 minutes and 5.9 seconds
    Open();

    wxWindow& page = sheet->GetStatPage();
    EXPECT_EQ(Shown(ReadOut(page, CStatPage::kIdRevision)), "2");
    EXPECT_EQ(Shown(ReadOut(page, CStatPage::kIdEditTime)), "45 min");
    EXPECT_EQ(Shown(ReadOut(page, CStatPage::kIdLastSavedBy)), "Bob & Co");
    EXPECT_EQ(Shown(ReadOut(page, CStatPage::kIdPages)), "1");
    EXPECT_EQ(Shown(ReadOut(page, CStatPage::kIdCreated)), info.GetCreateTime());
    EXPECT_FALSE(info.GetCreateTime().empty());
    // Never printed, never saved.
    EXPECT_EQ(Shown(ReadOut(page, CStatPage::kIdLastPrinted)), "");
    EXPECT_EQ(Shown(ReadOut(page, CStatPage::kIdLastSaved)), "");

    EXPECT_FALSE(ReadOut(page, CStatPage::kIdWords).IsShown());
    EXPECT_FALSE(ReadOut(page, CStatPage::kIdChars).IsShown());
    EXPECT_FALSE(ReadOut(page, CStatPage::kIdSecurity).IsShown());
}

} // namespace

} // namespace kelmora
