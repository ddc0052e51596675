#include "app/frame/TextFieldShortcuts.h"

#include "res/CommandIds.h"

#include <wx/event.h>
#include <wx/textentry.h>
#include <wx/window.h>

namespace kelmora {

bool RouteShortcutToTextField(int command, wxWindow* focus)
{
    auto* field = dynamic_cast<wxTextEntry*>(focus);
    if (!field)
        return false;
    switch (command) {
    case cmd::kEditCopy: field->Copy(); return true;
    case cmd::kEditCut:
    case cmd::kEditClear: field->Cut(); return true;   // Shift+Delete
    case cmd::kEditPaste: field->Paste(); return true;
    case cmd::kEditSelectAll: field->SelectAll(); return true;
    case cmd::kEditUndo: field->Undo(); return true;
    case cmd::kEditRedo: field->Redo(); return true;
    case cmd::kCancel: {
        // The field (a property row's editor, the in-place text) cancels its own edit.
        wxKeyEvent key(wxEVT_KEY_DOWN);
        key.m_keyCode = WXK_ESCAPE;
        key.SetEventObject(focus);
        focus->GetEventHandler()->ProcessEvent(key);
        return true;
    }
    default:
        return false;
    }
}

} // namespace kelmora
