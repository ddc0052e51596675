#pragma once
// What the main frame asks of its ribbon and ribbon status bar. The frame holds one
// nullable pointer to it (CMainFrame::SetRibbon); without a ribbon every value is
// "none" (-1 or an empty text), the Format tab is not synced, and a plain status bar
// shows the counts and the cursor position.
//
// Elements are found by command id (the numbers of res/CommandIds.h, not wx ids),
// copies on the Quick Access Toolbar included; the first element found is used. An
// element of another kind than asked for counts as missing.

#include "document/ColorRef.h"

#include <optional>
#include <string>
#include <string_view>

namespace kelmora {

class FrameRibbon {
public:
    virtual ~FrameRibbon() = default;

    // ---- Values the view and the document read
    // The colour button's chosen colour, or its automatic colour when none is chosen.
    virtual std::optional<COLORREF> GetColor(int id) = 0;
    // The text of the edit box or combo box.
    virtual std::optional<std::string> GetEditText(int id) = 0;
    // The selected item of the gallery (-1 none).
    virtual std::optional<int> GetGallerySelection(int id) = 0;

    // ---- Format-tab sync (false: no such element)
    virtual bool HasElement(int id) = 0;
    // A category whose name equals `name` without regard to case.
    virtual bool HasCategory(std::string_view name) = 0;
    // Shows the colour on the colour button (kNoColor: automatic) and redraws it.
    virtual bool SetColor(int id, COLORREF color) = 0;
    virtual bool SetEditText(int id, const std::string& text) = 0;
    // Selects the combo item whose text equals `text` (none when no item does).
    virtual bool SelectComboItem(int id, const std::string& text) = 0;

    // ---- Status bar
    // Sets the text of a status pane (32831 to 32834); false when the ribbon status bar
    // has no such pane.
    virtual bool SetStatusText(int paneId, const std::string& text) = 0;
    // The text of a status pane; nothing when the ribbon status bar has no such pane.
    virtual std::optional<std::string> GetStatusText(int paneId) = 0;
    // The zoom slider's position, 0 to 100.
    virtual void SetZoomSliderPos(int position) = 0;

    // ---- Frame commands that concern the ribbon
    // Applies one of the five looks (32818 to 32822) to the ribbon and its status bar.
    virtual void ApplyLook(int lookId) = 0;
    // The ribbon customisation sheet ("Options").
    virtual void ShowOptions() = 0;
};

} // namespace kelmora
