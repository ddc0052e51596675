#pragma once
// What the document uses of the application's main frame: the properties pane (its object
// combo, its unit, its refresh), the ribbon's current values and the status counts. The
// frame implements it; tests implement it with fakes.

#include "document/ColorRef.h"
#include "document/DrawUnit.h"

#include <string>
#include <vector>

namespace kelmora {

class CDrawObj;
class ViewServices;

class FrameServices {
public:
    // Adds the object's name to the properties pane's object combo, unless an item carries
    // the object already; the item's index.
    virtual int AddObject(CDrawObj* object) = 0;
    // Adds the names of the objects as AddObject does one by one, without the indexes:
    // thousands of objects coming in at once update the combo once.
    virtual void AddObjects(const std::vector<CDrawObj*>& objects)
    {
        for (CDrawObj* object : objects)
            AddObject(object);
    }
    // Deletes the combo item that carries the object; nothing when there is none.
    virtual void RemoveObject(CDrawObj* object) = 0;
    // Rebuilds the property grid for what the pane shows.
    virtual void RefreshProperties() = 0;
    // The unit the properties pane shows lengths in.
    virtual void SetPropertiesUnit(DrawUnit unit) = 0;

    // The colour of the ribbon colour button with that id (its automatic colour when none
    // is chosen); kNoColor when the ribbon has no such button.
    virtual COLORREF GetRibbonColor(int id) = 0;
    // The decimal value of the ribbon edit box with that id; −1 when there is none.
    virtual int GetRibbonEditInt(int id) = 0;

    // Shows the document's live object count and the view's selection count; with
    // `updatePanes` also refreshes the Format tab and the properties pane.
    virtual void RefreshSelectionInfo(ViewServices* view, bool updatePanes) = 0;

    // ---- What the editing view tells the frame. Every operation tolerates a frame
    // without the element concerned; the defaults are a frame that has none.
    // The view became the active one (null: none); the properties pane follows it.
    virtual void SetActiveDrawView(ViewServices* /*view*/) {}
    // The view is being destroyed: the frame forgets it when it is the active one and
    // empties the properties pane.
    virtual void ViewDestroyed(ViewServices* /*view*/) {}
    // The cursor position in document units, shown in the pane's current unit.
    virtual void UpdateCursorPos(float /*x*/, float /*y*/) {}
    // The properties pane shows the selection, or the document when it is empty.
    virtual void UpdatePropertiesPane(const std::vector<CDrawObj*>& /*selection*/) {}
    // The zoom slider's position, 0 to 100.
    virtual void SetZoomSliderPos(int /*position*/) {}
    // Print preview hides the panes and puts them back as they were.
    virtual void HidePanesForPreview() {}
    virtual void RestorePanesAfterPreview() {}

    // ---- Ribbon values, looked up by command id; "no value" is -1 or an empty text.
    // The text of the edit box or combo box with that id.
    virtual std::string GetRibbonEditText(int /*id*/) { return {}; }
    // The selected item of the Dash Styles gallery.
    virtual int GetDashStyleIndex() { return -1; }
    // The selected item of the Line Weight gallery plus 1 (1 to 7).
    virtual int GetLineWeight() { return -1; }
    // The selected item of the Styles, Shadow, Glow, Reflection or Text gallery.
    virtual int GetGallerySelection(int /*id*/) { return -1; }
    // Shows the object's style in the Format category (null: nothing).
    virtual void UpdateFormatTab(CDrawObj* /*object*/) {}

protected:
    ~FrameServices() = default;
};

} // namespace kelmora
