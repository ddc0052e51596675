#include "app/FramePanes.h"

#include "app/ActiveDocument.h"
#include "app/AppPaths.h"
#include "app/properties/PropertiesPaneHost.h"
#include "app/properties/PropertiesViewBar.h"
#include "view/DrawView.h"

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
PresetFolders PresetFoldersNamed(const char* name)
{
    return {ShippedDataFolder(name), UserDataFolder() / name};
}

} // namespace

PropertiesPane* CreatePropertiesPane(wxWindow* parent, wxWindowID id)
{
    auto* pane = new CPropertiesViewBar(parent, g_activeDocumentHost, id);
    pane->Editors().arrowFolders = PresetFoldersNamed("Arrow");
    pane->Editors().brushFolders = PresetFoldersNamed("Brush");
    // The views' outline pen dialog offers the same line caps.
    CDrawView::s_capPresetFolders = pane->Editors().arrowFolders;
    return pane;
}

} // namespace kelmora
