#pragma once
// What a live preview keeps of the objects it changes: while the pointer moves over a
// ribbon gallery or palette, the hovered value is applied to the selection without undo;
// when the pointer leaves without a choice, each object is given back the state it had
// before the first hovered item.
//
// Each object's state is its own record (a group's children read back into the children
// that are there), kept in memory and read back into that same object, and a copy of its
// style, which also holds the parts the record leaves out while they are switched off (an
// outline's pen, a shadow's fields). The object keeps its identity, its id and its place,
// so that undo steps and selections that point at it stay valid. Objects are paired with their states by identity, never by position: an
// object that has left the document meanwhile is skipped.
//
// No window system; UI thread only.

#include "document/UndoUnitSnapshot.h"
#include "platform/archive/MemoryStream.h"

#include <memory>
#include <vector>

namespace kelmora {

class CDrawDoc;
class CDrawObj;

class PreviewState {
public:
    // One object and where its kept record starts.
    struct XPreviewStateItem {
        CDrawObj* object = nullptr;
        SnapshotInfo saved;
        std::unique_ptr<CDrawObj> style;
    };

    bool IsPending() const { return !m_items.empty(); }
    const std::vector<XPreviewStateItem>& Items() const { return m_items; }

    // Keeps the state of every object whose state is not kept yet: while a preview is
    // pending each object keeps what it had before the first value, and an object that
    // joined the selection meanwhile is kept before it is changed. An object whose record
    // cannot be written is not kept.
    void Save(const std::vector<CDrawObj*>& objects);
    // Reads every kept state back into its object when that object is still one of the
    // document's, then forgets them all. The objects given back, in the order kept. Reading
    // back does not mark the document modified.
    std::vector<CDrawObj*> Restore(CDrawDoc& document);
    // Forgets the kept states; the objects stay as they are.
    void Clear();

private:
    MemoryStream m_records;
    std::vector<XPreviewStateItem> m_items;
};

} // namespace kelmora
