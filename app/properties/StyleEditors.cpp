#include "app/properties/StyleEditors.h"

#include "dialogs/GradientEditorDlg.h"
#include "dialogs/PenAdvancedDlg.h"

namespace kelmora {

StyleEditors::StyleEditors() : runModal([](wxDialog& dialog) { return dialog.ShowModal(); })
{
}

bool EditStyle(const StyleEditors& editors, wxWindow* parent, BrushMan& brush)
{
    CGradientEditorDlg dialog(parent, &brush, editors.brushFolders);
    return editors.runModal && editors.runModal(dialog) == wxID_OK;
}

bool EditStyle(const StyleEditors& editors, wxWindow* parent, PenMan& pen)
{
    CPenAdvancedDlg dialog(parent, &pen, editors.arrowFolders);
    return editors.runModal && editors.runModal(dialog) == wxID_OK;
}

} // namespace kelmora
