#pragma once
// What the document uses of the application's main frame: the properties pane (its object
// combo, its unit, its refresh), the ribbon's current values and the status counts. The
// frame implements it; tests implement it with fakes.

#include "document/ColorRef.h"
#include "document/DrawUnit.h"

namespace kelmora {

class CDrawObj;
class ViewServices;

class FrameServices {
public:
    // Adds the object's name to the properties pane's object combo, unless an item carries
    // the object already; the item's index.
    virtual int AddObject(CDrawObj* object) = 0;
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

protected:
    ~FrameServices() = default;
};

} // namespace kelmora
