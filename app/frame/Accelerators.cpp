#include "app/frame/Accelerators.h"

#include "res/CommandIds.h"

namespace kelmora {

std::vector<wxAcceleratorEntry> MainAcceleratorEntries()
{
    struct Key {
        int flags;
        int code;
        int command;
    };
    static constexpr Key kKeys[] = {
        {wxACCEL_NORMAL, WXK_ESCAPE, cmd::kCancel},
        {wxACCEL_SHIFT, WXK_DELETE, cmd::kEditClear},
        {wxACCEL_CTRL, 'C', cmd::kEditCopy},
        {wxACCEL_CTRL, WXK_INSERT, cmd::kEditCopy},
        {wxACCEL_SHIFT, WXK_DELETE, cmd::kEditCut},
        {wxACCEL_CTRL, 'X', cmd::kEditCut},
        {wxACCEL_CTRL, 'V', cmd::kEditPaste},
        {wxACCEL_SHIFT, WXK_INSERT, cmd::kEditPaste},
        {wxACCEL_CTRL, 'Y', cmd::kEditRedo},
        {wxACCEL_CTRL, 'A', cmd::kEditSelectAll},
        {wxACCEL_CTRL, 'Z', cmd::kEditUndo},
        {wxACCEL_CTRL, 'N', cmd::kFileNew},
        {wxACCEL_CTRL, 'O', cmd::kFileOpen},
        {wxACCEL_CTRL, 'P', cmd::kFilePrint},
        {wxACCEL_CTRL, 'S', cmd::kFileSave},
        {wxACCEL_NORMAL, WXK_F6, cmd::kNextPane},
        {wxACCEL_SHIFT, WXK_F6, cmd::kPrevPane},
        {wxACCEL_CTRL | wxACCEL_SHIFT, 'C', cmd::kCopyFormat},
    };
    std::vector<wxAcceleratorEntry> entries;
    for (const Key& key : kKeys)
        entries.emplace_back(key.flags, key.code, WxId(key.command));
    return entries;
}

wxAcceleratorTable MainAcceleratorTable()
{
    const std::vector<wxAcceleratorEntry> entries = MainAcceleratorEntries();
    return wxAcceleratorTable(int(entries.size()), entries.data());
}

} // namespace kelmora
