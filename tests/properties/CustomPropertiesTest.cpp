#include "dialogs/IconCombo.h"
#include "app/properties/IconListProp.h"
#include "dialogs/OwnerDrawCombo.h"
#include "app/properties/PropertyImages.h"
#include "model/CustomCapMan.h"

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>

namespace kelmora {

namespace {

// The darkest pixel in the outer quarters of the bitmap (left, right): ink, where the
// line or its cap was drawn.
std::pair<int, int> DarkestAtTheSides(const wxBitmap& bitmap)
{
    const wxImage image = bitmap.ConvertToImage();
    const int quarter = image.GetWidth() / 4;
    int left = 255;
    int right = 255;
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            const int grey = std::min({int(image.GetRed(x, y)), int(image.GetGreen(x, y)), int(image.GetBlue(x, y))});
            if (x < quarter)
                left = std::min(left, grey);
            else if (x >= image.GetWidth() - quarter)
                right = std::min(right, grey);
        }
    }
    return {left, right};
}

wxBitmap DrawCapItem(COwnerDrawCombo& combo, int item)
{
    wxBitmap bitmap(68, 68);
    wxMemoryDC dc(bitmap);
    combo.OnDrawItem(dc, wxRect(0, 0, 68, 68), item, 0);
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

} // namespace

TEST(CustomProperties, CapItemsAreSquareLinesEndingInTheirCap)
{
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "caps");
    auto* combo = new COwnerDrawCombo(frame, wxID_ANY);
    CustomCapMan arrow;
    arrow.Init(0);
    combo->AppendCap(&arrow);
    EXPECT_EQ(combo->GetCap(0), &arrow);
    EXPECT_EQ(combo->GetCap(1), nullptr);
    EXPECT_EQ(combo->OnMeasureItem(0), 68);
    EXPECT_EQ(combo->OnMeasureItemWidth(0), 68);

    // Start caps: the line runs from the middle to the right; end caps: from the left
    // to the middle.
    const auto [startLeft, startRight] = DarkestAtTheSides(DrawCapItem(*combo, 0));
    EXPECT_LT(startRight, 64);
    EXPECT_GT(startLeft, 192);
    combo->m_bStartCap = 0;
    const auto [endLeft, endRight] = DarkestAtTheSides(DrawCapItem(*combo, 0));
    EXPECT_LT(endLeft, 64);
    EXPECT_GT(endRight, 192);
    // No item: background only.
    const auto [noneLeft, noneRight] = DarkestAtTheSides(DrawCapItem(*combo, -1));
    EXPECT_GT(std::min(noneLeft, noneRight), 64);
    // The entry without a cap shows the line's plain end.
    combo->AppendCap(nullptr);
    const auto [plainLeft, plainRight] = DarkestAtTheSides(DrawCapItem(*combo, 1));
    EXPECT_LT(plainLeft, 64);
    EXPECT_GT(plainRight, 192);
    frame->Destroy();
}

TEST(CustomProperties, IconListsHoldOnePictureAndOptionPerIcon)
{
    const PropertyImageLists lists = BuildPropertyImageLists();
    EXPECT_EQ(lists.hatch->GetImageCount(), kHatchIconCount);
    EXPECT_EQ(lists.dash->GetImageCount(), kDashIconCount);
    EXPECT_EQ(lists.gradient->GetImageCount(), kGradientIconCount);
    EXPECT_EQ(lists.texture->GetImageCount(), kTextureIconCount);

    CIconListProp dash("Dash Style", "dash", *lists.dash, 4, {}, "Specifies the dash style of the pen.");
    EXPECT_EQ(dash.GetChoices().GetCount(), unsigned(kDashIconCount));
    EXPECT_EQ(dash.GetChoices().GetLabel(18), "18");
    EXPECT_EQ(dash.GetValue().GetLong(), 4);
    // An index the list does not have (a style read from a file, or −1) shows nothing.
    CIconListProp none("Dash Style", "none", *lists.dash, -1, {}, "");
    EXPECT_TRUE(none.IsValueUnspecified());
    CIconListProp beyond("Dash Style", "beyond", *lists.dash, kDashIconCount, {}, "");
    EXPECT_TRUE(beyond.IsValueUnspecified());

    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "icons");
    auto* combo = new CIconCombo(frame, wxID_ANY);
    combo->SetImageList(*lists.hatch);
    combo->SetImageList(*lists.hatch);   // appends: the list is not emptied first
    EXPECT_EQ(combo->GetCount(), unsigned(2 * kHatchIconCount));
    frame->Destroy();
}

} // namespace kelmora
