#pragma once
// What the main frame and the document ask of the properties pane: its object list, the
// unit lengths are shown in, and what the grid shows (the selection or the document).
// The frame creates the pane (CreatePropertiesPane in FramePanes.cpp) and reaches it
// only through this interface.

#include "document/DrawUnit.h"

#include <vector>

class wxWindow;

namespace kelmora {

class CDrawDoc;
class CDrawObj;

class PropertiesPane {
public:
    virtual ~PropertiesPane() = default;

    // The pane's window, a child of the frame.
    virtual wxWindow* GetWindow() = 0;

    // Lists the object in the object list unless it is there already; its entry's index.
    virtual int AddObject(CDrawObj* object) = 0;
    // Lists those of the objects (null ones skipped) that are not listed yet, in one go.
    virtual void AddObjects(const std::vector<CDrawObj*>& objects) = 0;
    // Drops the object's entry; nothing when it has none.
    virtual void RemoveObject(CDrawObj* object) = 0;
    // Rebuilds the grid for what it shows (after the unit changed, say).
    virtual void RefreshProperties() = 0;

    virtual DrawUnit GetUnit() const = 0;
    virtual void SetUnit(DrawUnit unit) = 0;

    // Empties the object list and the grid.
    virtual void ClearAll() = 0;
    // Adds "Document" (made current) and every live object of the document.
    virtual void FillComboFromDocument(CDrawDoc& document) = 0;
    // Shows the selection: one object, or the first of several with every one listed; the
    // document when it is empty.
    virtual void SetSelection(const std::vector<CDrawObj*>& selection) = 0;
    // Shows the document's own properties.
    virtual void FillDocumentProperties(CDrawDoc& document) = 0;
};

} // namespace kelmora
