#include "app/ribbon/ProgramArt.h"

#include "app/ribbon/RibbonIcons.h"
#include "view/MyPreviewViewEx.h"

#include <wx/artprov.h>

namespace kelmora {

namespace {

class ProgramArtProvider : public wxArtProvider {
protected:
    wxBitmap CreateBitmap(const wxArtID& id, const wxArtClient&, const wxSize&) override
    {
        if (id == kSettingPanelArt)
            return PanelImage(0);
        return wxNullBitmap;
    }
};

} // namespace

void InstallProgramArt()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    // The toolkit owns the provider and deletes it when the program ends.
    wxArtProvider::Push(new ProgramArtProvider);
}

} // namespace kelmora
