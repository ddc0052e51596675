#pragma once
// What the properties pane asks of the window that holds it: the active editing view and
// its document. The main frame answers from its active child window; tests answer with
// the view and document they made. Either may be null.

namespace kelmora {

class CDrawDoc;
class CDrawView;

class PropertiesPaneHost {
public:
    virtual CDrawView* GetActiveDrawView() = 0;
    virtual CDrawDoc* GetActiveDrawDoc() = 0;

protected:
    ~PropertiesPaneHost() = default;
};

} // namespace kelmora
