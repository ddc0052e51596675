#include "app/properties/PropertiesToolBar.h"

#include "app/properties/PropertyImages.h"
#include "res/CommandIds.h"

namespace kelmora {

namespace {

struct UnitTool {
    int command;
    const char* picture;
    const char* prompt;
};

// In the order the buttons stand; each prompt as the status line shows it.
constexpr UnitTool kUnitTools[] = {
    {cmd::kUnitPixels, "px", "pixels "},
    {cmd::kUnitMillimeters, "mm", "millimeters "},
    {cmd::kUnitPoints, "pt", "Points "},
    {cmd::kUnitInches, "in", "inches "},
};

constexpr char kToolTip[] = "Drawing Units";

} // namespace

CPropertiesToolBar::CPropertiesToolBar(wxWindow* pane, wxWindowID id)
    : wxToolBar(pane, id, wxDefaultPosition, wxDefaultSize, wxTB_HORIZONTAL | wxTB_FLAT | wxTB_NODIVIDER)
{
    SetToolBitmapSize(wxSize(16, 16));
    for (const UnitTool& tool : kUnitTools)
        AddRadioTool(WxId(tool.command), wxString(), MakeUnitBitmap(tool.picture), wxNullBitmap, kToolTip, tool.prompt);
    Realize();
}

} // namespace kelmora
