#include "dialogs/MoreDashStyles.h"

#include "dialogs/DashCells.h"
#include "dialogs/EditDashStyleDlg.h"
#include "model/PenMan.h"

namespace kelmora {

std::optional<std::vector<float>> AskMoreDashStyles(wxWindow* parent, const PenMan* firstSelected,
                                                    const DialogHooks& hooks)
{
    CEditDashStyleDlg dialog(parent);
    if (firstSelected && !firstSelected->m_dashArray.empty())
        dialog.m_dashArray = firstSelected->m_dashArray;
    if (hooks.runModal(dialog) != wxID_OK || dialog.m_dashArray.empty() || !IsValidDashArray(dialog.m_dashArray))
        return std::nullopt;
    return dialog.m_dashArray;
}

} // namespace kelmora
