#include "app/frame/FramePanes.h"

#include "app/desktop/AppPaths.h"
#include "app/documents/DocumentHost.h"
#include "app/properties/PropertiesPaneHost.h"
#include "app/properties/PropertiesViewBar.h"
#include "document/StylePresets.h"
#include "view/DrawView.h"

#include <string_view>

namespace kelmora {

namespace {

// The properties pane reaches the active view and drawing as the rest of the program does.
class ActiveDocumentHost final : public PropertiesPaneHost {
public:
    CDrawView* GetActiveDrawView() override { return kelmora::GetActiveDrawView(); }
    CDrawDoc* GetActiveDrawDoc() override { return kelmora::GetActiveDrawDoc(); }
};

ActiveDocumentHost g_activeDocumentHost;

// A preset folder shipped with the program and the user's own of the same name.
PresetFolders PresetFoldersNamed(std::string_view name)
{
    return {ShippedDataFolder(name), UserDataFolder() / name};
}

} // namespace

PropertiesPane* CreatePropertiesPane(wxWindow* parent, wxWindowID id)
{
    auto* pane = new CPropertiesViewBar(parent, g_activeDocumentHost, id);
    pane->Editors().arrowFolders = PresetFoldersNamed(kLineCapPresetFolder);
    pane->Editors().brushFolders = PresetFoldersNamed(kBrushPresetFolder);
    // The views' outline pen dialog offers the same line caps.
    CDrawView::s_capPresetFolders = pane->Editors().arrowFolders;
    return pane;
}

} // namespace kelmora
