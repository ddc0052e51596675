#include "platform/ui/RibbonColorButton.h"

#include "platform/ui/RibbonColors.h"
#include "platform/ui/RibbonPopup.h"

#include <wx/colordlg.h>
#include <wx/dcmemory.h>

namespace kelmora {

namespace {

// wxColour reads and gives 0x00BBGGRR values as they stand (wxColour(unsigned long),
// GetRGB).
std::optional<uint32_t> AskForColor(wxWindow* parent, uint32_t initial)
{
    wxColourData data;
    data.SetChooseFull(true);
    data.SetColour(wxColour(initial));
    wxColourDialog dialog(parent, &data);
    if (dialog.ShowModal() != wxID_OK)
        return std::nullopt;
    return dialog.GetColourData().GetColour().GetRGB();
}

void PaintSwatch(wxDC& dc, const wxRect& box, uint32_t color, unsigned state)
{
    const RibbonColors& colors = CurrentRibbonColors();
    dc.SetPen(wxColour(197, 197, 197));
    dc.SetBrush(wxColour(color));
    dc.DrawRectangle(box);
    if (state & (RibbonPopup::kHot | RibbonPopup::kChecked)) {
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.SetPen(wxPen(state & RibbonPopup::kHot ? colors.hoverBorder : colors.checkedBorder, 1));
        dc.DrawRectangle(box.Inflate(1, 1));
        dc.SetPen(wxPen(colors.hoverFill, 1));
        dc.DrawRectangle(box);
    }
}

} // namespace

RibbonColorButton::RibbonColorButton(RibbonId id, std::string caption, ColorPaletteSpec spec, uint32_t initial)
    : RibbonElement(RibbonElementKind::ColorButton, id, std::move(caption)), chooseColor(AskForColor),
      m_palette(std::move(spec), initial)
{
}

void RibbonColorButton::SetColor(uint32_t color)
{
    if (color == m_palette.Chosen())
        return;
    m_palette.SetChosen(color);
    Changed();
}

wxBitmap RibbonColorButton::WithColorBar(const wxBitmap& image) const
{
    if (!image.IsOk() || simpleButtonLook)
        return image;
    wxImage picture = image.ConvertToImage();
    if (!picture.HasAlpha())
        picture.InitAlpha();
    const int w = picture.GetWidth();
    const int h = picture.GetHeight();
    const int bar = std::max(3, h / 5);
    const uint32_t color = GetColor();
    for (int y = h - bar; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            picture.SetRGB(x, y, uint8_t(color), uint8_t(color >> 8), uint8_t(color >> 16));
            picture.SetAlpha(x, y, 255);
        }
    }
    return wxBitmap(picture);
}

void RibbonColorButton::OpenPopup(wxWindow* parent, const wxRect& anchor, RibbonHost& host)
{
    auto* popup = new RibbonPopup(parent);
    const ColorPaletteSpec& spec = m_palette.Spec();
    const int columns = std::max(1, spec.columns);
    const int gap = 5;

    // The automatic entry: a row of its own with a box of the automatic colour.
    RibbonPopup::ItemGrid automatic;
    automatic.count = 1;
    automatic.fillWidth = true;
    automatic.cell = wxSize(columns * (kBoxSize + gap), 22);
    const uint32_t automaticColor = spec.automaticColor;
    const wxString automaticLabel = wxString::FromUTF8(spec.automaticLabel);
    automatic.paint = [automaticColor, automaticLabel](wxDC& dc, const wxRect& cell, int, unsigned state) {
        PaintItemFrame(dc, cell, state);
        PaintSwatch(dc, wxRect(cell.x + 4, cell.y + (cell.height - kBoxSize + 2) / 2, kBoxSize - 2, kBoxSize - 2),
                    automaticColor, 0);
        dc.SetTextForeground(CurrentRibbonColors().menuText);
        DrawCaption(dc, automaticLabel, wxRect(cell.x + kBoxSize + 10, cell.y, cell.width - kBoxSize - 10, cell.height),
                    wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
    };
    automatic.toolTip = [automaticLabel](int) { return wxStripMenuCodes(automaticLabel); };
    popup->AddGrid(std::move(automatic));

    for (const ColorGroup& group : spec.groups) {
        if (!group.caption.empty())
            popup->AddCaption(wxString::FromUTF8(group.caption));
        RibbonPopup::ItemGrid grid;
        grid.count = int(group.colors.size());
        grid.columns = columns;
        grid.cell = wxSize(kBoxSize, kBoxSize);
        grid.columnGap = gap;
        // A group without a caption continues the one above it in contiguous columns of
        // shades.
        grid.rowGap = group.caption.empty() ? 0 : gap;
        grid.paint = [this](wxDC& dc, const wxRect& cell, int index, unsigned state) {
            const std::optional<NamedColor> item = m_palette.Item(index);
            PaintSwatch(dc, cell, item ? item->color : 0, state);
        };
        grid.toolTip = [this](int index) {
            const std::optional<NamedColor> item = m_palette.Item(index);
            return item ? wxString::FromUTF8(item->name) : wxString();
        };
        popup->AddGrid(std::move(grid));
    }

    popup->AddSeparator();
    popup->AddCommand(kOtherColorsCommand, wxBitmap(), wxString::FromUTF8(spec.otherLabel),
                      wxString::FromUTF8(spec.otherToolTip));
    for (const auto& sub : SubItems())
        popup->AddCommand(sub->Id(), sub->smallImage, wxString::FromUTF8(sub->Caption()),
                          wxString::FromUTF8(sub->ToolTip()));

    popup->SetCheckedItem(m_palette.ChosenItem());
    RibbonHost* target = &host;
    popup->onHighlight = [this, target](int index) {
        const std::optional<NamedColor> item = m_palette.Item(index);
        target->Highlight(Id(), index, item ? item->color : kAutomaticColor);
    };
    popup->onPick = [this, target](int index) { PickItem(index, *target); };
    popup->onCommand = [this, target](int id) { RunPopupCommand(id, *target); };
    popup->owner = Lifetime();
    popup->ShowBelow(anchor);
}

void RibbonColorButton::PickItem(int index, RibbonHost& host)
{
    const std::optional<NamedColor> item = m_palette.Item(index);
    if (!item)
        return;
    SetColor(index == 0 ? kAutomaticColor : item->color);
    host.SendCommand(Id());
}

void RibbonColorButton::RunPopupCommand(int id, RibbonHost& host)
{
    if (id != kOtherColorsCommand) {
        host.SendCommand(id);
        return;
    }
    if (!chooseColor)
        return;
    const std::optional<uint32_t> color = chooseColor(host.DialogParent(), GetColor());
    if (!color)
        return;
    m_palette.SetChosen(*color);
    Changed();
    host.SendCommand(Id());
}

} // namespace kelmora
