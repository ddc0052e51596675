#include "app/properties/PropertyImages.h"

#include "dialogs/StylePictures.h"
#include "dialogs/SurfaceBlit.h"

#include "model/BrushMan.h"
#include "model/PenMan.h"
#include "platform/geometry/GraphicsPath.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/HatchBrush.h"

#include <optional>

#include <wx/dcmemory.h>
#include <wx/image.h>

namespace kelmora {

namespace {

constexpr Color kIconBack{0xFFFFFFFF};
constexpr Color kIconInk{0xFF000000};
constexpr Color kIconFrame{0xFF808080};
// The two colours the gradient icons run between.
constexpr ARGB kGradientFrom = 0xFF1F4E9A;
constexpr ARGB kGradientTo = 0xFFFFFFFF;
// The width of the line the dash icons are drawn on, in pixels.
constexpr float kDashIconInk = 2.0f;

GraphicsPath RectPath(float x, float y, float w, float h)
{
    GraphicsPath path;
    path.AddRectangle(RectF(x, y, w, h));
    return path;
}

// Draws one icon with `paint` onto a white surface of the size, framed in grey.
template <class Paint>
wxBitmap DrawIcon(wxSize size, Paint paint)
{
    std::optional<ImageSurface> surface = ImageSurface::Create(size.x, size.y);
    if (!surface)
        return wxBitmap(size.x, size.y);
    {
        Graphics g(*surface);
        g.Clear(kIconBack);
        paint(g, float(size.x), float(size.y));
        g.DrawPath(kIconFrame, 1.0f, RectPath(0.0f, 0.0f, float(size.x - 1), float(size.y - 1)));
    }
    return SurfaceToBitmap(*surface);
}

// Fills the icon with a fill description built for the icon's rectangle.
void FillWith(Graphics& g, BrushMan& brush, float w, float h)
{
    const GraphicsPath area = RectPath(1.0f, 1.0f, w - 2.0f, h - 2.0f);
    std::unique_ptr<Brush> built = brush.CreateBrushFor(&area, nullptr, nullptr, RectF(1.0f, 1.0f, w - 2.0f, h - 2.0f));
    if (built)
        g.FillPath(*built, area);
}

std::unique_ptr<wxImageList> MakeList(wxSize size, int count, auto drawIcon)
{
    auto list = std::make_unique<wxImageList>(size.x, size.y, false, count);
    for (int i = 0; i < count; ++i)
        list->Add(drawIcon(i));
    return list;
}

} // namespace

wxBitmap GradientIcon(const BrushMan& brush)
{
    return DrawIcon(kGradientIconSize, [&brush](Graphics& g, float w, float h) {
        BrushMan shown(brush);
        FillWith(g, shown, w, h);
    });
}

wxBitmap DashIcon(const Pen& pen)
{
    return DrawIcon(kDashIconSize, [&pen](Graphics& g, float w, float h) {
        GraphicsPath line;
        line.AddLine(4.0f, h / 2.0f, w - 4.0f, h / 2.0f);
        g.DrawPath(pen, line);
    });
}

std::optional<wxBitmap> OwnDashIcon(const PenMan& pen)
{
    if (pen.m_nDashStyle < PenMan::kFirstCustomDashStyle)
        return std::nullopt;
    std::vector<float> preset;
    if (pen.m_nDashStyle < kDashIconCount
        && PenMan::GetDashPreset(pen.m_nDashStyle - PenMan::kFirstCustomDashStyle, preset)
        && preset == pen.m_dashArray)
        return std::nullopt;
    Pen shown(kIconInk, kDashIconInk);
    shown.SetDashPattern(pen.m_dashArray);
    return DashIcon(shown);
}

PropertyImageLists BuildPropertyImageLists()
{
    PropertyImageLists lists;
    lists.hatch = MakeList(kHatchIconSize, kHatchIconCount, [](int i) {
        return DrawIcon(kHatchIconSize, [i](Graphics& g, float w, float h) {
            g.FillPath(HatchBrush(HatchStyle(i), kIconInk, kIconBack), RectPath(1.0f, 1.0f, w - 2.0f, h - 2.0f));
        });
    });
    lists.gradient = MakeList(kGradientIconSize, kGradientIconCount, [](int i) {
        BrushMan brush;
        brush.m_nKind = BrushKind::LinearGradient;
        brush.m_nGradientPreset = i;
        brush.m_clrFore = kGradientFrom;
        brush.m_clrBack = kGradientTo;
        return GradientIcon(brush);
    });
    lists.dash = MakeList(kDashIconSize, kDashIconCount, [](int i) { return DashIcon(DashStylePen(i, kIconInk, kDashIconInk)); });
    lists.texture = MakeList(kTextureIconSize, kTextureIconCount, [](int i) {
        return DrawIcon(kTextureIconSize, [i](Graphics& g, float w, float h) {
            BrushMan brush;
            brush.m_nKind = BrushKind::Texture;
            brush.m_nTexture = i;
            FillWith(g, brush, w, h);
        });
    });
    return lists;
}

wxBitmap MakeUnitBitmap(std::string_view text)
{
    wxBitmap bitmap(16, 16);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetPen(wxPen(wxColour(128, 128, 128)));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(0, 0, 16, 16);
    wxFont font(wxFontInfo(6).Family(wxFONTFAMILY_SWISS).Bold());
    dc.SetFont(font);
    dc.SetTextForeground(*wxBLACK);
    const wxString label = wxString::FromUTF8(text.data(), text.size());
    const wxSize extent = dc.GetTextExtent(label);
    dc.DrawText(label, (16 - extent.x) / 2, (16 - extent.y) / 2);
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

} // namespace kelmora
