#pragma once
// What a drawing object uses of the document it belongs to: telling the views that it
// changed, marking the document modified, and entering a copy into the document. The
// document implements it; model/ never sees the document class itself.

namespace kelmora {

class CDrawObj;
class ViewServices;

// Hints passed with UpdateAllViews.
inline constexpr int kUpdateAll = 0;     // repaint everything
inline constexpr int kUpdateObject = 1;  // the object passed along has changed

class DocumentServices {
public:
    // Calls every view of the document but `sender` with the hint and the object.
    virtual void UpdateAllViews(ViewServices* sender, int hint, CDrawObj* object) = 0;
    virtual void SetModifiedFlag(bool modified = true) = 0;
    // Appends the object at the front of the drawing; the document owns it from then on.
    // An object that the document already holds is left where it is.
    virtual void Add(CDrawObj* object) = 0;

protected:
    ~DocumentServices() = default;
};

} // namespace kelmora
