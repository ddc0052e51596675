#include "platform/ui/ShowAtOnce.h"

#include <wx/toplevel.h>
#include <wx/version.h>

namespace kelmora {

#if defined(__WXGTK__) && wxCHECK_VERSION(3, 2, 0) && !wxCHECK_VERSION(3, 3, 0)

namespace {

// Reaches the protected flag of wxTopLevelWindowGTK through a pointer to member formed in
// a derived class, which the language allows.
struct DeferredShow : wxTopLevelWindow {
    static bool& Flag(wxTopLevelWindow& window) { return window.*(&DeferredShow::m_deferShow); }
};

} // namespace

void ShowWithoutWaitingForDecorations(wxTopLevelWindow& window)
{
    DeferredShow::Flag(window) = false;
}

#else

void ShowWithoutWaitingForDecorations(wxTopLevelWindow&)
{
}

#endif

} // namespace kelmora
