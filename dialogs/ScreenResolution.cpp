#include "dialogs/ScreenResolution.h"

#include <wx/dcscreen.h>

namespace kelmora {

int ScreenPixelsPerInch()
{
    const int ppi = wxScreenDC().GetPPI().x;
    return ppi > 0 ? ppi : kDefaultScreenDpi;
}

} // namespace kelmora
